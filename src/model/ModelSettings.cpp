#include "model/ModelSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace veltrane::model {
namespace {

constexpr auto kBase = "model/base";
constexpr auto kModel = "model/model";
constexpr auto kConfirmed = "model/confirmed";

std::optional<QString> Problem(const QSettings& file, bool reading) {
  switch (file.status()) {
    case QSettings::NoError:
      return std::nullopt;
    case QSettings::FormatError:
      return QStringLiteral(
                 "The settings file %1 is damaged, so Veltrane's model settings start "
                 "from their defaults.")
          .arg(file.fileName());
    case QSettings::AccessError:
      break;
  }
  return reading
             ? QStringLiteral(
                   "The settings file %1 could not be read, so Veltrane's model "
                   "settings start from their defaults.")
                   .arg(file.fileName())
             : QStringLiteral("The settings file %1 could not be written.").arg(file.fileName());
}

}  // namespace

SettingsFile::SettingsFile()
    : path_(QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("veltrane"),
                      QStringLiteral("veltrane"))
                .fileName()) {}

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {}

LoadedSettings SettingsFile::Load() const {
  LoadedSettings loaded;
  const QFileInfo info(path_);
  if (info.exists() && (!info.isFile() || !info.isReadable())) {
    loaded.problem = QStringLiteral(
                         "The settings file %1 could not be read, so Veltrane's model "
                         "settings start from their defaults.")
                         .arg(path_);
    return loaded;
  }
  const QSettings file(path_, QSettings::IniFormat);
  if ((loaded.problem = Problem(file, true))) return loaded;
  loaded.settings.base = file.value(kBase).toString();
  loaded.settings.model = file.value(kModel).toString();
  loaded.settings.confirmed = file.value(kConfirmed).toStringList();
  return loaded;
}

std::optional<QString> SettingsFile::Save(const ModelSettings& settings) const {
  QSettings file(path_, QSettings::IniFormat);
  const auto put = [&file](const char* key, const QVariant& value, bool same) {
    if (!same) file.setValue(key, value);
  };
  put(kBase, settings.base, file.value(kBase).toString() == settings.base);
  put(kModel, settings.model, file.value(kModel).toString() == settings.model);
  put(kConfirmed, settings.confirmed, file.value(kConfirmed).toStringList() == settings.confirmed);
  file.sync();
  return Problem(file, false);
}

}  // namespace veltrane::model
