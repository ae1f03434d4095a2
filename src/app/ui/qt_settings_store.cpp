#include "app/ui/qt_settings_store.h"

#include "base/program_folder.h"

namespace tarvolin {

TQtSettingsStore::TQtSettingsStore()
    : FSettings(std::make_unique<QSettings>(QString::fromStdString(SettingsFilePath().string()), QSettings::IniFormat)) {}

TQtSettingsStore::TQtSettingsStore(const QString& IniFileName)
    : FSettings(std::make_unique<QSettings>(IniFileName, QSettings::IniFormat)) {}

QString TQtSettingsStore::Key(const std::string& Group, const std::string& Name) {
    // Names are stored literally: a game short name or an option name never holds a slash, but
    // a stray one must not open a sub-group.
    QString name = QString::fromStdString(Name);
    name.replace('/', '_').replace('\\', '_');
    return Group.empty() ? name : QString::fromStdString(Group) + "/" + name;
}

std::optional<std::string> TQtSettingsStore::Read(const std::string& Group, const std::string& Name) const {
    const QString key = Key(Group, Name);
    if (!FSettings->contains(key)) return std::nullopt;
    return FSettings->value(key).toString().toStdString();
}

void TQtSettingsStore::Write(const std::string& Group, const std::string& Name, const std::string& Value) {
    FSettings->setValue(Key(Group, Name), QString::fromStdString(Value));
}

void TQtSettingsStore::Remove(const std::string& Group, const std::string& Name) {
    FSettings->remove(Key(Group, Name));
}

bool TQtSettingsStore::GroupExists(const std::string& Group) const {
    return FSettings->childGroups().contains(QString::fromStdString(Group));
}

void TQtSettingsStore::RemoveGroup(const std::string& Group) {
    if (Group.empty()) return; // never wipe the whole store through this
    FSettings->remove(QString::fromStdString(Group));
}

std::vector<std::string> TQtSettingsStore::Names(const std::string& Group) const {
    std::vector<std::string> r;
    if (!Group.empty()) FSettings->beginGroup(QString::fromStdString(Group));
    for (const QString& k : FSettings->childKeys()) r.push_back(k.toStdString());
    if (!Group.empty()) FSettings->endGroup();
    return r;
}

bool TQtSettingsStore::Flush() {
    FSettings->sync();
    return FSettings->status() == QSettings::NoError;
}

} // namespace tarvolin
