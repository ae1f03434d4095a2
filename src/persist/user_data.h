// The user's own additions to a game: labels and comments on ROM addresses, and the ROM
// image as first loaded (the reference that tells which bytes were patched).
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "base/types.h"

namespace tarvolin {

struct TAddressCustomData {
    T11bits FAddr = 0;
    std::string FLabel;   // UTF-8
    std::string FComment; // UTF-8

    TAddressCustomData() = default;
    TAddressCustomData(T11bits AAddr, std::string ALabel, std::string AComment)
        : FAddr(AAddr), FLabel(std::move(ALabel)), FComment(std::move(AComment)) {}
    // address (word, masked to 11 bits), label (string), comment (string).
    static TAddressCustomData CreateFromStream(std::istream& S);
    void SaveToStream(std::ostream& S) const;
    // The list key: the address as three upper-case hex digits ("03A").
    std::string Key() const;
};

// One run of consecutive patched ROM bytes.
struct TROMRange {
    uint16_t Start = 0;
    uint16_t Length = 0;
    friend bool operator==(const TROMRange&, const TROMRange&) = default;
};

// One changed range of a stored user-data block: the live ROM bytes from Start onward.
struct TROMPatch {
    uint16_t Start = 0;
    std::vector<uint8_t> Bytes;
    friend bool operator==(const TROMPatch&, const TROMPatch&) = default;
};

// A user-data block as stored, read completely before anything of it is applied.
struct TUserDataBlock {
    int32_t Version = 1; // below 1: the block ends after its version
    std::vector<TROMPatch> Ranges;
    std::vector<TAddressCustomData> Entries;
};

// Reads a block into Block, checking every count against what the stream still holds and
// every range against the ROM image, and refusing a second entry for one address. On an
// error Block holds what was read before it.
void ReadUserDataBlock(std::istream& S, TUserDataBlock& Block);

// Reads a user-data file (a game's ".dat" file) completely and checks it. Throws EStreamError
// whose message names the file and the reason (missing, not a regular file, too large, a
// damaged block); nothing is returned, so nothing of a bad file can be applied.
TUserDataBlock ReadUserDataFile(const std::filesystem::path& FileName);

class TUserData {
public:
    // Entries keyed by address; in key order (three hex digits) = ascending address order.
    using TEntries = std::map<T11bits, TAddressCustomData>;

    TUserData(std::string AShortGameName, const TROM& InitialROMImage);

    const std::string& ShortGameName() const { return FShortGameName; }
    const TROM& OriginalROMImage() const { return FOriginalROMImage; }
    const TEntries& AddressesCustomData() const { return FAddressesCustomData; }
    bool RenameDatFileOnSave() const { return FRenameDatFileOnSave; }

    std::string GetAddressLabel(T11bits Addr) const;
    std::string GetAddressComment(T11bits Addr) const;
    // Replaces both texts; an entry whose texts would both be empty is deleted instead.
    void SetAddressLabelAndComment(T11bits Addr, const std::string& AddrLabel, const std::string& Comment);
    // Insert an entry; an address that already has one raises the duplicate-entry error.
    void AddAddressCustomData(T11bits Addr, const std::string& AddrLabel, const std::string& Comment);
    void AddAddressCustomData(TAddressCustomData AddressCustomData);
    const TAddressCustomData* FindAddressCustomData(T11bits Addr) const;

    // Maximal runs of addresses whose live byte differs from the original image.
    std::vector<TROMRange> GetChangedRanges(const TROM& LiveROMImage) const;
    bool IsAnythingToSave(const TROM& LiveROMImage) const;

    // The user-data block (version 1).
    void SaveToStream(std::ostream& S, const TROM& LiveROMImage) const;
    // The data now lives in a session file that was written completely: a ".dat" file read
    // for this game is retired.
    void SavedToSession() const;
    // Reads a block completely, then applies its ranges to LiveROMImage and adds its entries.
    // A damaged block (a short one, a range running past the image) raises a stream error and
    // applies nothing.
    void LoadFromStream(std::istream& S, TROM& LiveROMImage);
    // Applies a block that was read completely: all of it, or nothing when one of its
    // addresses already has an entry (the duplicate-entry error).
    void ApplyBlock(const TUserDataBlock& Block, TROM& LiveROMImage);

    // <program folder>/<short name>.dat
    std::filesystem::path GetFileName() const;
    // Reads the ".dat" file if it exists and applies it; true when it was read. A bad file
    // applies nothing and raises EStreamError naming the file. Never reads a file while
    // game ".dat" files are switched off.
    bool LoadFromFile(TROM& LiveROMImage);
    // Whether games read their ".dat" file from the program folder when they are created (the
    // window does; the headless tool reads one only when it is named).
    static void SetReadGameDatFiles(bool Read) { FReadGameDatFiles = Read; }
    // <name>.dat -> <name>.dat.inactive; failures (no file, target exists) are ignored.
    void RenameDatFile() const;
    // Deletes the retired file ("<name>.dat.inactive") when a ".dat" file was read; a ".dat"
    // file itself is never deleted. Failures are ignored.
    void DeleteDatFile() const;

private:
    std::string FShortGameName;
    TROM FOriginalROMImage{};
    TEntries FAddressesCustomData;
    bool FRenameDatFileOnSave = false;
    static bool FReadGameDatFiles;
};

// Text of the error raised when an address is given a second entry.
extern const char* const DuplicateEntryErrorText;

} // namespace tarvolin
