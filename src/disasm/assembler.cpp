// The SM-5A assembler: instruction texts as the disassembler writes them back into bytes.
#include "disasm/assembler.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

#include "core/step_tables.h"
#include "disasm/disasm.h"
#include "core/mnemonics.h"
#include "disasm/assembler_text.h"
#include "disasm/text_util.h"
#include "base/text_format.h"

namespace tarvolin {

using namespace assembler_text;

std::array<uint8_t, ROMSize> ExecutionToChipOrder(const TROM& Image) {
    std::array<uint8_t, ROMSize> Chip{};
    for (int p = 0; p < ROMSize / 64; ++p)
        for (int k = 0; k < 63; ++k) Chip[static_cast<size_t>(p * 64 + StepIndexToCode[k])] = Image[static_cast<size_t>(p * 64 + k)];
    return Chip;
}

namespace {

// How a mnemonic encodes.
enum TForm {
    fmSimple,    // one byte, fixed operand pattern
    fmHalt,      // 5E 00
    fmDTA,       // 5E 04
    fmLBL,       // 5F nn
    fmPage,      // 7p (page preset)
    fmFarJump,   // 7p 80|code
    fmFarCall,   // 7p C0|code
    fmShortJump, // 80|code, same page
    fmCall,      // C0|code, bank 1 page 0
    fmBranch,    // C0|pp<<4|code, branch inside a subroutine
};

struct TUse {
    TForm Form;
    uint8_t Opcode; // fmSimple only
};

// Every mnemonic of both sets, upper case, with the encodings it names.
const std::map<std::string, std::vector<TUse>>& MnemonicUses() {
    static const std::map<std::string, std::vector<TUse>> Map = [] {
        std::map<std::string, std::vector<TUse>> m;
        auto add = [&](const char* Name, TUse Use) {
            if (!Name || !*Name || std::string(Name) == "???") return;
            auto& v = m[Upper(Name)];
            for (const auto& u : v)
                if (u.Form == Use.Form && u.Opcode == Use.Opcode) return;
            v.push_back(Use);
        };
        for (int set = 0; set < 2; ++set) {
            const bool sharp = set == 1;
            for (int op = 0; op < 256; ++op) {
                const auto o = static_cast<uint8_t>(op);
                if (op == 0x5E) {
                    add(MnemonicOf(o, 0x00, sharp), {fmHalt, 0});
                    add(MnemonicOf(o, 0x04, sharp), {fmDTA, 0});
                } else if (op == 0x5F) {
                    add(MnemonicOf(o, 0, sharp), {fmLBL, 0});
                } else if (op >= 0x70 && op <= 0x7F) {
                    add(MnemonicOf(o, 0x00, sharp), {fmPage, 0});
                    add(MnemonicOf(o, 0x80, sharp), {fmFarJump, 0});
                    add(MnemonicOf(o, 0xC0, sharp), {fmFarCall, 0});
                } else if (op >= 0x80 && op <= 0xBF) {
                    add(MnemonicOf(o, 0, sharp), {fmShortJump, 0});
                } else if (op >= 0xC0) {
                    add(MnemonicOf(o, 0, sharp), {fmCall, 0});
                    add(MnemonicOf(o, 1, sharp), {fmBranch, 0});
                } else {
                    add(MnemonicOf(o, 0, sharp), {fmSimple, o});
                }
            }
        }
        return m;
    }();
    return Map;
}

bool HasForm(const std::vector<TUse>& Uses, TForm Form) {
    return std::any_of(Uses.begin(), Uses.end(), [&](const TUse& u) { return u.Form == Form; });
}

class TAssembler {
public:
    TAssembler(const TAssemblerOptions& Options, const std::string& FileName) : FOptions(Options), FFileName(FileName) {}

    TAssemblyResult Run(const std::string& Source);

private:
    struct TTarget {
        bool Known = false;
        T11bits Addr = 0;
    };

