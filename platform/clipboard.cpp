#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/picture_render.h"

namespace platform {
namespace {

constexpr int kClipboardScale = 1;

}  // namespace

void CopyPictureToClipboard(const Picture& picture) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    clipboard->setImage(RenderPictureImage(picture, kClipboardScale));
  }
}

}  // namespace platform
