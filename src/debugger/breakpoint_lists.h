// Breakpoint lists (code, temporary, RAM read/write/change) and the model of the
// breakpoints dialog.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "base/types.h"

namespace tarvolin {

class TSHARP_SM5A_MCU;

// A plain list of addresses: no duplicates, in insertion order.
class TAddressList {
public:
    bool Contains(uint16_t Addr) const { return Addr < FMembers.size() && FMembers[Addr]; }
    bool Add(uint16_t Addr);    // false when already present
    bool Remove(uint16_t Addr); // false when absent
    bool Toggle(uint16_t Addr); // true when now present
    void Clear() {
        FItems.clear();
        FMembers.reset();
    }
    bool Empty() const { return FItems.empty(); }
    size_t Size() const { return FItems.size(); }
    const std::vector<uint16_t>& Items() const { return FItems; }
    void Assign(std::vector<uint16_t> Items);

private:
    std::vector<uint16_t> FItems;
    std::bitset<2048> FMembers; // fast membership test for the run loop
};

enum class TMemoryBreakpointKind : uint8_t { Read, Write, Change };

// The four persistent lists shown by the dialog, in this order.
enum class TBreakpointListKind : uint8_t { Code = 0, Read = 1, Write = 2, Change = 3 };

// The breakpoints dialog ("Breakpoint addresses") as data: four sorted lists with a
// selection each; OK writes them back.
class TBreakpointsDialogModel {
public:
    struct TLine {
        std::string Text; // the address, what the list is sorted by
        uint16_t Addr;
        // Shown after the address: a code breakpoint's label and instruction ("loop: TR 3C4"),
        // a memory breakpoint's cell value ("= 5"); "" without a game.
        std::string Detail;
    };
    struct TList {
        std::vector<TLine> Lines;
        int Selected = -1;
    };

    // Fills from the four lists: code addresses as AddrToStr in the current notation, RAM
    // addresses as two hex digits; each list sorted by text. MCU gives the details.
    TBreakpointsDialogModel(const TAddressList& Code, const TAddressList& Read, const TAddressList& Write,
                            const TAddressList& Change, const TSHARP_SM5A_MCU* MCU = nullptr);

    const TList& List(TBreakpointListKind Kind) const { return FLists[size_t(Kind)]; }
    // An empty list is shown disabled.
    bool ListEnabled(TBreakpointListKind Kind) const { return !List(Kind).Lines.empty(); }
    void Select(TBreakpointListKind Kind, int Index); // -1 = none
    bool DeleteEnabled(TBreakpointListKind Kind) const;
    // Removes the selected line; the line now at that position (or the last) becomes selected.
    void Delete(TBreakpointListKind Kind);
    bool DeleteAllEnabled() const;
    // Empties all four lists (after the user confirmed "Are you sure you want to delete all breakpoints?").
    void DeleteAll();
    // The first non-empty list (code, read, write, change), for the initial focus; -1 none.
    int FirstNonEmptyList() const;
    // The address a double click on a code line goes to (NoAddress when Index is out of range).
    T11bits CodeAddressAt(int Index) const;
    // The addresses of a list in displayed order (what OK stores).
    std::vector<uint16_t> Addresses(TBreakpointListKind Kind) const;

private:
    std::array<TList, 4> FLists;
};

} // namespace tarvolin
