#include "games/lcd_wirings.h"

#include <charconv>
#include <stdexcept>

namespace tarvolin {

namespace {

struct TWiringText {
    const char* Name;
    const char* COM0;
    const char* COM1;
    const char* Bits;
};

// Pads of the common pins and of O0..O8 (bits 3, 2, 1, 0 in each group).
constexpr TWiringText WiringTexts[] = {
    {"A", "1, 17", "16, 40",
     "15 14 13 12 / 11 10 9 8 / 7 6 5 4 / 3 2 39 38 / 37 36 35 34 / 33 32 31 30 / 29 28 27 26 / 25 24 23 22 / 21 20 19 18"},
    {"B", "1, 16", "15, 40",
     "14 13 12 11 / 10 9 8 7 / 6 5 4 3 / 2 39 38 37 / 36 35 34 33 / 32 31 30 29 / 28 27 26 25 / 24 23 22 21 / 20 19 18 17"},
    {"C", "1, 23", "22, 42",
     "21 20 19 18 / 17 16 13 12 / 11+14 10+15 9 8 / 7 6 5 4 / 3 2 41 40 / 39 38 37 36 / 35 34 33 32 / 31 30 29 28 / 27 26 25 24"},
    {"D", "13, 39", "1, 14",
     "- 12 11 10 / 9 8 7 6 / 5 4 3 2 / 38 37 36 35 / 34 33 32 31 / 30 29 28 27 / 26 25 24 23 / 22 21 20 19 / 18 17 16 15"},
    {"AC01", "1, 19", "18, 42",
     "32 35 34 33 / 28 31 30 29 / 24 27 26 25 / 20 23 22 21 / 17 16 15 14 / 11 9+13 8+10 7+12 / - 6 5 4 / 3 2 41 40 / 39 38 37 36"},
    {"FL02", "1", "25",
     "- - - - / - - - - / 24 23 22 21 / - - - 20 / 19 18 17 16 / 14 13 12 11 / 10 9 8 7 / - - 15 6 / 5 4 3 2"},
    {"MT03", "1, 22", "21, 40",
     "18 17 16 19 / 14 13 12 15+6 / 10 9 8 11 / 7 5 4 3 / 2 39 38 37 / 36 35 34 33 / 32 31 30 29 / 28 27 26 25 / 24 23 20 -"},
    {"RC04", "1, 12", "11, 34",
     "- - - - / - - 10 9 / 8 7 6 5 / 4 3 2 33 / 32 31 30 29 / 28 27 26 25 / 24 23 22 21 / 20 19 18 17 / 16 15 14 13"},
    {"IP05", "12, 39", "1, 13",
     "2 38 37 36 / 35 34 33 32 / 31 30 29 28 / 25 24 23 22 / 21 20 19 18 / 17 16 15 14 / 27 26 11 10 / 9 8 7 6 / 5 4 3 -"},
    {"MH06", "1, 14", "13, 36",
     "- - - 12 / 11 10 9 8 / 7 6 5 4 / 3 2 35 34 / 33 32 31 30 / 29 28 27 26 / 25 24 23 22 / 21 20 19 18 / 17 16 15 -"},
    {"LN08", "1, 15", "14, 36",
     "- - - - / 13 12 11 10 / 9 8 7 6 / 5 4 3 2 / 35 34 33 32 / 31 30 29 28 / 27 26 25 24 / 23 22 21 20 / 19 18 17 16"},
    {"PP23", "14, 40", "1, 15",
     "13 12 11 10 / 9 8 7 6 / 5 4 3 2 / 39 38 37 36 / 35 34 33 32 / 31 30 29 28 / 27 26 25 24 / 23 22 21 20 / 19 18 17 16"},
    {"GK10", "1, 16", "15, 39",
     "27 26 25 24 / 31 30 29 28+36 / 35 34 33 32 / 9 8 7+17 6 / 18 5 4 3 / 2 38 37 - / 23 22 21 - / 20 19 14 13 / 12 11 10 -"},
    {"SK10", "1, 14", "13, 37",
     "12 11 10 9 / 8 7 6 5 / 4 3 2 36 / 35 34 33 32 / 31 30 29 28 / 27 26 25 24 / 23 22 21 20 / 19 18 17 16 / 15 - - -"},
};

[[noreturn]] void Fail(std::string_view Name, const std::string& What) {
    throw std::invalid_argument("wiring " + std::string(Name) + ": " + What);
}

TLCDpad ParsePad(std::string_view Name, std::string_view Token) {
    unsigned Value = 0;
    auto [End, Error] = std::from_chars(Token.data(), Token.data() + Token.size(), Value);
    if (Error != std::errc() || End != Token.data() + Token.size() || Value < 1 || Value > 54)
        Fail(Name, "bad pad \"" + std::string(Token) + "\"");
    return static_cast<TLCDpad>(Value);
}

std::vector<std::string_view> SplitWords(std::string_view Text, std::string_view Separators) {
    std::vector<std::string_view> Words;
    size_t Pos = 0;
    while (Pos < Text.size()) {
        size_t Start = Text.find_first_not_of(Separators, Pos);
        if (Start == std::string_view::npos) break;
        size_t End = Text.find_first_of(Separators, Start);
        if (End == std::string_view::npos) End = Text.size();
        Words.push_back(Text.substr(Start, End - Start));
        Pos = End;
    }
    return Words;
}

std::vector<TLCDpad> ParsePadEntry(std::string_view Name, std::string_view Entry) {
    std::vector<TLCDpad> Pads;
    if (Entry == "-") return Pads;
    for (std::string_view Part : SplitWords(Entry, "+")) Pads.push_back(ParsePad(Name, Part));
    if (Pads.empty() || Pads.size() > 2) Fail(Name, "bad entry \"" + std::string(Entry) + "\"");
    return Pads;
}

} // namespace

TPinWiring ParsePinWiring(std::string_view Name, std::string_view COM0, std::string_view COM1,
                          std::string_view Bits) {
    TPinWiring W;
    W.Name = Name;
    for (std::string_view Pad : SplitWords(COM0, ", ")) W.COM0Pads.push_back(ParsePad(Name, Pad));
    for (std::string_view Pad : SplitWords(COM1, ", ")) W.COM1Pads.push_back(ParsePad(Name, Pad));
    if (W.COM0Pads.empty() || W.COM1Pads.empty()) Fail(Name, "a common pin without pads");
    std::vector<std::string_view> Groups = SplitWords(Bits, "/");
    if (Groups.size() != 9) Fail(Name, "expected 9 nibble groups");
    int k = 0;
    for (std::string_view Group : Groups) {
        std::vector<std::string_view> Entries = SplitWords(Group, " ");
        if (Entries.size() != 4) Fail(Name, "expected 4 bits in \"" + std::string(Group) + "\"");
        for (std::string_view Entry : Entries) W.BitPads[k++] = ParsePadEntry(Name, Entry);
    }
    // A pad is reached by at most one pin.
    std::array<bool, 64> Seen{};
    auto Claim = [&](TLCDpad Pad) {
        if (Seen[Pad]) Fail(Name, "pad " + std::to_string(Pad) + " wired twice");
        Seen[Pad] = true;
    };
    for (TLCDpad Pad : W.COM0Pads) Claim(Pad);
    for (TLCDpad Pad : W.COM1Pads) Claim(Pad);
    for (const auto& Pads : W.BitPads)
        for (TLCDpad Pad : Pads) Claim(Pad);
    return W;
}

const std::vector<TPinWiring>& AllPinWirings() {
    static const std::vector<TPinWiring> Wirings = [] {
        std::vector<TPinWiring> List;
        for (const TWiringText& T : WiringTexts) List.push_back(ParsePinWiring(T.Name, T.COM0, T.COM1, T.Bits));
        return List;
    }();
    return Wirings;
}

const TPinWiring& PinWiring(std::string_view Name) {
    for (const TPinWiring& W : AllPinWirings())
        if (W.Name == Name) return W;
    throw std::out_of_range("no LCD wiring named " + std::string(Name));
}

} // namespace tarvolin
