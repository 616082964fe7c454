#include "response/save_dialog.h"

#include <QFileDialog>
#include <QMessageBox>

namespace response {

void AskAndSave(QWidget& window, const QString& windowTitle, const SaveRequest& request,
                const std::function<std::string(const std::string& path)>& save) {
  QFileDialog dialog(&window, request.title, request.suggestedName, request.filter);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(request.suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  const std::string error = save(path.toStdString());
  if (!error.empty()) {
    QMessageBox::warning(
        &window, windowTitle,
        QWidget::tr("Could not save \"%1\": %2").arg(path, QString::fromStdString(error)));
  }
}

}  // namespace response
