#pragma once

#include <QFont>
#include <QPainter>
#include <QSize>
#include <QString>
#include <functional>
#include <string>

namespace response {

// What an analysis window paints into a picture of a given size.
using PicturePainter = std::function<void(QPainter&, QSize)>;

// A PNG of size pixels, painted in font.
std::string PngBytes(QSize size, const QFont& font, const PicturePainter& paint);

// An SVG whose width and height are stated in pixels, as the PNG's are,
// painted in font (its family and size in the file).
std::string SvgBytes(QSize size, const QFont& font, const QString& title,
                     const PicturePainter& paint);

// Writes a saved file (picture or table) to path through output/ (a temporary file, then a rename);
// never to a FIFO or a device. Returns an empty string or why it failed.
std::string WriteSavedFile(const std::string& path, const std::string& bytes);

}  // namespace response
