#pragma once

#include <QLabel>
#include <string>
#include <string_view>

namespace platform {

// A static text label. It keeps its caption as given and shows it with the
// mnemonic ampersands resolved.
class Label final : public QLabel {
  Q_OBJECT

 public:
  Label(std::string_view caption, Qt::Alignment alignment, QWidget* parent);

  void SetCaption(std::string_view caption);
  const std::string& Caption() const { return caption_; }

 private:
  std::string caption_;
};

}  // namespace platform
