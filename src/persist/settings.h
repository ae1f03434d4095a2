// Persisted options and the per-game list of ROM files. The store is abstract: the desktop
// program keeps it in QSettings, tests in memory.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvolin {

// String values by name, in named groups ("" is the top level, "ROMs" the ROM file list).
class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;
    virtual std::optional<std::string> Read(const std::string& Group, const std::string& Name) const = 0;
    virtual void Write(const std::string& Group, const std::string& Name, const std::string& Value) = 0;
    virtual void Remove(const std::string& Group, const std::string& Name) = 0;
    virtual bool GroupExists(const std::string& Group) const = 0;
    // Removes the group with all its values.
    virtual void RemoveGroup(const std::string& Group) = 0;
    // The value names of a group.
    virtual std::vector<std::string> Names(const std::string& Group) const = 0;
    // Makes the written values permanent; false when the store could not be written.
    virtual bool Flush() { return true; }
};

// A store held in memory (tests, and a fallback when no permanent store is available).
class TMemorySettingsStore : public TSettingsStore {
public:
    std::optional<std::string> Read(const std::string& Group, const std::string& Name) const override;
    void Write(const std::string& Group, const std::string& Name, const std::string& Value) override;
    void Remove(const std::string& Group, const std::string& Name) override;
    bool GroupExists(const std::string& Group) const override;
    void RemoveGroup(const std::string& Group) override;
    std::vector<std::string> Names(const std::string& Group) const override;

    // Every value, keyed by (group, name).
    std::map<std::pair<std::string, std::string>, std::string> Values;
};

inline constexpr const char* ROMsGroup = "ROMs";

inline constexpr const char* RecentROMsGroup = "RecentROMs";

// Game short name -> path of the ROM file last used for it, in stored order.
using TROMFileList = std::vector<std::pair<std::string, std::string>>;

// A ROM file loaded lately and the game it was loaded as (the custom game too).
struct TRecentROM {
    std::string Game; // short name
    std::string File; // full path
    friend bool operator==(const TRecentROM&, const TRecentROM&) = default;
};
// Newest first; stored as "Game1"/"File1", "Game2"/"File2", ... in the RecentROMs group.
using TRecentROMList = std::vector<TRecentROM>;
inline constexpr size_t MaxRecentROMs = 8;

// The settings model: Options() and the ROM file list, read from and written to a store.
class TSettings {
public:
    explicit TSettings(TSettingsStore& Store) : FStore(Store) {}

    // Reads every option into Options() (missing values keep their current value;
    // InstructionMnemonics above 2 becomes 0), deletes the obsolete UseSM500Mnemonics, reads
    // the ROM file list and drops entries whose file does not exist (saving when any was
    // dropped).
    void LoadSettings();
    // Writes every option except HighContrast, then replaces the ROMs and RecentROMs groups
    // by the lists. False when the store could not be written.
    bool SaveSettings();

    const TROMFileList& ROMs() const { return FROMs; }
    // The remembered file of a game ("" = none).
    std::string ROMFile(const std::string& ShortGameName) const;
    // Enters a file for a game and saves the settings.
    bool SetROMFile(const std::string& ShortGameName, const std::string& Path);

    // The recent ROM list (read with the settings; entries whose file is gone are dropped).
    const TRecentROMList& RecentROMs() const { return FRecentROMs; }
    // Puts a file on top of the list (an entry of the same game and file moves up; the oldest
    // beyond MaxRecentROMs falls off) and saves the settings.
    bool AddRecentROM(const std::string& ShortGameName, const std::string& Path);
    // Removes one entry or all of them and saves the settings.
    bool RemoveRecentROM(size_t Index);
    bool ClearRecentROMs();

    TSettingsStore& Store() { return FStore; }

private:
    TSettingsStore& FStore;
    TROMFileList FROMs;
    TRecentROMList FRecentROMs;
};

} // namespace tarvolin
