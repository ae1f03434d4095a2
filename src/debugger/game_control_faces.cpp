#include "debugger/game_control_faces.h"

#include <algorithm>
#include <map>

#include "base/text_format.h"
#include "base/translate.h"

namespace tarvolin {

namespace {

// Texts of the faces, kept together.
const char* const FunctionLeft = TR_NOOP("GameControls", "Left");
const char* const FunctionRight = TR_NOOP("GameControls", "Right");
const char* const FunctionUp = TR_NOOP("GameControls", "Up");
const char* const FunctionDown = TR_NOOP("GameControls", "Down");
const char* const FunctionUpperLeft = TR_NOOP("GameControls", "Upper left");
const char* const FunctionUpperRight = TR_NOOP("GameControls", "Upper right");
const char* const FunctionLowerLeft = TR_NOOP("GameControls", "Lower left");
const char* const FunctionLowerRight = TR_NOOP("GameControls", "Lower right");
const char* const FunctionAlarm = TR_NOOP("GameControls", "Alarm");
const char* const FunctionReset = TR_NOOP("GameControls", "Reset");
const char* const FunctionGameA = TR_NOOP("GameControls", "Game A");
const char* const FunctionGameB = TR_NOOP("GameControls", "Game B");
const char* const FunctionTime = TR_NOOP("GameControls", "Time");
const char* const FunctionButton = TR_NOOP("GameControls", "Button \"%s\"");
// A function told apart by its side; a function with its keys (the keys joined by ", ").
const char* const SideLeft = TR_NOOP("GameControls", "%s (left side)");
const char* const SideRight = TR_NOOP("GameControls", "%s (right side)");
const char* const HintOneKey = TR_NOOP("GameControls", "%s - key %s");
const char* const HintKeys = TR_NOOP("GameControls", "%s - keys %s");

TControlSign SignOf(const TGameControlDef& D) {
    if (D.FCaption.size() != 1) return TControlSign::Text;
    const char c = D.FCaption[0];
    if (D.FFontName == "Wingdings 3") {
        switch (c) {
        case 'f': return TControlSign::ArrowLeft;
        case 'g': return TControlSign::ArrowRight;
        case 'h': return TControlSign::ArrowUp;
        case 'i': return TControlSign::ArrowDown;
        case 'j': return TControlSign::ArrowUpLeft;
        case 'k': return TControlSign::ArrowUpRight;
        case 'l': return TControlSign::ArrowDownLeft;
        case 'm': return TControlSign::ArrowDownRight;
        case 'P': return TControlSign::Reset;
        default: break;
        }
    }
    if (D.FFontName == "Wingdings" && c == '%') return TControlSign::Bell;
    return TControlSign::Text;
}

std::string Shown(const char* Text) { return Tr("GameControls", Text); }

std::string FunctionOf(const TGameControlDef& D, TControlSign Sign) {
    if (D.FGnd == gndDirect && D.FAssociatedInputPin == aipACL) return Shown(FunctionReset);
    switch (Sign) {
    case TControlSign::ArrowLeft: return Shown(FunctionLeft);
    case TControlSign::ArrowRight: return Shown(FunctionRight);
    case TControlSign::ArrowUp: return Shown(FunctionUp);
    case TControlSign::ArrowDown: return Shown(FunctionDown);
    case TControlSign::ArrowUpLeft: return Shown(FunctionUpperLeft);
    case TControlSign::ArrowUpRight: return Shown(FunctionUpperRight);
    case TControlSign::ArrowDownLeft: return Shown(FunctionLowerLeft);
    case TControlSign::ArrowDownRight: return Shown(FunctionLowerRight);
    case TControlSign::Bell: return Shown(FunctionAlarm);
    case TControlSign::Reset: return Shown(FunctionReset);
    case TControlSign::Text: break;
    }
    // The Latin captions of the Game & Watch games and the Cyrillic ones of the Elektronika
    // games ("Игра А", "Игра Б", "время"; the notes sign is their alarm key).
    static const std::map<std::string, const char*> Known = {
        {"A", FunctionGameA},          {"B", FunctionGameB},          {"T", FunctionTime},
        {"\xD0\x90", FunctionGameA},   {"\xD0\x91", FunctionGameB},   {"\xD0\xB2", FunctionTime},
        {"\xE2\x99\xAB", FunctionAlarm},
    };
    if (auto it = Known.find(D.FCaption); it != Known.end()) return Shown(it->second);
    std::string s = Shown(FunctionButton);
    s.replace(s.find("%s"), 2, D.FCaption);
    return s;
}

} // namespace

std::string ControlKeyName(uint16_t VirtualKey) {
    if ((VirtualKey >= 'A' && VirtualKey <= 'Z') || (VirtualKey >= '0' && VirtualKey <= '9'))
        return std::string(1, static_cast<char>(VirtualKey));
    switch (VirtualKey) {
    case 0x25: return Tr("GameControls", "Left arrow");
    case 0x26: return Tr("GameControls", "Up arrow");
    case 0x27: return Tr("GameControls", "Right arrow");
    case 0x28: return Tr("GameControls", "Down arrow");
    case 0x20: return Tr("GameControls", "Space");
    case 0x0D: return "Enter";
    default: return Format(Tr("GameControls", "Key 0x%.2X").c_str(), VirtualKey);
    }
}

std::vector<TGameControlFace> GameControlFaces(const std::vector<TGameControlDef>& Defs) {
    std::vector<TGameControlFace> Faces;
    Faces.reserve(Defs.size());
    for (const TGameControlDef& D : Defs) {
        TGameControlFace F;
        F.Sign = SignOf(D);
        F.Text = F.Sign == TControlSign::Text ? D.FCaption : std::string();
        F.Function = FunctionOf(D, F.Sign);
        for (uint16_t Key : D.FVirtualKeyCodes) F.Keys.push_back(ControlKeyName(Key));
        Faces.push_back(std::move(F));
    }
    // A pair of controls with one function (one per player's side) is told apart by its side.
    std::vector<std::string> Plain;
    for (const TGameControlFace& F : Faces) Plain.push_back(F.Function);
    for (size_t i = 0; i < Faces.size(); ++i) {
        int Leftmost = Defs[i].FOrigin.x, Rightmost = Defs[i].FOrigin.x;
        bool Shared = false;
        for (size_t j = 0; j < Faces.size(); ++j) {
            if (j == i || Plain[j] != Plain[i]) continue;
            Shared = true;
            Leftmost = std::min(Leftmost, Defs[j].FOrigin.x);
            Rightmost = std::max(Rightmost, Defs[j].FOrigin.x);
        }
        if (Shared && Leftmost != Rightmost)
            Faces[i].Function = Format(Shown(Defs[i].FOrigin.x == Leftmost ? SideLeft : SideRight).c_str(),
                                       Faces[i].Function.c_str());
    }
    return Faces;
}

std::string GameControlHint(const TGameControlFace& Face) {
    if (Face.Keys.empty()) return Face.Function;
    std::string Keys;
    for (size_t i = 0; i < Face.Keys.size(); ++i) Keys += (i ? ", " : "") + Face.Keys[i];
    return Format(Shown(Face.Keys.size() == 1 ? HintOneKey : HintKeys).c_str(), Face.Function.c_str(), Keys.c_str());
}

std::vector<std::string> GameKeyList(const std::vector<TGameControlFace>& Faces) {
    std::vector<std::string> Lines;
    for (const TGameControlFace& F : Faces) {
        if (F.Keys.empty()) continue;
        std::string s = F.Function + ": ";
        for (size_t i = 0; i < F.Keys.size(); ++i) s += (i ? ", " : "") + F.Keys[i];
        Lines.push_back(std::move(s));
    }
    return Lines;
}

} // namespace tarvolin
