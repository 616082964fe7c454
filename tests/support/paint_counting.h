#pragma once

#include "drawing/paint_context.h"

namespace test_support {

// A dialog that counts its paints: every paint of a dialog's window calls its
// OnPaint once, so counting those counts the window's paints.
template <class DialogClass>
class PaintCounting : public DialogClass {
 public:
  using DialogClass::DialogClass;

  int PaintCount() const { return paints_; }

 protected:
  void OnPaint(platform::PaintContext& context) override {
    ++paints_;
    DialogClass::OnPaint(context);
  }

 private:
  int paints_ = 0;
};

}  // namespace test_support
