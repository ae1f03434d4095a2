#include "persist/user_data.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

#include "base/program_folder.h"
#include "base/safe_file.h"
#include "base/errors.h"
#include "base/text_format.h"
#include "persist/stream.h"

namespace tarvolin {

const char* const DuplicateEntryErrorText = TR_NOOP("Stream", "String list does not allow duplicates");

TAddressCustomData TAddressCustomData::CreateFromStream(std::istream& S) {
    TAddressCustomData d;
    d.FAddr = static_cast<T11bits>(ReadWord(S) & 0x7FF);
    d.FLabel = ReadString(S);
    d.FComment = ReadString(S);
    return d;
}

void TAddressCustomData::SaveToStream(std::ostream& S) const {
    WriteWord(S, FAddr);
    WriteString(S, FLabel);
    WriteString(S, FComment);
}

std::string TAddressCustomData::Key() const {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%.3X", static_cast<unsigned>(FAddr & 0x7FF));
    return buf;
}

TUserData::TUserData(std::string AShortGameName, const TROM& InitialROMImage)
    : FShortGameName(std::move(AShortGameName)), FOriginalROMImage(InitialROMImage) {}

std::string TUserData::GetAddressLabel(T11bits Addr) const {
    const TAddressCustomData* d = FindAddressCustomData(Addr);
    return d ? d->FLabel : std::string();
}

std::string TUserData::GetAddressComment(T11bits Addr) const {
    const TAddressCustomData* d = FindAddressCustomData(Addr);
    return d ? d->FComment : std::string();
}

void TUserData::SetAddressLabelAndComment(T11bits Addr, const std::string& AddrLabel,
                                          const std::string& Comment) {
    auto it = FAddressesCustomData.find(Addr);
    const bool empty = AddrLabel.empty() && Comment.empty();
    if (it != FAddressesCustomData.end()) {
        if (empty) {
            FAddressesCustomData.erase(it);
        } else {
            it->second.FLabel = AddrLabel;
            it->second.FComment = Comment;
        }
    } else if (!empty) {
        FAddressesCustomData.emplace(Addr, TAddressCustomData(Addr, AddrLabel, Comment));
    }
}

void TUserData::AddAddressCustomData(T11bits Addr, const std::string& AddrLabel, const std::string& Comment) {
    AddAddressCustomData(TAddressCustomData(Addr, AddrLabel, Comment));
}

void TUserData::AddAddressCustomData(TAddressCustomData AddressCustomData) {
    AddressCustomData.FAddr &= 0x7FF;
    const T11bits addr = AddressCustomData.FAddr;
    if (!FAddressesCustomData.emplace(addr, std::move(AddressCustomData)).second)
        throw EStreamError(TrStream(DuplicateEntryErrorText));
}

const TAddressCustomData* TUserData::FindAddressCustomData(T11bits Addr) const {
    auto it = FAddressesCustomData.find(Addr);
    return it == FAddressesCustomData.end() ? nullptr : &it->second;
}

std::vector<TROMRange> TUserData::GetChangedRanges(const TROM& LiveROMImage) const {
    std::vector<TROMRange> ranges;
    int start = -1;
    for (int a = 0; a < ROMSize; ++a) {
        const bool differs = LiveROMImage[a] != FOriginalROMImage[a];
        if (differs && start < 0) {
            start = a;
        } else if (!differs && start >= 0) {
            ranges.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(a - start)});
            start = -1;
        }
    }
    if (start >= 0) ranges.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(ROMSize - start)});
    return ranges;
}

bool TUserData::IsAnythingToSave(const TROM& LiveROMImage) const {
    return !FAddressesCustomData.empty() || LiveROMImage != FOriginalROMImage;
}

void TUserData::SaveToStream(std::ostream& S, const TROM& LiveROMImage) const {
    WriteInt32(S, 1);
    const std::vector<TROMRange> ranges = GetChangedRanges(LiveROMImage);
    WriteInt32(S, static_cast<int32_t>(ranges.size()));
    for (const TROMRange& r : ranges) {
        WriteWord(S, r.Start);
        WriteWord(S, r.Length);
        WriteBytes(S, LiveROMImage.data() + r.Start, r.Length);
    }
    WriteInt32(S, static_cast<int32_t>(FAddressesCustomData.size()));
    for (const auto& [addr, entry] : FAddressesCustomData)
        entry.SaveToStream(S);
}

void TUserData::SavedToSession() const {
    if (FRenameDatFileOnSave) RenameDatFile();
}

