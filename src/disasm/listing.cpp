// The listing: one line per instruction, the address map and the text export.
#include "disasm/listing.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "core/mcu.h"
#include "base/options.h"
#include "base/text_format.h"
#include "disasm/disasm.h"
#include "disasm/text_util.h"

namespace tarvolin {

std::string GetDisAsmLine(const TSHARP_SM5A_MCU& MCU, T11bits Addr, TTextUse Use) {
    uint8_t op = 0, next = 0;
    const int size = MCU.GetOpcodeExt(Addr, op, next);
    const std::string OperandField = size == 2 ? HexDigits(next, 2) : "  ";
    std::string Comment;
    // Users' labels appear in the instruction text as targets: a line break in one is shown
    // as \n, so the instruction stays one line of the listing.
    std::string Text = DisAsm(MCU, Addr, Comment, Use);
    Text = PrintableText(Text, Text.size());
    // "%s %s %-5s %s"
    std::string line = AddrToStr(Addr) + " " + HexDigits(op, 2) + " " + OperandField + "   " + " " + Text;

    std::string CommentPart;
    const std::string UserComment = MCU.GetAddressComment(Addr);
    // A user's comment is one line of the listing whatever it holds: a line break in it is
    // written as \n, so it cannot add a line of its own to an exported listing.
    if (!UserComment.empty()) CommentPart = ";; " + PrintableText(UserComment, UserComment.size());
    else if (!Comment.empty() && Options().AppendDisAsmComments) CommentPart = "; " + Comment;
    if (!CommentPart.empty()) {
        const size_t W = Options().UseBankPageStepAddressNotation ? 34 : 31;
        const size_t len = Utf8Length(line);
        if (len < W) line.append(W - len, ' ');
        line += " " + CommentPart;
    }
    return line;
}

void TListing::Clear() {
    FDisAsmStrings.clear();
    BuildAddrToLBItemIndexMap();
}

void TListing::BuildDisAsmStrings(const TSHARP_SM5A_MCU* MCU) {
    FDisAsmStrings.clear();
    if (MCU) {
        int Addr = 0;
        while (Addr < ROMSize) {
            TListingEntry e;
            e.Addr = static_cast<T11bits>(Addr);
            FDisAsmStrings.push_back(std::move(e));
            uint8_t op = 0, next = 0;
            const int size = MCU->GetOpcodeExt(static_cast<T11bits>(Addr), op, next);
            Addr += size > 0 ? size : 1;
        }
    }
    RefreshDisAsmStrings(MCU);
    BuildAddrToLBItemIndexMap();
}

TListingSplice TListing::FollowROMChange(const TSHARP_SM5A_MCU& MCU, T11bits FirstAddr, T11bits LastAddr) {
    if (FDisAsmStrings.empty() || FirstAddr >= ROMSize) return {};
    if (LastAddr >= ROMSize) LastAddr = static_cast<T11bits>(ROMSize - 1);
    int First = FirstAddr > 0 ? AddrToItemIndex(static_cast<T11bits>(FirstAddr - 1)) : 0;
    if (First < 0) First = 0;
    int End = First; // first old entry not replaced
    const int Count = this->Count();
    std::vector<TListingEntry> Fresh;
    int Addr = FDisAsmStrings[size_t(First)].Addr;
    for (;;) {
        while (End < Count && FDisAsmStrings[size_t(End)].Addr < Addr) ++End;
        if (Addr >= ROMSize) {
            End = Count;
            break;
        }
        // From an old start past the rewritten bytes on, the walk is the old one.
        if (Addr > LastAddr && End < Count && FDisAsmStrings[size_t(End)].Addr == Addr) break;
        const T11bits a = static_cast<T11bits>(Addr);
        Fresh.push_back({GetDisAsmLine(MCU, a, TTextUse::Shown), a});
        uint8_t op = 0, next = 0;
        const int size = MCU.GetOpcodeExt(a, op, next);
        Addr += size > 0 ? size : 1;
    }
    const TListingSplice Splice{First, End - First, static_cast<int>(Fresh.size())};
    FDisAsmStrings.erase(FDisAsmStrings.begin() + First, FDisAsmStrings.begin() + End);
    FDisAsmStrings.insert(FDisAsmStrings.begin() + First, std::make_move_iterator(Fresh.begin()),
                          std::make_move_iterator(Fresh.end()));
    BuildAddrToLBItemIndexMap();
    return Splice;
}

void TListing::RefreshDisAsmStrings(const TSHARP_SM5A_MCU* MCU) {
    if (!MCU) return;
    for (auto& e : FDisAsmStrings) e.Text = GetDisAsmLine(*MCU, e.Addr, TTextUse::Shown);
}

void TListing::BuildAddrToLBItemIndexMap() {
    FAddrToLBItemIndexMap.assign(ROMSize, -1);
    for (size_t i = 0; i < FDisAsmStrings.size(); ++i) {
        const T11bits a = FDisAsmStrings[i].Addr;
        if (a < ROMSize) FAddrToLBItemIndexMap[a] = static_cast<int>(i);
    }
}

int TListing::AddrToItemIndex(T11bits Addr) const {
    if (Addr >= ROMSize) return -1;
    for (int a = Addr; a >= 0; --a)
        if (FAddrToLBItemIndexMap[static_cast<size_t>(a)] >= 0) return FAddrToLBItemIndexMap[static_cast<size_t>(a)];
    return -1;
}

int TListing::AddrToLBItemIndex(T11bits Addr) const {
    if (Addr >= ROMSize) return -1;
    return FAddrToLBItemIndexMap[Addr];
}

T11bits TListing::ItemIndexToAddr(int Index) const {
    if (Index < 0 || Index >= Count()) return NoAddress;
    return FDisAsmStrings[static_cast<size_t>(Index)].Addr;
}

std::vector<std::string> TListing::ExportLines(const TSHARP_SM5A_MCU& MCU) const {
    std::vector<std::string> Lines;
    Lines.reserve(FDisAsmStrings.size() + 64);
    for (const auto& e : FDisAsmStrings) {
        if (e.Addr < ROMSize && !MCU.DefaultROMAddressComments[e.Addr].empty()) Lines.push_back(MCU.DefaultROMAddressComments[e.Addr]);
        const std::string Label = MCU.GetAddressLabel(e.Addr);
        if (!Label.empty()) Lines.push_back("; " + PrintableText(Label, Label.size()));
        // The file keeps the English comments whatever the window shows.
        Lines.push_back(GetDisAsmLine(MCU, e.Addr, TTextUse::Written));
    }
    return Lines;
}

std::string TListing::ExportText(const TSHARP_SM5A_MCU& MCU) const {
    std::string s;
    for (const auto& l : ExportLines(MCU)) {
        s += l;
        s += "\r\n";
    }
    return s;
}

void TListing::SaveToFile(const TSHARP_SM5A_MCU& MCU, const std::filesystem::path& FileName) const {
    if (FDisAsmStrings.empty()) return;
    WriteFileReplacing(FileName, ExportText(MCU));
}

std::string TListing::ProposedFileName(const TSHARP_SM5A_MCU& MCU) {
    std::string s;
    for (char c : MCU.GetClass().GameName())
        if (c != '"') s += c;
    return s;
}

} // namespace tarvolin
