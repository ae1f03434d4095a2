#include "debugger/input_dialogs.h"

#include <cstdio>

#include "base/options.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "core/step_tables.h"
#include "disasm/disasm.h"

namespace tarvolin {

namespace {

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Hex(uint32_t v, int Digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.*X", Digits, v);
    return buf;
}

const char* const OutOfRange = TR_NOOP("InputDialogs", "Out of range.");
const char* const NotBankPageStep = TR_NOOP("InputDialogs", "Value not in Bank:Page:Step address notation.");

} // namespace

bool HexToInt(const std::string& Text, uint32_t& Value) {
    std::string s = Trim(Text);
    if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.erase(0, 2);
    if (s.empty()) return false;
    uint64_t v = 0;
    for (char c : s) {
        int d = HexDigitValue(c);
        if (d < 0) return false;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull) return false;
    }
    Value = static_cast<uint32_t>(v);
    return true;
}

std::string NumberConversionError(const std::string& Text) {
    return Format(Tr("InputDialogs", "'%s' is not a valid integer value.").c_str(), Trim(Text).c_str());
}

int HexDigitsFor(uint32_t Max) {
    int d = 1;
    if (Max >= 0x10) ++d;
    if (Max >= 0x100) ++d;
    if (Max >= 0x1000) ++d;
    return d;
}

std::string GetIntegerTitle(uint32_t Max, uint32_t Min) {
    if (Max == 1) return Tr("InputDialogs", "Enter 0 or 1");
    int d = HexDigitsFor(Max);
    return Format(Tr("InputDialogs", "Enter hexadecimal value (%s-%s)").c_str(), Hex(Min, d).c_str(),
                  Hex(Max, d).c_str());
}

TInputCheck CheckIntegerInput(const std::string& Text, uint32_t Max, uint32_t& Value) {
    if (Trim(Text).empty()) return TInputCheck::Refuse();
    uint32_t v = 0;
    if (!HexToInt(Text, v)) return TInputCheck::Refuse(NumberConversionError(Text));
    if (v > Max) return TInputCheck::Refuse(Tr("InputDialogs", OutOfRange));
    Value = v;
    return TInputCheck::Accept();
}

bool ParseBankPageStepAddr(const std::string& Text, T11bits& Addr) {
    Addr = NoAddress;
    const int n = static_cast<int>(Text.size());
    if (n == 0) return false;
    int i = n - 1;
    int d = HexDigitValue(Text[size_t(i)]);
    if (d < 0) return false;
    unsigned Step = static_cast<unsigned>(d);
    --i;
    if (i >= 0 && Text[size_t(i)] >= '0' && Text[size_t(i)] <= '3') {
        Step |= static_cast<unsigned>(Text[size_t(i)] - '0') << 4;
        --i;
    }
    if (i < 0) {
        Addr = static_cast<T11bits>(Step);
        return true;
    }
    // ":" before the step, not as the first character, with a page digit before it.
    if (Text[size_t(i)] != ':' || i == 0) return false;
    --i;
    int PageDigit = HexDigitValue(Text[size_t(i)]);
    if (PageDigit < 0) return false;
    unsigned Page = static_cast<unsigned>(PageDigit);
    if (i == 0) {
        Addr = static_cast<T11bits>((Page << 6) | Step);
        return true;
    }
    // "B:" in front: exactly two more characters.
    if (i != 2 || Text[1] != ':') return false;
    if (Text[0] != '0' && Text[0] != '1') return false;
    unsigned Bank = static_cast<unsigned>(Text[0] - '0');
    Addr = static_cast<T11bits>((Bank << 10) | (Page << 6) | Step);
    return true;
}

TInputCheck CheckBankPageStepInput(const std::string& Text, T11bits Max, T11bits& Addr) {
    T11bits a = NoAddress;
    if (!ParseBankPageStepAddr(Trim(Text), a)) return TInputCheck::Refuse(Tr("InputDialogs", NotBankPageStep));
    if (a > Max) return TInputCheck::Refuse(Tr("InputDialogs", OutOfRange));
    Addr = a;
    return TInputCheck::Accept();
}

bool GetInteger(TPrompter& Prompter, const std::string& Caption, uint32_t& Value, uint32_t Max, uint32_t Min) {
    TInputDialog Dialog;
    Dialog.Title = GetIntegerTitle(Max, Min);
    Dialog.Fields.push_back({Caption + ":", Hex(Value, HexDigitsFor(Max))});
    uint32_t Result = Value;
    Dialog.Validate = [&](const std::vector<std::string>& Texts) {
        return CheckIntegerInput(Texts.empty() ? std::string() : Texts[0], Max, Result);
    };
    if (!Prompter.Input(Dialog)) return false;
    // Re-check the accepted text, so a prompter that skipped validation cannot pass junk.
    uint32_t v = 0;
    if (!CheckIntegerInput(Dialog.Fields[0].Text, Max, v).Accepted) return false;
    Value = v;
    return true;
}

bool GetBankPageStepAddr(TPrompter& Prompter, const std::string& Caption, T11bits& Addr, T11bits Max) {
    TInputDialog Dialog;
    Dialog.Title = Tr("InputDialogs", "Enter address in Bank:Page:Step notation");
    Dialog.Fields.push_back({Caption + ":", AddrToStr(Addr)});
    Dialog.Validate = [Max](const std::vector<std::string>& Texts) {
        T11bits a = NoAddress;
        return CheckBankPageStepInput(Texts.empty() ? std::string() : Texts[0], Max, a);
    };
    if (!Prompter.Input(Dialog)) return false;
    T11bits a = NoAddress;
    if (!CheckBankPageStepInput(Dialog.Fields[0].Text, Max, a).Accepted) return false;
    Addr = a;
    return true;
}

namespace {
T11bits StepToCode(T11bits Addr) { return static_cast<T11bits>((Addr & 0x7C0) | StepIndexToCode[Addr & 0x3F]); }
T11bits CodeToStep(T11bits Addr) { return static_cast<T11bits>((Addr & 0x7C0) | CodeToStepIndex[Addr & 0x3F]); }
} // namespace

bool GetAddress(TPrompter& Prompter, const std::string& Caption, T11bits& Addr, T11bits Max) {
    const bool LFSR = Options().UseLFSRAddressing;
    T11bits Result = Addr;
    if (Options().UseBankPageStepAddressNotation) {
        // The proposal (AddrToStr) already shows the step as a step code with LFSR addressing.
        if (!GetBankPageStepAddr(Prompter, Caption, Result, Max)) return false;
    } else {
        uint32_t v = LFSR ? StepToCode(Addr) : Addr;
        if (!GetInteger(Prompter, Caption, v, Max, 0)) return false;
        Result = static_cast<T11bits>(v & 0x7FF);
    }
    // The user types the step the way it is shown; the program works with step indexes.
    Addr = LFSR ? CodeToStep(Result) : Result;
    return true;
}

bool GetAddressDescription(TPrompter& Prompter, T11bits Addr, std::string& Label, std::string& Comment) {
    TInputDialog Dialog;
    Dialog.Title = Format(Tr("InputDialogs", "Enter your description of address %s").c_str(), AddrToStr(Addr).c_str());
    Dialog.Fields.push_back({Tr("InputDialogs", "Label:"), Label});
    Dialog.Fields.push_back({Tr("InputDialogs", "Comment:"), Comment});
    if (!Prompter.Input(Dialog)) return false;
    Label = Dialog.Fields[0].Text;
    Comment = Dialog.Fields[1].Text;
    return true;
}

} // namespace tarvolin
