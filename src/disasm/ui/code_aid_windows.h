// Two small always-on-top tool windows that explain code: the opcode legend of the selected
// instruction and the 7-segment coding table. Each exists once; closing it only hides it.
#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;
class QPlainTextEdit;

namespace tarvolin {

class TSHARP_SM5A_MCU;

// Placed on its first showing beside the main window when the screen has room there, else in
// the main window's lower right corner; it never covers the main window's status bar.
class TOpcodeLegendForm : public QWidget {
    Q_OBJECT
public:
    explicit TOpcodeLegendForm(QWidget* Parent);
    // Fills the labels; shows the window without taking the keyboard focus when it was hidden.
    void ShowOpcodeLegend(const TSHARP_SM5A_MCU* MCU, uint8_t Opcode, uint8_t Operand);

    QLabel* OpcodeLabel = nullptr;
    QLabel* MnemonicLabel = nullptr;
    QLabel* DetailsLabel = nullptr;

private:
    void PlaceBesideMainWindow();
    void KeepOffStatusBar();
    bool FPlaced = false;
};

// The picture of the table window: a digit whose segments are grouped into the TD=1 and TD=0
// halves, each segment marked with the O bit that drives it.
class TSevenSegmentPicture : public QWidget {
public:
    explicit TSevenSegmentPicture(QWidget* Parent);
    QSize sizeHint() const override { return QSize(260, 190); }

protected:
    void paintEvent(QPaintEvent* Event) override;
};

class TSevenSegmentCodingTableForm : public QWidget {
    Q_OBJECT
public:
    explicit TSevenSegmentCodingTableForm(QWidget* Parent);
    // Selects the row of a pair of codes (nothing when a code is outside 0..15 or no row
    // matches) and shows the window.
    void ShowSevenSegmentTable(int TD0Code, int TD1Code, bool TD0First);
    // The row for an accumulator value (0..15), nothing for any other value.
    void ShowSevenSegmentTableForAcc(int Acc);
    // The selected row's text ("" when none).
    QString SelectedText() const;

    QPlainTextEdit* TableMemo = nullptr;
};

} // namespace tarvolin
