#include "persist/settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/options.h"

namespace tarvolin {

// ---- in-memory store ----

std::optional<std::string> TMemorySettingsStore::Read(const std::string& Group, const std::string& Name) const {
    auto it = Values.find({Group, Name});
    if (it == Values.end()) return std::nullopt;
    return it->second;
}

void TMemorySettingsStore::Write(const std::string& Group, const std::string& Name, const std::string& Value) {
    Values[{Group, Name}] = Value;
}

void TMemorySettingsStore::Remove(const std::string& Group, const std::string& Name) { Values.erase({Group, Name}); }

bool TMemorySettingsStore::GroupExists(const std::string& Group) const {
    for (const auto& [key, value] : Values)
        if (key.first == Group) return true;
    return false;
}

void TMemorySettingsStore::RemoveGroup(const std::string& Group) {
    std::erase_if(Values, [&](const auto& kv) { return kv.first.first == Group; });
}

std::vector<std::string> TMemorySettingsStore::Names(const std::string& Group) const {
    std::vector<std::string> Result;
    for (const auto& [key, value] : Values)
        if (key.first == Group) Result.push_back(key.second);
    return Result;
}

// ---- options ----

namespace {

const char* const TopGroup = "";

// Stored numbers are read leniently (the values are written by us as decimal text, but a
// hand-edited store may hold anything); unreadable text keeps the default.
bool ReadNumber(const TSettingsStore& Store, const char* Name, long long& Value) {
    auto Text = Store.Read(TopGroup, Name);
    if (!Text) return false;
    std::string s = *Text;
    s.erase(0, s.find_first_not_of(" \t"));
    if (s.empty()) return false;
    char* End = nullptr;
    errno = 0;
    long long v = std::strtoll(s.c_str(), &End, 0);
    if (errno != 0 || End == s.c_str()) return false;
    while (*End == ' ' || *End == '\t') ++End;
    if (*End != '\0') return false;
    Value = v;
    return true;
}

void ReadBool(const TSettingsStore& Store, const char* Name, bool& Value) {
    long long v = 0;
    if (ReadNumber(Store, Name, v)) Value = v != 0;
}

void WriteBool(TSettingsStore& Store, const char* Name, bool Value) { Store.Write(TopGroup, Name, Value ? "1" : "0"); }

bool FileExists(const std::string& Path) {
    if (Path.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(Path), ec);
}

} // namespace

void TSettings::LoadSettings() {
    TOptions& o = Options();
    ReadBool(FStore, "UseBankPageStepAddressNotation", o.UseBankPageStepAddressNotation);
    ReadBool(FStore, "UseLFSRAddressing", o.UseLFSRAddressing);
    ReadBool(FStore, "AppendDisAsmComments", o.AppendDisAsmComments);
    long long Mnemonics = 0;
    if (ReadNumber(FStore, "InstructionMnemonics", Mnemonics)) {
        int v = static_cast<int>(static_cast<unsigned long long>(Mnemonics) & 0xFF);
        o.InstructionMnemonics = v > 2 ? 0 : v;
    }
    if (o.InstructionMnemonics < 0 || o.InstructionMnemonics > 2) o.InstructionMnemonics = 0;
    ReadBool(FStore, "UseMAMEKeyMapping", o.UseMAMEKeyMapping);
    ReadBool(FStore, "DerivatedSoundWave", o.DerivatedSoundWave);
    ReadBool(FStore, "LiveSound", o.LiveSound);
    long long Volume = 0;
    if (ReadNumber(FStore, "LiveSoundVolume", Volume)) o.LiveSoundVolume = static_cast<int>(std::clamp(Volume, 0LL, 100LL));
    ReadBool(FStore, "MuteLiveSoundAtFullSpeed", o.MuteLiveSoundAtFullSpeed);
    ReadBool(FStore, "MuteLiveSoundWhenMinimised", o.MuteLiveSoundWhenMinimised);
    ReadBool(FStore, "HighContrast", o.HighContrast);
    ReadBool(FStore, "KeepHistory", o.KeepHistory);
    long long HistoryMB = 0;
    if (ReadNumber(FStore, "HistoryLimitMB", HistoryMB))
        o.HistoryLimitMB = static_cast<uint32_t>(std::clamp<long long>(HistoryMB, MinHistoryLimitMB, MaxHistoryLimitMB));
    ReadBool(FStore, "TrackCoverage", o.TrackCoverage);
    if (auto v = FStore.Read(TopGroup, "ROMArchiveServer")) o.ROMArchiveServer = *v;
    if (auto v = FStore.Read(TopGroup, "UpdateServer")) o.UpdateServer = *v;
    if (auto v = FStore.Read(TopGroup, "ContactAddress")) o.ContactAddress = *v;
    ReadBool(FStore, "IgnoreCertificateErrors", o.IgnoreCertificateErrors);

    FStore.Remove(TopGroup, "UseSM500Mnemonics");

    FROMs.clear();
    if (FStore.GroupExists(ROMsGroup)) {
        for (const std::string& Name : FStore.Names(ROMsGroup)) {
            auto Path = FStore.Read(ROMsGroup, Name);
            if (Path) FROMs.emplace_back(Name, *Path);
        }
    }

    FRecentROMs.clear();
    for (size_t i = 1; i <= MaxRecentROMs; ++i) {
        auto Game = FStore.Read(RecentROMsGroup, "Game" + std::to_string(i));
        auto File = FStore.Read(RecentROMsGroup, "File" + std::to_string(i));
        if (!Game || !File) break;
        FRecentROMs.push_back({*Game, *File});
    }

    bool Dropped = false;
    for (size_t i = FROMs.size(); i-- > 0;) {
        if (!FileExists(FROMs[i].second)) {
            FROMs.erase(FROMs.begin() + static_cast<ptrdiff_t>(i));
            Dropped = true;
        }
    }
    Dropped |= std::erase_if(FRecentROMs, [](const TRecentROM& r) { return r.Game.empty() || !FileExists(r.File); }) > 0;
    if (Dropped) SaveSettings();
    else FStore.Flush();
}

bool TSettings::SaveSettings() {
    const TOptions& o = Options();
    WriteBool(FStore, "UseBankPageStepAddressNotation", o.UseBankPageStepAddressNotation);
    WriteBool(FStore, "UseLFSRAddressing", o.UseLFSRAddressing);
    WriteBool(FStore, "AppendDisAsmComments", o.AppendDisAsmComments);
    FStore.Write(TopGroup, "InstructionMnemonics", std::to_string(o.InstructionMnemonics));
    WriteBool(FStore, "UseMAMEKeyMapping", o.UseMAMEKeyMapping);
    WriteBool(FStore, "DerivatedSoundWave", o.DerivatedSoundWave);
    WriteBool(FStore, "LiveSound", o.LiveSound);
    FStore.Write(TopGroup, "LiveSoundVolume", std::to_string(std::clamp(o.LiveSoundVolume, 0, 100)));
    WriteBool(FStore, "MuteLiveSoundAtFullSpeed", o.MuteLiveSoundAtFullSpeed);
    WriteBool(FStore, "MuteLiveSoundWhenMinimised", o.MuteLiveSoundWhenMinimised);
    // HighContrast is only ever set by hand in the store; it is never written.
    WriteBool(FStore, "KeepHistory", o.KeepHistory);
    FStore.Write(TopGroup, "HistoryLimitMB", std::to_string(o.HistoryLimitMB));
    WriteBool(FStore, "TrackCoverage", o.TrackCoverage);
    FStore.Write(TopGroup, "ROMArchiveServer", o.ROMArchiveServer);
    FStore.Write(TopGroup, "UpdateServer", o.UpdateServer);
    FStore.Write(TopGroup, "ContactAddress", o.ContactAddress);
    WriteBool(FStore, "IgnoreCertificateErrors", o.IgnoreCertificateErrors);
    FStore.RemoveGroup(ROMsGroup);
    for (const auto& [Name, Path] : FROMs) FStore.Write(ROMsGroup, Name, Path);
    FStore.RemoveGroup(RecentROMsGroup);
    for (size_t i = 0; i < FRecentROMs.size(); ++i) {
        FStore.Write(RecentROMsGroup, "Game" + std::to_string(i + 1), FRecentROMs[i].Game);
        FStore.Write(RecentROMsGroup, "File" + std::to_string(i + 1), FRecentROMs[i].File);
    }
    return FStore.Flush();
}

std::string TSettings::ROMFile(const std::string& ShortGameName) const {
    for (const auto& [Name, Path] : FROMs)
        if (Name == ShortGameName) return Path;
    return {};
}

bool TSettings::SetROMFile(const std::string& ShortGameName, const std::string& Path) {
    auto it = std::find_if(FROMs.begin(), FROMs.end(), [&](const auto& e) { return e.first == ShortGameName; });
    if (it != FROMs.end()) it->second = Path;
    else FROMs.emplace_back(ShortGameName, Path);
    return SaveSettings();
}

bool TSettings::AddRecentROM(const std::string& ShortGameName, const std::string& Path) {
    const TRecentROM Entry{ShortGameName, Path};
    std::erase(FRecentROMs, Entry);
    FRecentROMs.insert(FRecentROMs.begin(), Entry);
    if (FRecentROMs.size() > MaxRecentROMs) FRecentROMs.resize(MaxRecentROMs);
    return SaveSettings();
}

bool TSettings::RemoveRecentROM(size_t Index) {
    if (Index >= FRecentROMs.size()) return true;
    FRecentROMs.erase(FRecentROMs.begin() + static_cast<ptrdiff_t>(Index));
    return SaveSettings();
}

bool TSettings::ClearRecentROMs() {
    FRecentROMs.clear();
    return SaveSettings();
}

} // namespace tarvolin
