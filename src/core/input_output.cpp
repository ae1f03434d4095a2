#include "core/input_output.h"
#include "base/text_format.h"
#include "base/translate.h"

#include <cstdio>
#include <stdexcept>

#include "base/errors.h"

namespace tarvolin {

void TInputOutput::RaiseInputQuery(const TLabelingNumbers& OutputLabelingNumbers, int RBit) {
    throw EEmulatorError(Format(Tr("Emulator", "Querying input for R%s=0").c_str(), OutputLabelingNumbers[size_t(RBit)]));
}

void TInputOutput::RaiseAlphaQuery() { throw EEmulatorError(Tr("Emulator", "Querying Alpha state")); }

void TInputOutput::RaiseBetaQuery() { throw EEmulatorError(Tr("Emulator", "Querying Beta state")); }

bool IsValidGndPinCombination(TInputGND Gnd, TGameControlAssociatedInputPin Pin) {
    if (Gnd == gndDirect) return Pin <= aipACL;
    if (Gnd == gndR4 || Gnd == gndR3 || Gnd == gndR2) return Pin <= aipK1;
    return false;
}

void CheckGndPinCombination(TInputGND Gnd, TGameControlAssociatedInputPin Pin) {
    if (IsValidGndPinCombination(Gnd, Pin)) return;
    throw std::invalid_argument(
        Format(Tr("Controls", "Invalid combination of Gnd (%d) and AssociatedInputPin (%d).").c_str(), int(Gnd), int(Pin)));
}

TGameControlDef TGameControlDef::Create(TPoint AOrigin, TSize ASize, std::string ACaption,
                                        std::string AFontName, int32_t AFontSize, TInputGND AGnd,
                                        TGameControlAssociatedInputPin AAssociatedInputPin,
                                        std::vector<uint16_t> AVirtualKeyCodes) {
    TGameControlDef d;
    d.FOrigin = AOrigin;
    d.FSize = ASize;
    d.FCaption = std::move(ACaption);
    d.FFontName = std::move(AFontName);
    d.FFontSize = AFontSize;
    d.FGnd = AGnd;
    d.FAssociatedInputPin = AAssociatedInputPin;
    d.FVirtualKeyCodes = std::move(AVirtualKeyCodes);
    return d;
}

namespace {

const char* const W3 = "Wingdings 3";
const char* const Wd = "Wingdings";
const char* const Ta = "Tahoma";
const char* const Ar = "Arial";

TGameControlDef Def(int x, int y, int cx, int cy, const char* caption, const char* font, int fontSize,
                    TInputGND gnd, TGameControlAssociatedInputPin pin, std::vector<uint16_t> keys) {
    return TGameControlDef::Create({x, y}, {cx, cy}, caption, font ? font : "", fontSize, gnd, pin,
                                   std::move(keys));
}

struct TStandardControls {
    std::vector<TGameControlDef> Tables[7];

