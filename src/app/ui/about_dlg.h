// The About box: our picture in the style of the LCD games, the version, the product name and
// a contact link. Double-clicking the note "for testing and study purposes" with Shift and
// Ctrl held switches the hidden testing mode on for the rest of the run.
#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;

namespace tarvolin {

class TDoubleClickLabel;
class TPrompter;
class TLinkLabel;

class TAboutDlg : public QDialog {
    Q_OBJECT
public:
    // Failures to open the contact link are reported through Prompter.
    explicit TAboutDlg(TPrompter& Prompter, QWidget* Parent = nullptr);

    // Parts, for tests.
    TDoubleClickLabel* TestingNote() const { return FNote; }
    QLabel* VersionLabel() const { return FVersion; }
    TLinkLabel* ContactLink() const { return FContact; }
    // The note's text colour: green once testing mode is on.
    QColor NoteColour() const;

private:
    void ShowTestingMode();

    TPrompter& FPrompter;
    TDoubleClickLabel* FNote = nullptr;
    QLabel* FVersion = nullptr;
    TLinkLabel* FContact = nullptr;
};

// The picture of the About box, drawn by the program: figures and digits of an LCD game in
// lit and unlit segments on a transparent ground.
QPixmap AboutPicture(const QSize& Size);

} // namespace tarvolin
