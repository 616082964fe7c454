#include "response/picture_files.h"

#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>
#include <string>

#include "output/output_file.h"

namespace response {
namespace {

// QSvgGenerator states the size in millimetres at its resolution; a picture
// saved beside its PNG states the same pixels.
std::string WithPixelSize(std::string svg, QSize size) {
  const std::size_t opening = svg.find("<svg");
  if (opening == std::string::npos) return svg;
  // Within the opening tag only.
  const auto setAttribute = [&](const std::string& name, int pixels) {
    const std::size_t end = svg.find('>', opening);
    const std::string start = ' ' + name + "=\"";
    const std::size_t at = svg.find(start, opening);
    if (at == std::string::npos || at > end) return;
    const std::size_t valueAt = at + start.size();
    const std::size_t valueEnd = svg.find('"', valueAt);
    if (valueEnd == std::string::npos) return;
    svg.replace(valueAt, valueEnd - valueAt, std::to_string(pixels) + "px");
  };
  setAttribute("width", size.width());
  setAttribute("height", size.height());
  return svg;
}

}  // namespace

std::string PngBytes(QSize size, const QFont& font, const PicturePainter& paint) {
  QImage image(size, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    painter.setFont(font);
    paint(painter, size);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return bytes.toStdString();
}

std::string SvgBytes(QSize size, const QFont& font, const QString& title,
                     const PicturePainter& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(title);
  {
    QPainter painter(&generator);
    painter.setFont(font);
    paint(painter, size);
  }
  return WithPixelSize(bytes.toStdString(), size);
}

std::string WriteSavedFile(const std::string& path, const std::string& bytes) {
  const output::WriteResult written = output::WriteWholeFile(
      path, bytes, output::OutputFile::Existing::kReplace, output::OutputFile::NotRegular::kRefuse);
  return written.Written() ? std::string() : written.reason;
}

}  // namespace response
