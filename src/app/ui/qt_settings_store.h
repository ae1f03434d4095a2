// The settings store of the desktop program: an INI file through QSettings (SettingsFilePath:
// $XDG_CONFIG_HOME/tarvolin/tarvolin.conf), the ROM file list in the group "ROMs".
#pragma once

#include <QSettings>
#include <memory>

#include "persist/settings.h"

namespace tarvolin {

class TQtSettingsStore : public TSettingsStore {
public:
    // The per-user store of the program.
    TQtSettingsStore();
    // A store in an INI file (tests).
    explicit TQtSettingsStore(const QString& IniFileName);

    std::optional<std::string> Read(const std::string& Group, const std::string& Name) const override;
    void Write(const std::string& Group, const std::string& Name, const std::string& Value) override;
    void Remove(const std::string& Group, const std::string& Name) override;
    bool GroupExists(const std::string& Group) const override;
    void RemoveGroup(const std::string& Group) override;
    std::vector<std::string> Names(const std::string& Group) const override;
    bool Flush() override;

    QSettings& Settings() { return *FSettings; }

private:
    static QString Key(const std::string& Group, const std::string& Name);
    std::unique_ptr<QSettings> FSettings;
};

} // namespace tarvolin
