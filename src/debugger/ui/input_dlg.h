// A small modal input dialog with one or more labelled edit lines that checks its entries when
// OK is pressed and stays open, after an error box, until they are accepted.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "debugger/prompter.h"

class QLineEdit;

namespace tarvolin {

class TInputDlg : public QDialog {
    Q_OBJECT
public:
    // Checks the entered texts when OK is pressed (see TInputCheck).
    using TValidator = std::function<TInputCheck(const std::vector<std::string>& Texts)>;
    // Shows an error box (routed through the window's prompter so tests can answer it).
    using TErrorSink = std::function<void(const std::string& Text)>;

    TInputDlg(QWidget* Parent, const QString& Title, const QStringList& Labels,
                 const std::vector<std::string>& Values, TValidator Validator, TErrorSink ErrorSink);

    std::vector<std::string> Texts() const;
    QLineEdit* Edit(int Index) const { return FEdits.at(Index); }
    // Presses OK as the user would (tests).
    void TryAccept();

    // The width the dialog keeps at least: its title fits in the title bar.
    int TitleWidth(const QString& Title) const;

private:
    std::vector<QLineEdit*> FEdits;
    TValidator FValidator;
    TErrorSink FErrorSink;
};

} // namespace tarvolin
