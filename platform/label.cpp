#include "platform/label.h"

#include "platform/mnemonic_text.h"
#include "platform/qt_strings.h"

namespace platform {

Label::Label(std::string_view caption, Qt::Alignment alignment, QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(alignment | Qt::AlignTop);
  setWordWrap(true);
  SetCaption(caption);
}

void Label::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  setText(ToQString(ShownCaption(caption)));
}

}  // namespace platform
