// Modal questions the debugger asks the user: message boxes, input dialogs and file dialogs.
// The window implements them with real dialogs; tests answer them from a script.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tarvolin {

// Information (OK), confirmation (Yes/No), warning (OK, OK/Cancel, Yes/No, Yes/No/Cancel),
// error (OK).
enum class TMessageKind { Information, Confirmation, Warning, Error };
enum class TMessageButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class TMessageResult { OK, Cancel, Yes, No };

// The verdict on the texts of an input dialog when OK is pressed.
struct TInputCheck {
    bool Accepted = true;
    // When not accepted: a non-empty text is shown in an error box (OK) over the dialog,
    // which then stays open; an empty text keeps the dialog open without a message.
    std::string ErrorText;

    static TInputCheck Accept() { return {true, {}}; }
    static TInputCheck Refuse(std::string Text = {}) { return {false, std::move(Text)}; }
};

// One edit line: its label (already ending in ":") and its text (prefilled, then the answer).
struct TInputField {
    std::string Label;
    std::string Text;
};

// A modal dialog with one or more edit lines, OK (default) and Cancel.
struct TInputDialog {
    std::string Title;
    std::vector<TInputField> Fields;
    // Called with the current texts (in field order) every time OK is pressed; the dialog
    // closes only on an accepted check. Unset: every input is accepted.
    std::function<TInputCheck(const std::vector<std::string>& Texts)> Validate;
};

// An open or save dialog. Filter uses the "Description|pattern|Description|pattern" form,
// e.g. "Text files (*.txt)|*.txt|All files (*.*)|*.*"; DefaultExt has no dot ("txt").
struct TFileDialog {
    std::string Title;
    std::string Filter;
    std::string DefaultExt;
    std::string FileName;        // proposed name (save) or start file (open); may be empty
    bool OverwritePrompt = false; // save: ask before replacing an existing file
    bool MustExist = false;       // open: file and path must exist
};

class TPrompter {
public:
    virtual ~TPrompter() = default;

    virtual TMessageResult Message(TMessageKind Kind, const std::string& Text, TMessageButtons Buttons) = 0;

    // Shows the dialog modally. On OK (after Validate accepted) Dialog.Fields[i].Text hold the
    // accepted texts and the result is true; on Cancel the fields are left as they were and
    // the result is false.
    virtual bool Input(TInputDialog& Dialog) = 0;

    // On OK, FileName receives the chosen path (with DefaultExt appended by a save dialog
    // when the user typed no extension).
    virtual bool OpenFile(const TFileDialog& Dialog, std::string& FileName) = 0;
    virtual bool SaveFile(const TFileDialog& Dialog, std::string& FileName) = 0;

    // Shorthands.
    void Information(const std::string& Text) { Message(TMessageKind::Information, Text, TMessageButtons::OK); }
    void Error(const std::string& Text) { Message(TMessageKind::Error, Text, TMessageButtons::OK); }
    bool Confirm(const std::string& Text) {
        return Message(TMessageKind::Confirmation, Text, TMessageButtons::YesNo) == TMessageResult::Yes;
    }
};

} // namespace tarvolin