void ReadUserDataBlock(std::istream& S, TUserDataBlock& Block) {
    Block = TUserDataBlock{};
    Block.Version = ReadInt32(S);
    if (Block.Version < 1) return;
    // Counts are only checked for sign: each item is read from the stream before it is kept,
    // so a count larger than the data ends in the stream's read error.
    const int32_t rangeCount = ReadCount(S, 0);
    for (int32_t i = 0; i < rangeCount; ++i) {
        TROMPatch r;
        r.Start = ReadWord(S);
        const uint16_t length = ReadWord(S);
        if (static_cast<int>(r.Start) + length > ROMSize) throw EStreamError(TrStream(StreamBlockTooLargeText));
        r.Bytes.resize(length);
        ReadBytes(S, r.Bytes.data(), length);
        Block.Ranges.push_back(std::move(r));
    }
    const int32_t entryCount = ReadCount(S, 0);
    std::bitset<2048> seen;
    for (int32_t i = 0; i < entryCount; ++i) {
        TAddressCustomData d = TAddressCustomData::CreateFromStream(S);
        if (seen.test(d.FAddr)) throw EStreamError(TrStream(DuplicateEntryErrorText));
        seen.set(d.FAddr);
        Block.Entries.push_back(std::move(d));
    }
}

void TUserData::ApplyBlock(const TUserDataBlock& Block, TROM& LiveROMImage) {
    for (const TAddressCustomData& d : Block.Entries)
        if (FAddressesCustomData.count(d.FAddr)) throw EStreamError(TrStream(DuplicateEntryErrorText));
    for (const TROMPatch& r : Block.Ranges)
        std::copy(r.Bytes.begin(), r.Bytes.end(), LiveROMImage.begin() + r.Start);
    for (const TAddressCustomData& d : Block.Entries)
        AddAddressCustomData(d);
}

void TUserData::LoadFromStream(std::istream& S, TROM& LiveROMImage) {
    TUserDataBlock block;
    ReadUserDataBlock(S, block); // a bad block throws here, before anything of it is applied
    ApplyBlock(block, LiveROMImage);
}

namespace {
// A ".dat" file holds at most the whole image as ranges and one entry per address; even with
// long texts it stays far below this.
constexpr uintmax_t UserDataFileLimit = 64u << 20;
} // namespace

TUserDataBlock ReadUserDataFile(const std::filesystem::path& FileName) {
    const std::string Name = FileName.string();
    auto Fail = [&](const std::string& Reason) {
        return EStreamError(Format(Tr("UserData", "The user data file \"%s\" was not loaded: %s").c_str(), Name.c_str(),
                                   Reason.c_str()));
    };
    // Looked at before it is opened: a folder, a FIFO (which would block the reader forever) or
    // a device is no data file, and a file past the limit is not read at all.
    if (const std::string Reason = NotAFileReason(FileName); !Reason.empty()) throw Fail(Reason);
    std::string Bytes;
    try {
        Bytes = ReadFileBounded(FileName, UserDataFileLimit);
    } catch (const std::runtime_error& e) {
        throw Fail(e.what());
    }
    std::istringstream S(Bytes);
    TUserDataBlock Block;
    try {
        ReadUserDataBlock(S, Block);
    } catch (const EStreamError& e) {
        throw Fail(e.what());
    }
    return Block;
}

std::filesystem::path TUserData::GetFileName() const {
    return ProgramFolder() / (FShortGameName + ".dat");
}

bool TUserData::FReadGameDatFiles = true;

bool TUserData::LoadFromFile(TROM& LiveROMImage) {
    if (!FReadGameDatFiles) return false;
    const std::filesystem::path name = GetFileName();
    std::error_code ec;
    if (!std::filesystem::exists(name, ec)) return false;
    const TUserDataBlock Block = ReadUserDataFile(name);
    try {
        ApplyBlock(Block, LiveROMImage);
    } catch (const EStreamError& e) {
        throw EStreamError(Format(Tr("UserData", "The user data file \"%s\" was not loaded: %s").c_str(),
                                  name.string().c_str(), e.what()));
    }
    FRenameDatFileOnSave = true;
    return true;
}

void TUserData::RenameDatFile() const {
    const std::filesystem::path from = GetFileName();
    std::filesystem::path to = from;
    to += ".inactive";
    std::error_code ec;
    // An existing retired file is never replaced.
    if (std::filesystem::exists(to, ec) || !std::filesystem::exists(from, ec)) return;
    std::filesystem::rename(from, to, ec);
}

void TUserData::DeleteDatFile() const {
    // Only the retired copy of a file this game has read is ours to delete. A ".dat" file that
    // failed to load, or that turned up after the game was loaded, holds data the user needs.
    if (!FRenameDatFileOnSave) return;
    std::filesystem::path name = GetFileName();
    name += ".inactive";
    std::error_code ec;
    std::filesystem::remove(name, ec);
}

} // namespace tarvolin
