#include "tests/soak/overlay_watch.h"

#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "export/bitmap_layout.h"
#include "export/overlay_file.h"
#include "tests/soak/text.h"

namespace soak {
namespace {

constexpr const char* kOverlayName = "Graph.bmp";

std::optional<std::uint8_t> ReadCurveColour() {
  std::ifstream in(kOverlayName, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(bitmap_export::kCurveColourOffset));
  char colour = 0;
  if (!in.get(colour)) {
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(colour);
}

}  // namespace

OverlayWatch::OverlayWatch() : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(directory_.path().toStdString());
  ready_ = bitmap_export::WriteBlankOverlay(kOverlayName).status ==
           bitmap_export::OverlayStatus::kWritten;
  expectedColour_ = ReadCurveColour().value_or(0);
}

OverlayWatch::~OverlayWatch() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

void OverlayWatch::ExpectOneMoreExport() {
  ++expectedColour_;  // wraps from 255 to 0, as the byte does
}

void OverlayWatch::Check(Violations& out) const {
  std::error_code error;
  const std::uintmax_t length = std::filesystem::file_size(kOverlayName, error);
  if (error) {
    out.push_back(Text(kOverlayName, " cannot be read: ", error.message()));
    return;
  }
  if (length != bitmap_export::kOverlayFileBytes) {
    out.push_back(
        Text(kOverlayName, " is ", length, " bytes long, not ", bitmap_export::kOverlayFileBytes));
  }
  const std::optional<std::uint8_t> colour = ReadCurveColour();
  if (colour != expectedColour_) {
    out.push_back(Text(kOverlayName, " holds curve colour ",
                       colour ? std::to_string(*colour) : std::string("(unreadable)"),
                       ", expected ", static_cast<int>(expectedColour_)));
  }
}

}  // namespace soak
