// A recording view, a scripted prompter and a hand-assembled test program for driving the
// debugger controller without a window.
#pragma once

#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "persist/settings.h"
#include "base/options.h"
#include "core/step_tables.h"
#include "debugger/debugger.h"
#include "debugger/session_format.h"
#include "disasm/assembler.h"
#include "disasm/disasm.h"

namespace tarvolin::test {

class TRecordingView : public TDebuggerView {
public:
    std::string Status;
    TStatusColour Colour = TStatusColour::Normal;
    std::vector<std::string> StatusLog;
    TCommandStates States;
    std::string Caption;
    std::vector<std::pair<TPanes, bool>> Draws; // (panes, only changed)
    int Selected = -1;
    int Top = 0;
    int VisibleRows = 20;
    std::vector<int> Scrolls;
    int Focus = 0;
    int Repaints = 0;
    int ListResets = 0;
    std::string Hint;
    int LCDChanges = 0;
    std::vector<std::string> ThemeNames;
    std::vector<std::string> Windows; // tool windows asked for

    void SetStatus(const std::string& Text, TStatusColour C) override {
        Status = Text;
        Colour = C;
        StatusLog.push_back(Text);
    }
    void SetCaption(const std::string& Text) override { Caption = Text; }
    std::string SoundNote;
    void SetSoundNote(const std::string& Note) override { SoundNote = Note; }
    void CommandStatesChanged(const TCommandStates& S) override { States = S; }
    void DrawPanes(TPanes Panes, bool OnlyChanged) override { Draws.emplace_back(Panes, OnlyChanged); }
    void ListReset() override {
        ++ListResets;
        Selected = -1;
        Top = 0;
    }
    void ListItemChanged(int) override {}
    int Splices = 0;
    void ListItemsReplaced(int, int, int) override { ++Splices; }
    void RepaintList() override { ++Repaints; }
    void ListSelectionChanged(int Index) override { Selected = Index; }
    void ScrollListTo(int TopIndex) override {
        Top = TopIndex;
        Scrolls.push_back(TopIndex);
    }
    int ListTopIndex() const override { return Top; }
    int ListVisibleRows() const override { return VisibleRows; }
    void FocusList() override { ++Focus; }
    void SetHintLabel(const std::string& Text) override { Hint = Text; }
    void LCDImageChanged(const TRaster&) override { ++LCDChanges; }
    void ShowLCDThemeName(const std::string& Name) override { ThemeNames.push_back(Name); }
    void LCDImageMenuChanged() override {}
    void RebuildInputPanel() override {}
    void ShowSevenSegmentCodingTable(int O, int O_, bool TD0IsCOM1, int Acc) override {
        Windows.push_back("7seg " + std::to_string(O) + " " + std::to_string(O_) + " " + (TD0IsCOM1 ? "1" : "0") +
                          " " + std::to_string(Acc));
    }
    void CloseInterconnection() override { Windows.push_back("close interconnection"); }
    // The window's placement and right panel width as a session keeps them.
    std::optional<TWindowPlacement> Placement;
    int PanelWidth = 0;
    std::vector<std::string> ViewLog; // placements and widths applied, in order
    bool GetWindowPlacement(TWindowPlacement& P) const override {
        if (Placement) P = *Placement;
        return Placement.has_value();
    }
    void SetWindowPlacement(const TWindowPlacement& P) override {
        Placement = P;
        ViewLog.push_back("placement " + std::to_string(P.Left) + "," + std::to_string(P.Top));
    }
    int RightPanelWidth() const override { return PanelWidth; }
    void SetRightPanelWidth(int Width) override {
        PanelWidth = Width;
        ViewLog.push_back("width " + std::to_string(Width));
    }
    void ShowMCUPins() override { Windows.push_back("MCU pins"); }

    TPanes LastDraw() const { return Draws.empty() ? 0 : Draws.back().first; }
};

struct TRecordedMessage {
    TMessageKind Kind;
    std::string Text;
    TMessageButtons Buttons;
};

// Answers message boxes from a queue (default: OK / Yes), input dialogs from a queue of
// attempts (each attempt a list of texts; nullopt presses Cancel) and file dialogs from a queue
// of paths (nullopt cancels). Every question is recorded.
class TScriptedPrompter : public TPrompter {
public:
    std::vector<TRecordedMessage> Messages;
    std::deque<TMessageResult> Answers;
    std::vector<TInputDialog> Dialogs;
    std::deque<std::vector<std::optional<std::vector<std::string>>>> Inputs;
    std::vector<TFileDialog> FileDialogs;
    std::deque<std::optional<std::string>> Files;

    TMessageResult Message(TMessageKind Kind, const std::string& Text, TMessageButtons Buttons) override {
        Messages.push_back({Kind, Text, Buttons});
        if (!Answers.empty()) {
            TMessageResult r = Answers.front();
            Answers.pop_front();
            return r;
        }
        switch (Buttons) {
        case TMessageButtons::OK:
        case TMessageButtons::OKCancel: return TMessageResult::OK;
        default: return TMessageResult::Yes;
        }
    }

