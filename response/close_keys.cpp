#include "response/close_keys.h"

#include <QKeySequence>
#include <QList>
#include <QShortcut>
#include <QWidget>

namespace response {

void AddCloseKeys(QWidget* window) {
  QList<QKeySequence> keys = {QKeySequence(Qt::Key_Escape),
                              QKeySequence(Qt::ControlModifier | Qt::Key_W)};
  // Two shortcuts on one key would make it ambiguous, and neither would fire.
  for (const QKeySequence& platform : QKeySequence::keyBindings(QKeySequence::Close)) {
    if (!keys.contains(platform)) keys.push_back(platform);
  }
  for (const QKeySequence& key : keys) {
    auto* shortcut = new QShortcut(key, window);
    QObject::connect(shortcut, &QShortcut::activated, window, &QWidget::close);
  }
}

}  // namespace response
