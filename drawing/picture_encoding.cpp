#include "drawing/picture_encoding.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "drawing/picture_render.h"
#include "drawing/svg_document.h"

namespace platform {
namespace {

constexpr const char* kPngFormat = "PNG";

std::string Bytes(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

std::string PictureAsPng(const Picture& picture, int scale) {
  const QImage image = RenderPictureImage(picture, scale);
  QByteArray encoded;
  QBuffer buffer(&encoded);
  if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, kPngFormat)) {
    return {};
  }
  return Bytes(encoded);
}

std::string PictureAsSvg(const Picture& picture) {
  return SvgDocument(picture);
}

}  // namespace platform
