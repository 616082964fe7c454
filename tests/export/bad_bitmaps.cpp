#include "bad_bitmaps.h"

namespace bitmap_export::fixtures {

namespace {
constexpr std::uint8_t kColour = 42;
}  // namespace

Bytes MakeBadBitmap(const BadBitmap& bad) {
  Bytes bytes = MakeOverlayBitmap(kColour);
  if (bad.patch) {
    PutLittleEndian(bytes, bad.patch->offset, bad.patch->size, bad.patch->value);
  }
  bytes.resize(bad.length);
  return bytes;
}

std::ostream& operator<<(std::ostream& out, const BadBitmap& bad) {
  return out << bad.name;
}

std::string BadBitmapName(const ::testing::TestParamInfo<BadBitmap>& param) {
  return std::string(param.param.name);
}

}  // namespace bitmap_export::fixtures
