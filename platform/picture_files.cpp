#include "platform/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "platform/picture_render.h"

namespace platform {
namespace {

constexpr const char* kPngFormat = "PNG";
constexpr std::string_view kNotEncoded = "the image could not be made";

std::string_view View(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

FileWriteResult SavePictureAsPng(const Picture& picture, int scale, std::string_view path) {
  const QImage image = RenderPictureImage(picture, scale);
  QByteArray encoded;
  QBuffer buffer(&encoded);
  if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, kPngFormat)) {
    return {false, std::string(kNotEncoded)};
  }
  return WriteWholeFile(path, View(encoded));
}

FileWriteResult SavePictureAsSvg(const Picture& picture, std::string_view path) {
  const QByteArray document = RenderPictureSvg(picture);
  if (document.isEmpty()) {
    return {false, std::string(kNotEncoded)};
  }
  return WriteWholeFile(path, View(document));
}

}  // namespace platform
