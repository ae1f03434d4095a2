// What the window tests share: ROMs of our own assembled into a test folder, a prompter that
// only records, and the room two small screens leave a window.
#pragma once

#include <QSize>
#include <QString>
#include <fstream>
#include <string>
#include <vector>

#include "debugger/prompter.h"
#include "disasm/assembler.h"

namespace tarvolin::test {

// Assembles Source and writes its bytes in chip order to Path; returns Path.
inline QString WriteAssembledROM(const QString& Path, const char* Source) {
    const TAssemblyResult r = Assemble(Source, "test.asm");
    std::ofstream(Path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(r.ChipOrder.data()), r.ChipOrder.size());
    return Path;
}

// Keeps every message and answers it with OK; input and file dialogs are cancelled.
class TRecordingPrompter : public TPrompter {
public:
    std::vector<std::string> Messages;
    TMessageResult Message(TMessageKind, const std::string& Text, TMessageButtons) override {
        Messages.push_back(Text);
        return TMessageResult::OK;
    }
    bool Input(TInputDialog&) override { return false; }
    bool OpenFile(const TFileDialog&, std::string&) override { return false; }
    bool SaveFile(const TFileDialog&, std::string&) override { return false; }
};

// A 1366 x 768 screen, and a 1920 x 1080 one at 150 % (the room of a 1280 x 720 one), and what
// a desktop keeps of a screen for a title bar and a panel (logical pixels).
inline const QSize SmallScreens[] = {QSize(1366, 768), QSize(1280, 720)};
constexpr int FrameAllowanceWidth = 16, FrameAllowanceHeight = 70;

} // namespace tarvolin::test