    // One pass over the lines; in the final pass errors are recorded and bytes written.
    void Pass(bool Final);
    // Errors are kept up to the limit, the rest only counted; text from the source is shown
    // with its control characters escaped and cut to a sane length.
    void Error(int Line, const std::string& Text) {
        if (!FFinal) return;
        if (FMessages.size() < AssemblerErrorLimit) FMessages.push_back({Line, PrintableText(Text, 300)});
        else ++FMoreErrors;
    }
    bool ResolveTarget(const TSourceLine& L, const std::string& Text, TTarget& Target);
    // Encodes an instruction at Addr; returns false (with an error) when it cannot.
    bool Encode(const TSourceLine& L, T11bits Addr, std::vector<uint8_t>& Bytes);
    bool EncodeSimple(const TSourceLine& L, const std::vector<TUse>& Uses, std::vector<uint8_t>& Bytes);
    bool EncodeFar(const TSourceLine& L, bool Call, const std::string& Operand, std::vector<uint8_t>& Bytes);
    bool EncodeShortCall(const TSourceLine& L, T11bits Addr, TForm FirstForm, const std::string& Operand,
                         std::vector<uint8_t>& Bytes);
    bool CallOpcode(const TSourceLine& L, const TTarget& T, uint8_t& Op);
    bool BranchOpcode(const TSourceLine& L, T11bits Addr, const TTarget& T, uint8_t& Op);
    // Loc is wider than an address, so code past the end never wraps round to address 0.
    void Place(const TSourceLine& L, unsigned& Loc, const std::vector<uint8_t>& Bytes);
    // A label's address: past the end of the ROM it is the first address outside it.
    static T11bits LabelAddress(unsigned Loc) { return static_cast<T11bits>(std::min<unsigned>(Loc, ROMSize)); }