    bool Input(TInputDialog& Dialog) override {
        Dialogs.push_back(Dialog);
        if (Inputs.empty()) return false;
        auto Attempts = Inputs.front();
        Inputs.pop_front();
        for (const auto& Attempt : Attempts) {
            if (!Attempt) return false;
            TInputCheck Check = Dialog.Validate ? Dialog.Validate(*Attempt) : TInputCheck::Accept();
            if (!Check.Accepted) {
                if (!Check.ErrorText.empty()) Message(TMessageKind::Error, Check.ErrorText, TMessageButtons::OK);
                continue;
            }
            for (size_t i = 0; i < Dialog.Fields.size() && i < Attempt->size(); ++i) Dialog.Fields[i].Text = (*Attempt)[i];
            return true;
        }
        return false; // the user gave up: Cancel
    }

    bool File(const TFileDialog& Dialog, std::string& FileName) {
        FileDialogs.push_back(Dialog);
        if (Files.empty() || !Files.front()) {
            if (!Files.empty()) Files.pop_front();
            return false;
        }
        FileName = *Files.front();
        Files.pop_front();
        return true;
    }
    bool OpenFile(const TFileDialog& Dialog, std::string& FileName) override { return File(Dialog, FileName); }
    bool SaveFile(const TFileDialog& Dialog, std::string& FileName) override { return File(Dialog, FileName); }

    // Queues one dialog answered by these texts in turn (single-field dialogs).
    void Type(std::vector<std::string> Attempts) {
        std::vector<std::optional<std::vector<std::string>>> a;
        for (auto& t : Attempts) a.push_back(std::vector<std::string>{t});
        Inputs.push_back(a);
    }
    void CancelNextInput() { Inputs.push_back({std::nullopt}); }

    std::vector<std::string> Texts(TMessageKind Kind) const {
        std::vector<std::string> r;
        for (const auto& m : Messages)
            if (m.Kind == Kind) r.push_back(m.Text);
        return r;
    }
    std::string LastText() const { return Messages.empty() ? std::string() : Messages.back().Text; }
};

// A chip-order ROM image from execution-order code: each entry places its bytes at
// consecutive execution-order addresses.
inline std::string MakeROM(const std::map<T11bits, std::vector<uint8_t>>& Code, size_t Size = ROMSize) {
    std::array<uint8_t, ROMSize> Exec{};
    for (const auto& [Addr, Bytes] : Code)
        for (size_t i = 0; i < Bytes.size(); ++i) Exec[Addr + i] = Bytes[i];
    std::string Chip(ROMSize, '\0');
    for (int p = 0; p < ROMSize / 64; ++p)
        for (int k = 0; k < 63; ++k) Chip[size_t(p * 64 + StepIndexToCode[size_t(k)])] = static_cast<char>(Exec[size_t(p * 64 + k)]);
    Chip.resize(Size, '\0');
    return Chip;
}

// A chip-order ROM image assembled from a program text.
inline std::string AssembleROM(const std::string& Source) {
    const TAssemblyResult r = Assemble(Source, "test.asm");
    return std::string(r.ChipOrder.begin(), r.ChipOrder.end());
}

// A jump (TR) to step index k of the current page.
inline uint8_t TR(int StepIndex) { return static_cast<uint8_t>(0x80 | StepIndexToCode[size_t(StepIndex)]); }
// A call (TRS) to step index k of bank 1, page 0.
inline uint8_t TRS(int StepIndex) { return static_cast<uint8_t>(0xC0 | StepIndexToCode[size_t(StepIndex)]); }

// The test program:
//   3C0 LAX 5        3C1 LB 0 (DP=00)   3C2 EXC (RAM[00] := 5)   3C3 TRS 400
//   3C4 SKIP         3C5 TR 3C4 (endless loop)
//   400 SM 0 (sets bit 0 of RAM[00], already 1)   401 SKIP   402 RTN
//   010 RTN (an emulator exception when reached outside a subroutine)
inline std::map<T11bits, std::vector<uint8_t>> TestProgram() {
    return {
        {0x3C0, {0x25, 0x40, 0x10, TRS(0), 0x00, TR(4)}},
        {0x400, {0x0C, 0x00, 0x6E}},
        {0x010, {0x6E}},
    };
}

// A temporary folder that is removed with the object.
class TTempDir {
public:
    TTempDir() {
        Path = std::filesystem::temp_directory_path() /
               ("tarvolin_dbg_" + std::to_string(::getpid()) + "_" + std::to_string(Counter()++));
        std::filesystem::create_directories(Path);
    }
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    std::string Write(const std::string& Name, const std::string& Data) const {
        auto p = Path / Name;
        std::ofstream(p, std::ios::binary) << Data;
        return p.string();
    }
    std::string Read(const std::string& Name) const {
        std::ifstream f(Path / Name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }
    std::filesystem::path Path;

private:
    static int& Counter() {
        static int c = 0;
        return c;
    }
};

} // namespace tarvolin::test
