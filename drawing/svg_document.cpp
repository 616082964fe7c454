#include "drawing/svg_document.h"

#include "drawing/picture_fonts.h"
#include "drawing/svg_markup.h"
#include "drawing/svg_paint_context.h"

namespace platform {
namespace {

std::string Opening(const Picture& picture) {
  const std::string width = std::to_string(picture.width);
  const std::string height = std::to_string(picture.height);
  std::string opening =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
      " version=\"1.1\"";
  opening.append(" width=\"").append(width).append("\" height=\"").append(height);
  opening.append("\" viewBox=\"0 0 ").append(width).append(" ").append(height).append("\">\n");
  opening.append("<title>").append(XmlEscaped(picture.title)).append("</title>\n");
  opening.append("<rect width=\"").append(width).append("\" height=\"").append(height);
  opening.append("\" fill=\"").append(SvgColour(picture.background)).append("\"/>\n");
  return opening;
}

}  // namespace

std::string SvgDocument(const Picture& picture) {
  SvgPaintContext context(PictureInitialFont());
  if (picture.paint) {
    picture.paint(context);
  }
  return Opening(picture) + context.Elements() + "</svg>\n";
}

}  // namespace platform
