#include "platform/file_write.h"

#include <QSaveFile>

#include "platform/qt_strings.h"

namespace platform {
namespace {

FileWriteResult Failed(const QSaveFile& file) {
  return {false, ToStdString(file.errorString())};
}

}  // namespace

FileWriteResult WriteWholeFile(std::string_view path, std::string_view bytes) {
  QSaveFile file(ToQString(path));
  if (!file.open(QIODevice::WriteOnly)) {
    return Failed(file);
  }
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(bytes.data(), size) != size) {
    file.cancelWriting();
    return Failed(file);
  }
  if (!file.commit()) {
    return Failed(file);
  }
  return {true, {}};
}

}  // namespace platform
