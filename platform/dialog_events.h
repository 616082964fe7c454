#pragma once

#include <cstdint>
#include <string>

#include "drawing/client_rect.h"
#include "drawing/paint_context.h"

namespace platform {

// What asked for a context menu: a right click, or the keyboard's menu key or
// Shift+F10.
enum class ContextMenuSource : std::uint8_t {
  kMouse,
  kKeyboard,
};

// A tooltip of part of a client area: it stays up while the pointer is inside area.
struct AreaToolTip {
  std::string text;
  ClientRect area;
};

// What a dialog's window reports to its dialog. The window knows the dialog
// only through these handlers, so neither includes the other.
class DialogEvents {
 public:
  virtual bool OnCommand(std::uint32_t commandWord) = 0;
  virtual void OnHScroll(int code, int position, int controlId) = 0;
  virtual void OnPaint(PaintContext& context) = 0;
  virtual void OnContextMenu(int x, int y, ContextMenuSource source) = 0;
  virtual AreaToolTip ToolTipAt(int x, int y) const = 0;
  virtual bool TakesFileDrops() const = 0;
  virtual void OnDropFile(const std::string& path) = 0;

 protected:
  ~DialogEvents() = default;
};

}  // namespace platform
