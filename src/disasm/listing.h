// The listing: one text line per instruction start address, in address order, and the
// address-to-row map of the disassembly list.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/safe_file.h"
#include "base/translate.h"
#include "base/types.h"

namespace tarvolin {

class TSHARP_SM5A_MCU;

struct TListingEntry {
    std::string Text; // the line as the window shows it (default comments in the interface language)
    T11bits Addr = 0;
    friend bool operator==(const TListingEntry&, const TListingEntry&) = default;
};

// Entries [First, First + Removed) of the listing were replaced by Inserted new ones.
struct TListingSplice {
    int First = 0;
    int Removed = 0;
    int Inserted = 0;
};

// The line of the instruction at Addr: address, opcode, operand field, instruction text and
// the comment part at column 31 (34 with Bank:Page:Step notation). The default comment is
// English for files (Written) or in the interface language for the window (Shown).
std::string GetDisAsmLine(const TSHARP_SM5A_MCU& MCU, T11bits Addr, TTextUse Use = TTextUse::Written);

class TListing {
public:
    // Walks the ROM from address 0 (nothing without an MCU), then refreshes the texts
    // and rebuilds the address map.
    void BuildDisAsmStrings(const TSHARP_SM5A_MCU* MCU);
    // Recomputes every entry's text (after an option, label or comment change).
    void RefreshDisAsmStrings(const TSHARP_SM5A_MCU* MCU);
    void BuildAddrToLBItemIndexMap();
    void Clear();
    // The live ROM bytes FirstAddr..LastAddr were rewritten. Walks the instruction starts again
    // from the instruction that can reach into them (the one covering FirstAddr - 1, whose size
    // depends on the byte at FirstAddr) until the walk meets an unchanged start beyond them,
    // replaces the entries in between by fresh ones with their lines and rebuilds the address
    // map. Entries outside that stretch keep their texts and their order, so the listing is
    // again exactly what BuildDisAsmStrings would make, however far the boundaries moved.
    TListingSplice FollowROMChange(const TSHARP_SM5A_MCU& MCU, T11bits FirstAddr, T11bits LastAddr);

    const std::vector<TListingEntry>& Entries() const { return FDisAsmStrings; }
    std::vector<TListingEntry>& MutableEntries() { return FDisAsmStrings; }
    int Count() const { return static_cast<int>(FDisAsmStrings.size()); }
    // Index of the entry of a ROM address (0..0x73F); an operand byte maps to its
    // instruction; -1 for addresses outside the ROM.
    int AddrToItemIndex(T11bits Addr) const;
    // The address map itself: the entry index of an instruction start, -1 for an operand
    // byte or an address outside the ROM.
    int AddrToLBItemIndex(T11bits Addr) const;
    // Address of entry Index, or NoAddress.
    T11bits ItemIndexToAddr(int Index) const;

    // The export lines: page headers (with their leading line feed), "; " + label lines,
    // instruction lines, all default comments in English (the file is the same whatever
    // language the window speaks).
    std::vector<std::string> ExportLines(const TSHARP_SM5A_MCU& MCU) const;
    // The export lines, each followed by CR LF.
    std::string ExportText(const TSHARP_SM5A_MCU& MCU) const;
    // Writes the export lines, each followed by CR LF, through a temporary file renamed over
    // the target. Throws std::runtime_error with a readable message.
    void SaveToFile(const TSHARP_SM5A_MCU& MCU, const std::filesystem::path& FileName) const;
    // The file name proposed for the export: the game name without double quotes.
    static std::string ProposedFileName(const TSHARP_SM5A_MCU& MCU);

private:
    std::vector<TListingEntry> FDisAsmStrings;
    std::vector<int> FAddrToLBItemIndexMap = std::vector<int>(ROMSize, -1);
};

} // namespace tarvolin
