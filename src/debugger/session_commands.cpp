#include "debugger/session_commands.h"

#include <exception>
#include <optional>

#include "base/translate.h"
#include "persist/user_data.h"

namespace tarvolin {

const char* const NoSessionDataText =
    TR_NOOP("Session", "Error loading debug session - the file holds no session data.");

namespace {

std::string SessionFilter() {
    return Tr("Session", "Debug sessions (*.dbgsession)") + "|*.dbgsession|" + Tr("Session", "All files (*.*)") +
           "|*.*";
}

// Clears the "a session is being read" state however the reading ends.
class TLoadingGuard {
public:
    explicit TLoadingGuard(TSessionControl& Session) : FSession(Session) { FSession.SetLoadingDebugSession(true); }
    ~TLoadingGuard() { FSession.SetLoadingDebugSession(false); }
    TLoadingGuard(const TLoadingGuard&) = delete;
    TLoadingGuard& operator=(const TLoadingGuard&) = delete;

private:
    TSessionControl& FSession;
};

} // namespace

TFileDialog SessionOpenDialog() {
    TFileDialog d;
    d.Title = Tr("Session", "Open previous debug session");
    d.DefaultExt = "dbgsession";
    d.Filter = SessionFilter();
    d.MustExist = true;
    return d;
}

TFileDialog SessionSaveDialog(const std::string& ProposedName) {
    TFileDialog d;
    d.Title = Tr("Session", "Specify file name for this debug session");
    d.DefaultExt = "dbgsession";
    d.Filter = SessionFilter();
    d.FileName = ProposedName;
    d.OverwritePrompt = true;
    return d;
}

std::unique_ptr<TDebugSession> TSessionCommands::CreateDebugSession() {
    auto Session = std::make_unique<TDebugSession>();
    Session->RegisterStreamMethods(
        [this](std::istream& S) {
            // Read completely here; OpenDebugSession applies the block once all of it is known.
            FReadBlock = ReadMainBlock(S, [&](const std::string& Name) {
                return L.Loading.FindGameClassByShortName(Name, true) != nullptr;
            });
        },
        [this](std::ostream& S) {
            if (!L.Game.IsLoaded()) throw std::runtime_error(Tr("Session", "No game is loaded."));
            WriteMainBlock(S, CurrentMainBlock(), *L.Game.MCU);
        });
    return Session;
}

TMainBlock TSessionCommands::CurrentMainBlock() const {
    TMainBlock b;
    TWindowPlacement Placement;
    if (L.Window.GetWindowPlacement(Placement)) {
        Placement.Length = WindowPlacementSize;
        const auto Bytes = Placement.Encode();
        b.Placement.assign(Bytes.begin(), Bytes.end());
    }
    b.RightPanelWidth = L.Window.RightPanelWidth();
    if (L.Game.Class) b.Game = L.Game.Class->ShortGameName();
    auto Ints = [](const TAddressList& List) { return std::vector<int32_t>(List.Items().begin(), List.Items().end()); };
    b.CodeBreakpoints = Ints(L.Breakpoints.CodeBreakpoints());
    b.TempCodeBreakpoints = Ints(L.Breakpoints.TempCodeBreakpoints());
    b.ReadBreakpoints = Ints(L.Breakpoints.MemoryBreakpoints(TMemoryBreakpointKind::Read));
    b.WriteBreakpoints = Ints(L.Breakpoints.MemoryBreakpoints(TMemoryBreakpointKind::Write));
    b.ChangeBreakpoints = Ints(L.Breakpoints.MemoryBreakpoints(TMemoryBreakpointKind::Change));
    const TMemoryBreakpointTriggers T = L.Breakpoints.Triggers();
    b.MemoryBreakpointFieldValue = T.FieldValue;
    b.MemoryBreakpointPreviousFieldValue = T.PreviousFieldValue;
    b.TriggeredReadAddress = T.Read;
    b.TriggeredWriteAddress = T.Write;
    b.TriggeredChangeAddress = T.Change;
    b.SoundRecording = L.Sound.IsSoundRecording();
    b.Speed = L.Run.SpeedFactor();
    b.RadiationIntensity = L.Input.RadiationIntensity();
    b.SelectedLine = L.Navigation.SelectedIndex();
    b.TopLine = L.Navigation.HasRows() ? L.List.ListTopIndex() : 0;
    return b;
}

// ---- saving ----

void TSessionCommands::PauseRun() {
    if (!L.Run.IsStopped()) L.Run.SetRunType(rtNoEmulation, Tr("RunControl", "Ready."), false);
}

bool TSessionCommands::WriteSession(TDebugSession& Session, const std::string& FileName) {
    if (const std::string Refusal = L.Game.RefuseROMFileAsOutput(FileName.empty() ? Session.FileName() : FileName);
        !Refusal.empty()) {
        L.Prompter.Error(Refusal);
        return false;
    }
    try {
        if (FileName.empty()) Session.Save();
        else Session.SaveAs(FileName);
    } catch (const std::exception& e) {
        Session.SetModified(true); // nothing was written: the work is still unsaved
        L.Prompter.Error(e.what());
        return false;
    }
    // Only now that the file is complete may a ".dat" file of the game be retired.
    if (TSHARP_SM5A_MCU* MCU = L.Game.Get(); MCU && MCU->UserData) MCU->UserData->SavedToSession();
    L.States.StatesChanged();
    return true;
}

bool TSessionCommands::SaveCommand() {
    if (!L.Game.IsLoaded()) return false;
    TDebugSession* Session = L.Session.DebugSession();
    if (!Session || Session->FileName().empty()) return SaveAsCommand();
    PauseRun();
    return WriteSession(*Session, {});
}

bool TSessionCommands::SaveAsCommand() {
    if (!L.Game.IsLoaded()) return false;
    PauseRun();
    std::string FileName;
    if (!L.Prompter.SaveFile(SessionSaveDialog(L.Game.Class->ShortGameName()), FileName)) return false;
    if (!L.Session.HasDebugSession()) L.Session.SetDebugSession(CreateDebugSession());
    return WriteSession(*L.Session.DebugSession(), FileName);
}

void TSessionCommands::DatFileImported() {
    // A session being read replaces whatever the import would create.
    if (L.Session.IsLoadingDebugSession()) return;
    if (!L.Session.HasDebugSession()) L.Session.SetDebugSession(CreateDebugSession());
    L.Session.MarkSessionModified();
}

// ---- opening ----

void TSessionCommands::OpenCommand() {
    std::string FileName;
    if (!L.Prompter.OpenFile(SessionOpenDialog(), FileName)) return;
    OpenDebugSession(FileName);
}

bool TSessionCommands::OpenDebugSession(const std::string& FileName) {
    // Read and check the whole file first: a file that is refused changes nothing.
    auto Session = CreateDebugSession();
    FReadBlock.reset();
    try {
        Session->Open(FileName);
    } catch (const std::exception& e) {
        FReadBlock.reset();
        L.Prompter.Error(e.what());
        return false;
    }
    std::optional<TMainBlock> Block = std::move(FReadBlock);
    FReadBlock.reset();
    if (!Block || Block->Version < 1) {
        L.Prompter.Error(Tr("Session", NoSessionDataText));
        return false;
    }
    if (!L.Loading.CanCloseGame()) return false;

    bool Applied = false;
    std::string Error;
    {
        TLoadingGuard Loading(L.Session);
        try {
            Applied = ApplyMainBlock(*Block);
        } catch (const std::exception& e) {
            Error = e.what();
        }
    }
    if (!Error.empty()) {
        // Only part of the file reached the game: close it again.
        L.Loading.CloseGame();
        L.Prompter.Error(Error);
        return false;
    }
    // A file whose game could not be loaded opens no session: a session without its game
    // would be written over by the next game's Save.
    if (!Applied) return false;
    L.Session.SetDebugSession(std::move(Session));
    L.States.StatesChanged();
    return true;
}

bool TSessionCommands::ApplyMainBlock(const TMainBlock& B) {
    TWindowPlacement Placement;
    if (TWindowPlacement::Decode(B.Placement, Placement)) L.Window.SetWindowPlacement(Placement);
    if (B.RightPanelWidth > 0) L.Window.SetRightPanelWidth(B.RightPanelWidth);

    const TMCUClass* GameClass = L.Loading.FindGameClassByShortName(B.Game);
    if (!GameClass) return false;
    if (!L.Loading.LoadGame(GameClass) || !L.Game.IsLoaded()) return false;
    L.Loading.SetCheckedGame(GameClass);
    TSHARP_SM5A_MCU& MCU = *L.Game.MCU;

    MCU.ApplySessionBlock(B.MCU);
    L.LCD.LCDDriverReplaced();
    L.Breakpoints.RestoreSession(B.CodeBreakpoints, B.TempCodeBreakpoints, B.ReadBreakpoints, B.WriteBreakpoints,
                                 B.ChangeBreakpoints,
                                 {B.MemoryBreakpointFieldValue, B.MemoryBreakpointPreviousFieldValue,
                                  B.TriggeredReadAddress, B.TriggeredWriteAddress, B.TriggeredChangeAddress});
    L.Sound.RestoreSession(B.SoundRecording);
    L.Run.SetSpeedFactor(B.Speed);
    // The raw-input refresh below brings the radiation track bar along.
    if (B.Version >= 2) L.Input.SetRadiationIntensity(B.RadiationIntensity);

    // The loaded state is where a new history starts.
    L.History.RestartHistory();
    L.Navigation.FillList();
    L.Panes.TakeValuesAsShown();
    L.Panes.UpdatePanes(AllPanes, false, true, true);
    if (B.SelectedLine >= 0 && B.SelectedLine < L.Navigation.Listing().Count()) L.Navigation.SelectItem(B.SelectedLine);
    if (B.TopLine >= 0 && B.TopLine < L.Navigation.Listing().Count()) L.List.ScrollListTo(B.TopLine);
    L.States.StatesChanged();
    return true;
}

} // namespace tarvolin
