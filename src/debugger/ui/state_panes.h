// The state panes of the main window: "Registers", "RAM" and "LCD" (the O and O' registers,
// TD and LD0), and the LCD picture. Each pane is a widget of its own, so the window can put it
// into a dock; TStatePanes owns them until then. Each value is a label in the fixed-pitch font;
// a changed value is red; name, value and bit labels of a row share the row's hint, double-click
// action and pop-up menu. Every pane takes the keyboard focus: the arrow keys move a cell cursor
// over its values, Enter edits the value under it, and the Menu key or Shift+F10 opens the
// value's pop-up menu at the value.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QGridLayout;
class QPushButton;

namespace tarvolin {

class TLCDImageWidget;

// Rows of the panes. RAM cells and O / O' nibbles are numbered from their first member.
// (No fixed underlying type: lupdate reads "enum X : int {" wrongly and loses the namespace.)
enum TPaneRow {
    prAcc = 0,
    prDP,
    prDPCell,
    prT,
    prT14,
    prMSB,
    prPage,
    prPC,
    prA,
    prCarry,
    prR,
    prRAM0,                    // + RAM address (0x00..0x4C)
    prO0 = prRAM0 + 0x4D,      // + O index
    prO_0 = prO0 + 9,          // + O' index
    prTD = prO_0 + 9,
    prLD0,
    prCount
};

enum class TLabelRole { Name, Value, Bits };

class TValueLabel : public QLabel {
    Q_OBJECT
public:
    TValueLabel(int Row, TLabelRole Role, const QString& Text, QWidget* Parent);
    int Row() const { return FRow; }
    TLabelRole Role() const { return FRole; }
    // Rewrites the text only when it differs; the colour is always set.
    void SetValue(const QString& Text, bool Changed);
    bool Changed() const { return FChanged; }
    // No brush (or an invalid colour): the normal background.
    void SetBackground(const QBrush& Brush);
    const QBrush& Background() const { return FBackground; }

signals:
    void Pressed(int Row);
    void DoubleClicked(int Row);
    void PopupRequested(int Row, TLabelRole Role, const QPoint& GlobalPos);

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;

private:
    int FRow;
    TLabelRole FRole;
    bool FChanged = false;
    QBrush FBackground{Qt::NoBrush};
};

// Labels of one row; Bits may be null.
struct TPaneRowLabels {
    TValueLabel* Name = nullptr;
    TValueLabel* Value = nullptr;
    TValueLabel* Bits = nullptr;
};

// One pane: a group box that takes the focus and moves a cell cursor over a grid of rows
// (-1 = no cell at that place) with the arrow keys.
class TPaneBox : public QGroupBox {
    Q_OBJECT
public:
    TPaneBox(const QString& Title, QWidget* Parent);
    void SetCells(std::vector<std::vector<int>> Grid, std::function<TValueLabel*(int)> ValueOf);
    int CurrentRow() const;
    void SetCurrentRow(int Row);

signals:
    void EditRequested(int Row);
    void PopupRequested(int Row, TLabelRole Role, const QPoint& GlobalPos);

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;

private:
    void Move(int DRow, int DColumn);
    void Described();

    std::vector<std::vector<int>> FGrid;
    std::function<TValueLabel*(int)> FValueOf;
    int FRowIndex = 0, FColumn = 0;
};

class TStatePanes : public QWidget {
    Q_OBJECT
public:
    explicit TStatePanes(QWidget* Parent = nullptr);

    const TPaneRowLabels& Row(int Row) const { return FRows.at(Row); }
    TValueLabel* Value(int Row) const { return FRows.at(Row).Value; }
    TValueLabel* Bits(int Row) const { return FRows.at(Row).Bits; }
    // Sets a row's value and bit texts and its colour.
    void SetRow(int Row, const QString& Value, const QString& Bits, bool Changed);
    void SetRowHint(int Row, const QString& Hint);

    TPaneBox* RegistersGroupBox = nullptr;
    TPaneBox* RAMGroupBox = nullptr;
    TPaneBox* LCDGroupBox = nullptr;
    // The LCD picture with the theme name under it.
    QWidget* LCDPictureBox = nullptr;
    QLabel* RAMbyDPWarningLabel = nullptr;
    QLabel* SoundRecordingIndicator = nullptr;
    QCheckBox* UpdateRegistersCB = nullptr;
    QCheckBox* UpdateRAMCB = nullptr;
    QCheckBox* UpdateLCDRegistersCB = nullptr;
    QPushButton* SetCurrentTimeButton = nullptr;
    std::array<QLabel*, 9> DigitLabels{}; // by O index
    TLCDImageWidget* LCDImage = nullptr;
    QLabel* LCDImageThemeNameLabel = nullptr;

signals:
    void RowDoubleClicked(int Row);
    void RowPopupRequested(int Row, TLabelRole Role, const QPoint& GlobalPos);
    void DigitLabelClicked(int OIndex);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    TValueLabel* MakeLabel(int Row, TLabelRole Role, const QString& Text, QWidget* Parent, int Chars);
    void AddRegisterRow(QGridLayout* Grid, int GridRow, int Row, const QString& Caption, int ValueChars,
                        int BitChars, const QString& Hint);
    void CreateRegisters(const QFont& Fixed);
    void CreateRAM(const QFont& Fixed);
    void CreateLCDRegisters(const QFont& Fixed);
    void CreateLCDPicture();
    void WirePane(TPaneBox* Box);

    std::vector<TPaneRowLabels> FRows;
};

} // namespace tarvolin
