#include "platform/no_stored_settings.h"

#include <QSettings>
#include <QString>

namespace platform {
namespace {

// A folder that cannot exist: /dev/null is a device, so no settings file can
// be found beneath it and none can be made there. A read finds nothing; a
// write fails before it creates anything (no folder, lock or temporary file).
constexpr const char* kNowhere = "/dev/null";

// Qt's dialogs open their settings in the native format (QFileDialog uses
// QSettings(QSettings::UserScope, "QtProject")), which on this platform is an
// INI file; the default format does not apply to them, so each format's path
// is moved, for the user's settings and for the system-wide ones they fall
// back on.
constexpr QSettings::Format kFormats[] = {QSettings::NativeFormat, QSettings::IniFormat};
constexpr QSettings::Scope kScopes[] = {QSettings::UserScope, QSettings::SystemScope};

}  // namespace

void StoreNoSettings() {
  for (const QSettings::Format format : kFormats) {
    for (const QSettings::Scope scope : kScopes) {
      QSettings::setPath(format, scope, QString::fromLatin1(kNowhere));
    }
  }
}

}  // namespace platform
