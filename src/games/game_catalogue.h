// The game catalogue as data: the Game menu, the hardware of every game, and lookups.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/input_output.h"
#include "core/mcu.h"

namespace tarvolin {

struct TLCDDriverClass;

// One item of the Game menu; a separator has no class.
struct TGameMenuEntry {
    const TMCUClass* Class;  // nullptr = separator
    const char* MenuCaption; // with "&" accelerator and "&&" for a literal ampersand; English
    const char* MenuShortcut; // "Ctrl+1", "Ctrl+Shift+1", ... ; "" = none
    bool IsSeparator() const { return Class == nullptr; }
    // The caption in the interface language (product names stay as they are).
    std::string ShownCaption() const;
};

// The Game menu in order, separators included; the custom game is last.
const std::vector<TGameMenuEntry>& GameMenuEntries();
// Every game class in menu order, the custom game (TSHARP_SM5A_MCU) last.
const std::vector<const TMCUClass*>& GameClasses();
// The class whose ShortGameName matches, ignoring ASCII case ("mh06", "Altair",
// "custom_game"); nullptr when there is none.
const TMCUClass* FindGameClass(std::string_view ShortGameName);
// The menu entry of a class, nullptr for a class that is not in the menu.
const TGameMenuEntry* FindGameMenuEntry(const TMCUClass& Class);

// How a game's board is wired, as its SetupGame configures the MCU.
struct TGameHardware {
    const TMCUClass* Class;
    std::vector<const TLCDDriverClass*> LCDDrivers; // first = used at start
    TMCUpin1Position Pin1Position;
    TInputGNDs Grounds;
    bool AlphaWired, BetaWired;
    int ControlTable; // standard table 1..7, 0 = the game's own table
    std::vector<uint8_t> DigitORegisters;
    bool TD0IsCOM1;
};

// The hardware of a game class; a variant without a row of its own uses its parent's.
// nullptr for the custom game.
const TGameHardware* FindGameHardware(const TMCUClass& Class);
const std::vector<TGameHardware>& AllGameHardware();
// The controls of a game: its standard table or its own definitions.
std::vector<TGameControlDef> GameControls(const TGameHardware& Hardware);
// The first game in menu order whose driver list holds the class; nullptr if none.
const TGameHardware* FirstGameListingLCDDriver(const TLCDDriverClass& Class);

// Configures an MCU's game fields from a hardware row.
void ApplyGameHardware(const TGameHardware& Hardware, TSHARP_SM5A_MCU& MCU,
                       TMCUpin1Position& Pin1Position, std::vector<uint8_t>& DigitEncodingORegisters);

} // namespace tarvolin
