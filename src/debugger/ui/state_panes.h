// The right-hand panes of the main window: "Registers", "RAM" and "LCD". Each value is a label
// in the fixed-pitch font; a changed value is red; name, value and bit labels of a row share
// the row's hint, double-click action and pop-up menu.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <array>
#include <vector>

class QCheckBox;
class QGridLayout;
class QPushButton;

namespace tarvolin {

class TLCDImageWidget;

// Rows of the panes. RAM cells and O / O' nibbles are numbered from their first member.
enum TPaneRow : int {
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
    void DoubleClicked(int Row);
    void PopupRequested(int Row, TLabelRole Role, const QPoint& GlobalPos);

protected:
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

    QGroupBox* RegistersGroupBox = nullptr;
    QGroupBox* RAMGroupBox = nullptr;
    QGroupBox* LCDGroupBox = nullptr;
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

    std::vector<TPaneRowLabels> FRows;
};

} // namespace tarvolin
