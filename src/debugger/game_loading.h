// The game loading feature: loading a game of the catalogue or a custom ROM (the remembered
// ROM file, the open dialog, a zip archive, in testing mode a download, the size question),
// the Game menu's radio item, the command-line argument, and closing a game after every
// feature with unsaved work has agreed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "debugger/task_runner.h"

namespace tarvolin {

class TSettings;

// A game's ROM image, read and agreed to (its size question answered), not yet loaded.
struct TObtainedROM {
    const TMCUClass* Class = nullptr;
    std::string Data;
    std::string SourceFile; // "" when it did not come from a file
};

// An entry of the Game menu's recent ROM list.
struct TRecentROMEntry {
    const TMCUClass* Class = nullptr; // nullptr: a game this program does not know
    std::string File;
    std::string Caption; // "&1 <game> - <file>", ampersands of the names doubled
};

class TGameLoadingControl {
public:
    TGameLoadingControl(TLoadedGame& Game, TWindowView& Window, TPrompter& Prompter, TSettings& Settings,
                        TGameHost& Host, TStateSink& States);

    // The games the command line knows by short name (the custom game never matches); the
    // whole catalogue by default.
    void SetGameCatalogue(std::vector<const TMCUClass*> Games) { FCatalogue = std::move(Games); }
    const TMCUClass* FindGameByShortName(const std::string& ShortName) const;
    // Where downloads run; the window hands its own (a worker thread and a progress dialog).
    // Unset: at once on the calling thread.
    void SetTaskRunner(TTaskRunner* Runner) { FTasks = Runner ? Runner : &FDirectTasks; }
    // A game of the catalogue (in menu order), then the custom game, by short name without
    // regard to case; none shows "Unrecognized game: '%s'." (quietly: no box).
    const TMCUClass* FindGameClassByShortName(const std::string& ShortName, bool Quietly = false) const;
    // Features asked, in order, before a game is closed.
    void AddCloseQuestion(TCloseQuestion& Question) { FCloseQuestions.push_back(&Question); }

    // The Game menu's checked item (nullptr = none).
    const TMCUClass* CheckedGame() const { return FCheckedGame; }
    // A debug session loaded a game: its Game menu item is checked as if it had been chosen.
    void SetCheckedGame(const TMCUClass* Class) { FCheckedGame = Class; }

    // LoadGame of a game class; FileName is used for the custom game only ("" = ask). A game
    // still loaded is replaced after a confirmation (callers that must ask first close it).
    bool LoadGame(const TMCUClass* GameClass, const std::string& FileName = {});
    // The ROM of a game from its source (FileName if given, for a catalogue game the remembered
    // file, a download in testing mode or the open dialog), with the size question. Nothing
    // when the user cancelled or the source failed (the user has been told why).
    std::optional<TObtainedROM> ObtainROM(const TMCUClass& GameClass, const std::string& FileName = {});
    // Creates the game's MCU from an obtained ROM and installs it; the file joins the recent ROMs.
    bool InstallROM(const TObtainedROM& ROM);
    // A Game menu entry (or a recent ROM: FileName given): the ROM is obtained first, then the
    // questions before closing the current game are asked, then the game is switched; a cancel
    // anywhere keeps the current game. The entry is checked on success.
    bool LoadGameFromMenu(const TMCUClass* GameClass, const std::string& FileName = {});

    // The Game menu's "Recent ROMs", newest first.
    std::vector<TRecentROMEntry> RecentROMs() const;
    // Loads entry Index as the Game menu would; an entry whose file or game is gone is
    // reported and removed from the list.
    bool LoadRecentROM(size_t Index);
    void ClearRecentROMs();
    // The first command-line argument (short name, ".dbgsession" file or ROM file).
    void HandleCommandLine(const std::string& Argument);

    // Opens a ".dbgsession" file named on the command line (set by the owner).
    std::function<void(const std::string&)> OnOpenSession;

    // Asks every feature with unsaved work and closes the game. False when the user
    // cancelled. lTerminating: the window is closing, keep the game.
    bool CanCloseGame(bool lTerminating = false);
    void CloseGame();

private:
    // Reads a ROM file, or the game's file out of a zip archive (".zip" in any letter case).
    bool ReadROMFile(const std::string& FileName, const TMCUClass& Game, std::string& Data, uint64_t& Size);
    // Testing mode: downloads the game's ROM, keeps it in the program folder and enters it in
    // the ROM file list. False (after telling the user why, unless they cancelled) without it.
    // SavedFile receives the file the ROM was kept in ("" when it could not be written).
    bool DownloadGameROM(const TMCUClass& Game, std::string& Data, std::string& SavedFile);
    void AddRecentROM(const TMCUClass& Game, const std::string& File);

    TLoadedGame& FGame;
    TWindowView& FWindow;
    TPrompter& FPrompter;
    TSettings& FSettings;
    TGameHost& FHost;
    TStateSink& FStates;
    std::vector<const TMCUClass*> FCatalogue;
    std::vector<TCloseQuestion*> FCloseQuestions;
    const TMCUClass* FCheckedGame = nullptr;
    TDirectTaskRunner FDirectTasks;
    TTaskRunner* FTasks = &FDirectTasks;
};

} // namespace tarvolin
