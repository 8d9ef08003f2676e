#pragma once
#include <QSettings>
#include <QString>
#include <memory>

#include "app/SettingsStore.h"

namespace pw {

// The per-user settings store of the desktop program: QSettings under the
// organisation "Ovu_Rudovo" and the application "Popwright", sections as
// groups, every value a text.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    // A store kept in the given ini file instead, for tests.
    explicit QtSettingsStore(const QString& iniPath);

    std::string GetText(const std::string& section, const std::string& entry) const override;
    void SetText(const std::string& section, const std::string& entry, const std::string& value) override;
    // Writes pending changes out now (they are written on destruction too).
    void Sync();

    QSettings& Settings() { return *settings_; }

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace pw