    TAssemblerOptions FOptions;
    std::string FFileName;
    std::vector<TSourceLine> FLines;
    std::map<std::string, T11bits> FLabels, FNewLabels;
    std::vector<TAssemblerMessage> FMessages;
    size_t FMoreErrors = 0;
    bool FFinal = false;
    bool FPastEndReported = false;
    TROM FImage{};
    std::vector<int> FOwner = std::vector<int>(ROMSize, 0);
};

std::string AddrText(unsigned a) { return AddrToStr(static_cast<T11bits>(a & 0x7FF)); }

bool TAssembler::ResolveTarget(const TSourceLine& L, const std::string& Text, TTarget& Target) {
    const std::string s = Trim(Text);
    Target = TTarget{};
    const size_t at = s.rfind(" @ ");
    if (at != std::string::npos) {
        const std::string name = Trim(s.substr(0, at));
        T11bits a;
        if (!ParseAddress(s.substr(at + 3), FOptions.StepCodes, a)) {
            Error(L.No, "bad address \"" + Trim(s.substr(at + 3)) + "\"");
            return false;
        }
        auto it = FLabels.find(name);
        if (FFinal && it != FLabels.end() && it->second != a) {
            Error(L.No, "label " + name + " is at " + AddrText(it->second) + ", not " + AddrText(a));
            return false;
        }
        Target.Known = true;
        Target.Addr = a;
        return true;
    }
    if (s.empty()) {
        Error(L.No, "missing target");
        return false;
    }
    auto it = FLabels.find(s);
    if (it != FLabels.end()) {
        Target.Known = true;
        Target.Addr = it->second;
        return true;
    }
    T11bits a;
    if (ParseAddress(s, FOptions.StepCodes, a)) {
        Target.Known = true;
        Target.Addr = a;
        return true;
    }
    if (IsIdentifier(s)) {
        if (FFinal) Error(L.No, "unknown label " + s);
        return !FFinal; // provisional in earlier passes
    }
    Error(L.No, "bad target \"" + s + "\"");
    return false;
}

// The operand a one-byte opcode is written with: a pattern ('%' = a number) and the number
// it must have, or -1. Upper case, without spaces.
std::vector<std::pair<std::string, long>> SimplePatterns(uint8_t op) {
    const long n = op & 3;
    const std::string bit = std::string("(DP)B#") + static_cast<char>('0' + n);
    if ((op >= 0x04 && op <= 0x07) || (op >= 0x0C && op <= 0x0F) || (op >= 0x54 && op <= 0x57)) return {{bit, -1}};
    if (op >= 0x10 && op <= 0x1F) return {{"ACC,(DP)", -1}};
    if (op >= 0x20 && op <= 0x3F) return {{"ACC,%", op & 0xF}};
    if (op >= 0x40 && op <= 0x4F) {
        static const long Low[4] = {0, 9, 10, 11};
        return {{"DP,%", (n << 4) | Low[(op >> 2) & 3]}};
    }
    switch (op) {
    case 0x01: return {{"R,ACC", -1}};
    case 0x03: return {{"LCD,ACC", -1}};
    case 0x08: return {{"ACC,(DP)", -1}};
    case 0x09: return {{"ACC,(DP)+CARRY", -1}};
    case 0x0A: return {{"ACC", -1}};
    case 0x0B: return {{"ACC,L", -1}};
    case 0x5C: return {{"O',O", -1}};
    case 0x62:
    case 0x63: return {{"O8,ACC", -1}};
    case 0x64:
    case 0x6C: return {{"L", -1}};
    case 0x65: return {{"T", -1}};
    case 0x6A: return {{"ACC,K", -1}, {"ACC,D", -1}};
    default: return {{"", -1}};
    }
}

bool TAssembler::EncodeSimple(const TSourceLine& L, const std::vector<TUse>& Uses, std::vector<uint8_t>& Bytes) {
    const std::string operand = NoSpaces(L.Operand);
    std::vector<uint8_t> matches;
    std::string expected;
    for (const auto& u : Uses) {
        if (u.Form != fmSimple) continue;
        for (const auto& [pattern, number] : SimplePatterns(u.Opcode)) {
            long v = -1;
            if (MatchPattern(operand, pattern, v) && (number < 0 || v == number)) {
                matches.push_back(u.Opcode);
                break;
            }
            if (expected.empty()) expected = pattern;
        }
    }
    if (matches.empty()) {
        // Say what would have been accepted.
        std::string m = Upper(L.Mnemonic);
        if (m == "LB" || m == "LAS") {
            Error(L.No, L.Mnemonic + " can load DP with 0x00, 0x09, 0x0A, 0x0B and the same plus 0x10, 0x20, 0x30 only (use LBL)");
        } else if (m == "RM" || m == "SM" || m == "TM2" || m == "BM0" || m == "BM1" || m == "SM1") {
            Error(L.No, "bad operand \"" + L.Operand + "\" for " + L.Mnemonic + " (expected (DP)b#0 .. (DP)b#3)");
        } else {
            std::string shown;
            for (char c : expected) shown += c == '%' ? std::string("<number>") : std::string(1, c);
            Error(L.No, "bad operand \"" + L.Operand + "\" for " + L.Mnemonic +
                            (shown.empty() ? " (it takes none)" : " (expected " + shown + ")"));
        }
        return false;
    }
    if (matches.size() > 1) {
        // The exchange/load family: the DPH toggle comes from the note.
        const int note = DPHNote(L.Raw);
        std::vector<uint8_t> pick;
        for (uint8_t op : matches)
            if ((op & 3) == (note < 0 ? 0 : note)) pick.push_back(op);
        if (pick.size() != 1) {
            if (note < 0)
                Error(L.No, L.Mnemonic + " needs its DPH toggle: add the note \"xor DPH 01\", \"10\" or \"11\" in the comment");
            else
                Error(L.No, L.Mnemonic + " cannot toggle DPH by " + std::string(1, char('0' + note / 2)) + char('0' + note % 2));
            return false;
        }
        matches = pick;
    } else if (const int note = DPHNote(L.Raw); note >= 0 && matches[0] >= 0x10 && matches[0] <= 0x1F && (matches[0] & 3) != note) {
        Error(L.No, L.Mnemonic + " cannot toggle DPH by " + std::string(1, char('0' + note / 2)) + char('0' + note % 2));
        return false;
    }
    Bytes = {matches[0]};
    return true;
}

bool TAssembler::EncodeFar(const TSourceLine& L, bool Call, const std::string& Operand, std::vector<uint8_t>& Bytes) {
    const auto parts = SplitReadings(Operand);
    if (parts.size() > 2) {
        Error(L.No, "too many targets");
        return false;
    }
    TTarget t1;
    if (!ResolveTarget(L, parts[0], t1)) return false;
    unsigned a = t1.Known ? t1.Addr : 0;
    if (parts.size() == 2) {
        TTarget t2;
        if (!ResolveTarget(L, parts[1], t2)) return false;
        if (t1.Known && t2.Known && (t1.Addr >= 0x400 || t2.Addr != (t1.Addr | 0x400))) {
            Error(L.No, "the two targets " + AddrText(t1.Addr) + " and " + AddrText(t2.Addr) +
                            " are not the same page and step in bank 0 and bank 1");
            return false;
        }
    } else if (t1.Known && t1.Addr > LastROMAddress) {
        Error(L.No, "target " + AddrText(t1.Addr) + " lies outside the ROM");
        return false;
    }
    Bytes = {static_cast<uint8_t>(0x70 | ((a >> 6) & 0xF)),
             static_cast<uint8_t>((Call ? 0xC0 : 0x80) | StepIndexToCode[a & 0x3F])};
    return true;
}

bool TAssembler::CallOpcode(const TSourceLine& L, const TTarget& T, uint8_t& Op) {
    if (!T.Known) {
        Op = 0xC0;
        return true;
    }
    if (T.Addr < 0x400 || T.Addr > 0x43F) {
        Error(L.No, "a one-byte call reaches bank 1 page 0 only (" + AddrText(0x400) + ".." + AddrText(0x43F) + "), not " +
                        AddrText(T.Addr));
        return false;
    }
    Op = static_cast<uint8_t>(0xC0 | StepIndexToCode[T.Addr & 0x3F]);
    return true;
}

bool TAssembler::BranchOpcode(const TSourceLine& L, T11bits Addr, const TTarget& T, uint8_t& Op) {
    if (!T.Known) {
        Op = 0xC0;
        return true;
    }
    if (T.Addr > LastROMAddress) {
        Error(L.No, "target " + AddrText(T.Addr) + " lies outside the ROM");
        return false;
    }
    const unsigned code = StepIndexToCode[T.Addr & 0x3F];
    if ((T.Addr & 0x700) != (Addr & 0x700) || code > 15) {
        Error(L.No, "target " + AddrText(T.Addr) + " cannot be reached by a subroutine branch from " + AddrText(Addr) +
                        " (same bank and group of four pages, one of the first 16 step codes)");
        return false;
    }
    Op = static_cast<uint8_t>(0xC0 | (((T.Addr >> 6) & 3) << 4) | code);
    return true;
}

bool TAssembler::EncodeShortCall(const TSourceLine& L, T11bits Addr, TForm FirstForm, const std::string& Operand,
                                 std::vector<uint8_t>& Bytes) {
    const auto parts = SplitReadings(Operand);
    if (parts.size() > 2) {
        Error(L.No, "too many readings");
        return false;
    }
    TTarget t1;
    if (!ResolveTarget(L, parts[0], t1)) return false;
    uint8_t op1 = 0;
    if (!(FirstForm == fmCall ? CallOpcode(L, t1, op1) : BranchOpcode(L, Addr, t1, op1))) return false;
    if (parts.size() == 2) {
        // "TRS 43E / TRSA 3FE": the second reading names the other form.
        const std::string& p = parts[1];
        size_t sp = 0;
        while (sp < p.size() && !std::isspace(static_cast<unsigned char>(p[sp]))) ++sp;
        const auto& uses = MnemonicUses();
        auto it = uses.find(Upper(p.substr(0, sp)));
        const TForm other = FirstForm == fmCall ? fmBranch : fmCall;
        if (it == uses.end() || !HasForm(it->second, other)) {
            Error(L.No, "the second reading must be the " + std::string(other == fmCall ? "call" : "branch") + " form, not \"" + p + "\"");
            return false;
        }
        TTarget t2;
        if (!ResolveTarget(L, p.substr(sp), t2)) return false;
        uint8_t op2 = 0;
        if (!(other == fmCall ? CallOpcode(L, t2, op2) : BranchOpcode(L, Addr, t2, op2))) return false;
        if (t1.Known && t2.Known && op1 != op2) {
            Error(L.No, "the two readings are different opcodes (" + HexDigits(op1, 2) + " and " + HexDigits(op2, 2) + ")");
            return false;
        }
    }
    Bytes = {op1};
    return true;
}

bool TAssembler::Encode(const TSourceLine& L, T11bits Addr, std::vector<uint8_t>& Bytes) {
    const auto& uses = MnemonicUses();
    auto it = uses.find(Upper(L.Mnemonic));
    if (it == uses.end()) {
        Error(L.No, "unknown mnemonic " + L.Mnemonic);
        return false;
    }
    const auto& u = it->second;
    const std::string operand = L.Operand;
    const std::string flat = NoSpaces(operand);
    const bool twoReadings = operand.find(" / ") != std::string::npos;

    if (HasForm(u, fmHalt) || HasForm(u, fmDTA)) {
        if (HasForm(u, fmHalt) && flat.empty()) {
            Bytes = {0x5E, 0x00};
            return true;
        }
        if (HasForm(u, fmDTA) && flat == "ACC,T") {
            Bytes = {0x5E, 0x04};
            return true;
        }
        Error(L.No, "bad operand \"" + operand + "\" for " + L.Mnemonic);
        return false;
    }
    if (HasForm(u, fmLBL)) {
        long v = 0;
        if (!MatchPattern(flat, "DP,%", v) || v < 0 || v > 0xFF) {
            Error(L.No, "bad operand \"" + operand + "\" for " + L.Mnemonic + " (expected DP,0xNN)");
            return false;
        }
        Bytes = {0x5F, static_cast<uint8_t>(v)};
        return true;
    }
    if (HasForm(u, fmPage)) {
        long v = 0;
        if (!ParseNumber(flat, v) || v < 0 || v > 15) {
            Error(L.No, "bad page \"" + operand + "\" for " + L.Mnemonic + " (0 to 0xF)");
            return false;
        }
        Bytes = {static_cast<uint8_t>(0x70 | v)};
        return true;
    }
    const bool shortJ = HasForm(u, fmShortJump), farJ = HasForm(u, fmFarJump);
    if (shortJ || farJ) {
        if (farJ && (!shortJ || twoReadings)) return EncodeFar(L, false, operand, Bytes);
        TTarget t;
        if (!ResolveTarget(L, operand, t)) return false;
        const bool samePage = !t.Known || (t.Addr & 0x7C0) == (Addr & 0x7C0);
        if (!samePage) {
            if (farJ) return EncodeFar(L, false, operand, Bytes);
            Error(L.No, L.Mnemonic + " reaches its own page only: " + AddrText(t.Addr) + " is not in the page of " + AddrText(Addr));
            return false;
        }
        Bytes = {static_cast<uint8_t>(0x80 | StepIndexToCode[t.Known ? t.Addr & 0x3F : 0])};
        return true;
    }
    const bool callF = HasForm(u, fmCall), farC = HasForm(u, fmFarCall), branchF = HasForm(u, fmBranch);
    if (callF || farC || branchF) {
        if (branchF) return EncodeShortCall(L, Addr, fmBranch, operand, Bytes);
        if (farC && !callF) return EncodeFar(L, true, operand, Bytes);
        // SHARP TRS: the one-byte call, or the far call.
        const auto parts = SplitReadings(operand);
        if (parts.size() == 2) {
            const std::string& p = parts[1];
            size_t sp = 0;
            while (sp < p.size() && !std::isspace(static_cast<unsigned char>(p[sp]))) ++sp;
            // The one-byte call names its branch reading with a mnemonic; the far call's
            // second target is an address or a label (which may look like any other name).
            const auto second = uses.find(Upper(p.substr(0, sp)));
            if (second != uses.end() && HasForm(second->second, fmBranch) && sp < p.size())
                return EncodeShortCall(L, Addr, fmCall, operand, Bytes);
            if (farC) return EncodeFar(L, true, operand, Bytes);
            return EncodeShortCall(L, Addr, fmCall, operand, Bytes);
        }
        TTarget t;
        if (!ResolveTarget(L, operand, t)) return false;
        if (!farC || !t.Known || (t.Addr >= 0x400 && t.Addr <= 0x43F)) return EncodeShortCall(L, Addr, fmCall, operand, Bytes);
        return EncodeFar(L, true, operand, Bytes);
    }
    return EncodeSimple(L, u, Bytes);
}

void TAssembler::Place(const TSourceLine& L, unsigned& Loc, const std::vector<uint8_t>& Bytes) {
    for (size_t i = 0; i < Bytes.size(); ++i) {
        const unsigned a = Loc + static_cast<unsigned>(i);
        if (a > LastROMAddress) {
            // Said once: every later line of the same run would only repeat it.
            if (!FPastEndReported) Error(L.No, "code runs past the end of the ROM (" + AddrText(LastROMAddress) + ")");
            FPastEndReported = FFinal;
            Loc += static_cast<unsigned>(Bytes.size());
            return;
        }
        if ((a & 0x3F) == 63) {
            if (i == 0 && Bytes.size() == 2) {
                Error(L.No, "a 2-byte instruction cannot stand at step 63 (" + AddrText(a) +
                                "), which holds the page's fixed jump to step 0");
                break;
            }
            if (Bytes[i] != 0x80)
                Error(L.No, "step 63 (" + AddrText(a) + ") holds the page's fixed jump to step 0" +
                                (i == 1 ? std::string(": a 2-byte instruction at step 62 needs 80 as its second byte")
                                        : std::string(": continue the code with .org")));
            continue;
        }
        if (FFinal) {
            if (FOwner[a]) {
                Error(L.No, "overlaps the code of line " + std::to_string(FOwner[a]) + " at " + AddrText(a));
                continue;
            }
            FOwner[a] = L.No;
            FImage[a] = Bytes[i];
        }
    }
    Loc += static_cast<unsigned>(Bytes.size());
}

void TAssembler::Pass(bool Final) {
    FFinal = Final;
    FNewLabels.clear();
    FPastEndReported = false;
    unsigned loc = 0;
    for (const auto& L : FLines) {
        if (L.ListedAddress >= 0) {
            loc = static_cast<unsigned>(L.ListedAddress);
            // A listing shows step 63 of every page too, which holds the chip's fixed jump
            // and no code: its line places nothing.
            if ((loc & 0x3F) == 63) continue;
        }
        if (!L.Label.empty()) {
            if (FNewLabels.count(L.Label)) Error(L.No, "label " + L.Label + " is defined twice");
            else FNewLabels[L.Label] = LabelAddress(loc);
        }
        switch (L.Kind) {
        case lkEmpty: break;
        case lkBad: Error(L.No, L.Error); break;
        case lkOrg: {
            T11bits a;
            auto it = FLabels.find(Trim(L.Operand));
            if (ParseAddress(L.Operand, FOptions.StepCodes, a) && a <= LastROMAddress) {
                loc = a;
            } else if (it != FLabels.end()) {
                loc = it->second;
            } else {
                Error(L.No, "bad .org address \"" + L.Operand + "\" (000 to " + AddrText(LastROMAddress) + ")");
            }
            if (!L.Label.empty()) FNewLabels[L.Label] = LabelAddress(loc);
            break;
        }
        case lkByte: {
            std::vector<uint8_t> bytes;
            bool ok = true;
            // Every comma separates two values: "1, 2," lacks its last value.
            size_t start = 0;
            while (!L.Operand.empty()) {
                const size_t comma = L.Operand.find(',', start);
                const std::string item = L.Operand.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
                long v = 0;
                if (!ParseNumber(item, v) || v < 0 || v > 0xFF) {
                    Error(L.No, "bad byte value \"" + Trim(item) + "\"");
                    ok = false;
                    break;
                }
                bytes.push_back(static_cast<uint8_t>(v));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
            if (ok && bytes.empty()) Error(L.No, ".byte needs at least one value");
            if (ok) Place(L, loc, bytes);
            break;
        }
        case lkInstruction: {
            std::vector<uint8_t> bytes;
            if (Encode(L, LabelAddress(loc), bytes)) Place(L, loc, bytes);
            break;
        }
        }
    }
}

TAssemblyResult TAssembler::Run(const std::string& Source) {
    // A UTF-8 byte-order mark that some editors write is not part of the first line.
    std::stringstream ss(Source.rfind("\xEF\xBB\xBF", 0) == 0 ? Source.substr(3) : Source);
    std::string line;
    int no = 0;
    while (std::getline(ss, line)) FLines.push_back(Lex(line, ++no, FOptions.StepCodes));

    // Sizes can depend on labels defined later (a SHARP TR or TRS is one byte when its
    // target is near): repeat the layout until the labels settle.
    for (int i = 0; i < 16; ++i) {
        Pass(false);
        const bool stable = FNewLabels == FLabels;
        FLabels = FNewLabels;
        if (stable) break;
    }
    Pass(true);

    if (!FMessages.empty()) {
        std::stable_sort(FMessages.begin(), FMessages.end(), [](const auto& a, const auto& b) { return a.Line < b.Line; });
        std::string what;
        const std::string Name = PrintableText(FFileName, 1024);
        for (const auto& m : FMessages) what += Name + ":" + std::to_string(m.Line) + ": " + m.Text + "\n";
        if (FMoreErrors) what += "... and " + std::to_string(FMoreErrors) + " more errors\n";
        what.pop_back();
        throw EAssemblerError(what, FMessages);
    }
    TAssemblyResult r;
    r.ExecutionOrder = FImage;
    for (int a = 0; a < ROMSize; ++a) r.Used[static_cast<size_t>(a)] = FOwner[static_cast<size_t>(a)] != 0;
    r.ChipOrder = ExecutionToChipOrder(FImage);
    r.Labels = FLabels;
    return r;
}

} // namespace

TAssemblyResult Assemble(const std::string& Source, const std::string& FileName, const TAssemblerOptions& AsmOptions) {
    TAssembler a(AsmOptions, FileName);
    return a.Run(Source);
}

} // namespace tarvolin