    TStandardControls() {
        const auto L1 = Def(24, 64, 25, 25, "f", W3, 13, gndDirect, aipBeta, {VK_LEFT});
        const auto R1 = Def(96, 64, 25, 25, "g", W3, 13, gndDirect, aipAlpha, {VK_RIGHT});
        const auto GA1 = Def(72, 96, 25, 17, "A", nullptr, 0, gndDirect, aipK3, {'1', 'A'});
        const auto GB1 = Def(96, 96, 25, 17, "B", nullptr, 0, gndDirect, aipK2, {'2', 'B'});
        const auto TM1 = Def(120, 96, 25, 17, "T", nullptr, 0, gndDirect, aipK1, {'5', 'T'});
        const auto AC1 = Def(7, 96, 25, 17, "P", W3, 13, gndDirect, aipACL, {'9'});
        const auto GA2 = Def(72, 96, 25, 17, "A", nullptr, 0, gndR4, aipK3, {'1', 'A'});
        const auto GB2 = Def(96, 96, 25, 17, "B", nullptr, 0, gndR4, aipK2, {'2', 'B'});
        const auto TM2 = Def(120, 96, 25, 17, "T", nullptr, 0, gndR4, aipK1, {'5', 'T'});
        const auto AL2 = Def(32, 96, 25, 17, "%", Wd, 12, gndR4, aipK4, {'0', 'L'});
        const auto L3 = Def(24, 96, 25, 25, "f", W3, 13, gndDirect, aipAlpha, {VK_LEFT});
        const auto R3 = Def(64, 96, 25, 25, "g", W3, 13, gndDirect, aipBeta, {VK_RIGHT});
        const auto GA3 = Def(64, 8, 25, 17, "A", nullptr, 0, gndR4, aipK3, {'1', 'A'});
        const auto GB3 = Def(64, 24, 25, 17, "B", nullptr, 0, gndR4, aipK2, {'2', 'B'});
        const auto TM3 = Def(64, 40, 25, 17, "T", nullptr, 0, gndR4, aipK1, {'5', 'T'});
        const auto AL3 = Def(104, 16, 25, 17, "%", Wd, 12, gndR4, aipK4, {'0', 'L'});
        const auto AC3 = Def(104, 32, 25, 17, "P", W3, 13, gndDirect, aipACL, {'9'});
        const auto LU4 = Def(24, 39, 25, 25, "j", W3, 13, gndR3, aipK4, {'W'});
        const auto LD4 = Def(24, 64, 25, 25, "l", W3, 13, gndR3, aipK3, {'S'});
        const auto RU4 = Def(96, 39, 25, 25, "k", W3, 13, gndR3, aipK2, {'O'});
        const auto RD4 = Def(96, 64, 25, 25, "m", W3, 13, gndR3, aipK1, {'K'});
        const auto LU5 = Def(24, 72, 25, 25, "j", W3, 13, gndR3, aipK4, {'W'});
        const auto LD5 = Def(24, 96, 25, 25, "l", W3, 13, gndR3, aipK3, {'S'});
        const auto RU5 = Def(64, 72, 25, 25, "k", W3, 13, gndR3, aipK2, {'O'});
        const auto RD5 = Def(64, 96, 25, 25, "m", W3, 13, gndR3, aipK1, {'K'});
        const auto GA6 = Def(64, 8, 25, 17, "\xD0\x90", Ta, 0, gndR4, aipK3, {'1', 'A'});  // Cyrillic A
        const auto GB6 = Def(64, 24, 25, 17, "\xD0\x91", Ta, 0, gndR4, aipK2, {'2', 'B'}); // Cyrillic Be
        const auto TM6 = Def(64, 40, 25, 17, "\xD0\xB2", Ta, 0, gndR4, aipK1, {'5', 'T'}); // Cyrillic ve
        const auto AL6 =
            Def(104, 16, 25, 17, "\xE2\x99\xAB", Ar, 11, gndR4, aipK4, {'0', 'L'}); // beamed notes

        Tables[0] = {L1, R1, GA1, GB1, TM1, AC1};
        Tables[1] = {L1, R1, GA2, GB2, TM2, AC1, AL2};
        Tables[2] = {L3, R3, GA3, GB3, TM3, AL3, AC3};
        Tables[3] = {LU4, LD4, RU4, RD4, GA2, GB2, TM2, AC1, AL2};
        Tables[4] = {LU5, LD5, RU5, RD5, GA3, GB3, TM3, AL3, AC3};
        Tables[5] = {L3, R3, GA6, GB6, TM6, AL6, AC3};
        Tables[6] = {LU5, LD5, RU5, RD5, GA6, GB6, TM6, AL3, AC3};
    }
};

} // namespace

const std::vector<TGameControlDef>& StandardGameControls(int Table) {
    static const TStandardControls controls;
    if (Table < 1 || Table > 7) throw std::out_of_range("Standard game control table must be 1..7");
    return controls.Tables[Table - 1];
}

} // namespace tarvolin
