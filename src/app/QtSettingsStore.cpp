#include "app/QtSettingsStore.h"

#include <QVariant>

namespace pw {

namespace {
QString Key(const std::string& section, const std::string& entry) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(entry);
}
}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Ovu_Rudovo"), QStringLiteral("Popwright"))) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

std::string QtSettingsStore::GetText(const std::string& section, const std::string& entry) const {
    // A value that is not a single text (say a list) reads as absent.
    return settings_->value(Key(section, entry)).toString().toStdString();
}

void QtSettingsStore::SetText(const std::string& section, const std::string& entry, const std::string& value) {
    settings_->setValue(Key(section, entry), QString::fromStdString(value));
}

void QtSettingsStore::Sync() { settings_->sync(); }

}  // namespace pw
