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

  // The rectangle the dialog's template gives the label. A one-word caption
  // wider than it ("Median" where "Value" was) would lose its last letters:
  // the label then takes free room to its right, never past the next control
  // on its row, and gives it back when the caption fits again.
  void SetLayoutRect(const QRect& rect);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FitCaption();
  int FreeRoomRight() const;

  std::string caption_;
  QRect layoutRect_;
};

}  // namespace platform
