#pragma once

#include <QImage>

#include "drawing/picture.h"

namespace platform {

// The picture at scale times its size: each of its pixels becomes a block of
// scale x scale pixels, and text is drawn at the finer resolution.
QImage RenderPictureImage(const Picture& picture, int scale);

}  // namespace platform
