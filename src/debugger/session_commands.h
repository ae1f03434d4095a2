// The debug session feature: the Session menu (Open, Save, Save as), opening a session file
// named on the command line, the session a ".dat" import creates, and the main block of the
// session file: what is written from the window's features and how a file read back is
// applied to them, in the order the file gives.
//
// A session file is read and checked completely before anything is closed or applied; a
// file that is refused leaves the loaded game and its session as they were. Once the game
// the file names is loaded, a failure closes it again, so no half-loaded game remains that a
// later Save could write over the good file.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "debugger/breakpoints.h"
#include "debugger/feature_links.h"
#include "debugger/game_loading.h"
#include "debugger/input.h"
#include "debugger/lcd_picture.h"
#include "debugger/navigation.h"
#include "debugger/prompter.h"
#include "debugger/run_control.h"
#include "debugger/session.h"
#include "debugger/session_format.h"
#include "debugger/sound_recording.h"

namespace tarvolin {

extern const char* const NoSessionDataText;

// The Session menu's dialogs.
TFileDialog SessionOpenDialog();
TFileDialog SessionSaveDialog(const std::string& ProposedName);

class TSessionCommands {
public:
    struct TLinks {
        TLoadedGame& Game;
        TWindowView& Window;
        TListView& List;
        TPrompter& Prompter;
        TSessionControl& Session;
        TGameLoadingControl& Loading;
        TRunControl& Run;
        TBreakpointControl& Breakpoints;
        TInputControl& Input;
        TNavigationControl& Navigation;
        TPaneRefresh& Panes;
        TLCDPictureControl& LCD;
        TSoundRecordingControl& Sound;
        TStateSink& States;
        THistoryRestart& History;
    };
    explicit TSessionCommands(const TLinks& Links) : L(Links) {}

    // ---- the Session menu ----
    // "&Open...": the open dialog, the close question, then the file.
    void OpenCommand();
    // "&Save": pauses a run and writes the session's file (Save as without one). False when
    // nothing was written.
    bool SaveCommand();
    // "Save &as...": pauses a run, asks for a name, creates a session when there is none.
    bool SaveAsCommand();

    // Reads FileName, asks to close the loaded game and applies the file. True when the
    // session was opened and became the window's session.
    bool OpenDebugSession(const std::string& FileName);
    // The loaded game read its ".dat" file: the data waits in a session without a name,
    // modified, so that closing the game offers to save it.
    void DatFileImported();

    // What Save writes around the MCU block.
    TMainBlock CurrentMainBlock() const;

private:
    std::unique_ptr<TDebugSession> CreateDebugSession();
    // Writes the session (to its file, or to FileName); errors end in an error box.
    bool WriteSession(TDebugSession& Session, const std::string& FileName);
    void PauseRun();
    // Applies a main block read from a file: false when it stopped before the game's state
    // (no game could be loaded); throws after the game was loaded.
    bool ApplyMainBlock(const TMainBlock& Block);

    TLinks L;
    std::optional<TMainBlock> FReadBlock; // the main block the last Open read
};

} // namespace tarvolin
