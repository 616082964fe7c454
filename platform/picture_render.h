#pragma once

#include <QByteArray>
#include <QImage>

#include "platform/picture.h"

namespace platform {

// The picture at scale times its size: each of its pixels becomes a block of
// scale x scale pixels, and text is drawn at the finer resolution.
QImage RenderPictureImage(const Picture& picture, int scale);

// The picture as an SVG document of width x height pixels.
QByteArray RenderPictureSvg(const Picture& picture);

}  // namespace platform
