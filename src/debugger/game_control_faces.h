// What a game control shows and means to a player: the sign drawn on it (an arrow, a bell,
// the reset sign, or its caption as text), the game function it stands for and the names of
// its keys. The control tables write some captions as letters of symbol fonts ("f" in
// "Wingdings 3" is a left arrow, "%" in "Wingdings" a bell); these are read here once, so the
// window never shows the raw letters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/input_output.h"

namespace tarvolin {

enum class TControlSign : uint8_t {
    Text, // the caption, drawn as text
    ArrowLeft,
    ArrowRight,
    ArrowUp,
    ArrowDown,
    ArrowUpLeft,
    ArrowUpRight,
    ArrowDownLeft,
    ArrowDownRight,
    Bell,
    Reset,
};

struct TGameControlFace {
    TControlSign Sign = TControlSign::Text;
    std::string Text;     // UTF-8; the caption when Sign is Text
    std::string Function; // "Game A", "Left", "Alarm", ...
    std::vector<std::string> Keys; // "1", "A", "Left arrow", ...
};

// The faces of a game's controls, in the order of the definitions. Two controls with the same
// function (a pair of "Up" buttons, one per side) are told apart by their side.
std::vector<TGameControlFace> GameControlFaces(const std::vector<TGameControlDef>& Defs);

// The name of a key of the control tables' virtual-key codes ("A", "5", "Left arrow").
std::string ControlKeyName(uint16_t VirtualKey);

// The hint of a game control: its function and keys on the first line ("Game A - keys 1, A").
std::string GameControlHint(const TGameControlFace& Face);

// One line per control for the list of the game's keys: "1, A: Game A".
std::vector<std::string> GameKeyList(const std::vector<TGameControlFace>& Faces);

} // namespace tarvolin
