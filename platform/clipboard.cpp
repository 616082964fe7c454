#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "drawing/picture_render.h"
#include "drawing/qt_strings.h"

namespace platform {
namespace {

constexpr int kClipboardScale = 1;

}  // namespace

void CopyPictureToClipboard(const Picture& picture) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    clipboard->setImage(RenderPictureImage(picture, kClipboardScale));
  }
}

void CopyTextToClipboard(std::string_view text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    clipboard->setText(ToQString(text));
  }
}

}  // namespace platform
