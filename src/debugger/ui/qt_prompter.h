// Message boxes, input dialogs and file dialogs of the window, as the features ask for them.
// Tests answer them from a script instead (SetOverride).
#pragma once

#include <QString>
#include <string>

#include "debugger/prompter.h"

class QWidget;

namespace tarvolin {

// A file dialog filter of the form "Text files (*.txt)|*.txt|All files (*.*)|*.*" in Qt's form,
// "Text files (*.txt);;All files (*)": "*.*" becomes "*", which on this platform also
// matches names without an extension.
QString QtFileFilter(const std::string& Filter);

class TQtPrompter : public TPrompter {
public:
    explicit TQtPrompter(QWidget* Parent) : FParent(Parent) {}
    // Questions go to this prompter instead of dialogs; nullptr restores the dialogs.
    void SetOverride(TPrompter* Prompter) { FOverride = Prompter; }

    TMessageResult Message(TMessageKind Kind, const std::string& Text, TMessageButtons Buttons) override;
    bool Input(TInputDialog& Dialog) override;
    bool OpenFile(const TFileDialog& Dialog, std::string& FileName) override;
    bool SaveFile(const TFileDialog& Dialog, std::string& FileName) override;

private:
    QWidget* FParent;
    TPrompter* FOverride = nullptr;
};

} // namespace tarvolin
