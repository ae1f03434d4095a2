// The interconnection window: the game's LCD image between the two pad strips, the package
// drawing with its 60 pins, the pad and pin panels, the note and the hint. It paints what its
// model (TInterconnection) holds and forwards the mouse to it.
#pragma once

#include <QWidget>

#include "debugger/interconnection.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace tarvolin {

class TLCDImageWidget;
class TSHARP_SM5A_MCU;

// One of the two strips of pads along the glass.
class TLCDpadStrip : public QWidget {
    Q_OBJECT
public:
    TLCDpadStrip(TInterconnection& Model, bool Upper, QWidget* Parent);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    TInterconnection& FModel;
    bool FUpper;
};

// The package drawing with the "Rotate right" and "Flip horizontally" buttons inside it.
class TMCUPackageView : public QWidget {
    Q_OBJECT
public:
    TMCUPackageView(TInterconnection& Model, QWidget* Parent);
    QPushButton* RotateRightButton = nullptr;
    QPushButton* FlipHorizontallyButton = nullptr;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    TInterconnection& FModel;
};

class TMCUtoLCDFrm : public QWidget, private TInterconnectionView {
    Q_OBJECT
public:
    explicit TMCUtoLCDFrm(QWidget* Parent);
    ~TMCUtoLCDFrm() override;

    // Takes the MCU's chip, pin-1 position and LCD image (a driver of its own); called once.
    void Initialize(const TSHARP_SM5A_MCU& MCU);

    TInterconnection& Model() { return FModel; }

    // Parts of the window, for tests and screenshots.
    TLCDpadStrip* UpperStrip = nullptr;
    TLCDpadStrip* LowerStrip = nullptr;
    TLCDImageWidget* LCDImage = nullptr;
    TMCUPackageView* Package = nullptr;
    struct TPadPanelLabels {
        QWidget* Panel = nullptr;
        QLabel* Value = nullptr;
        QLabel* NoSegmentInCOM0 = nullptr;
        QLabel* NoSegmentInCOM1 = nullptr;
    };
    TPadPanelLabels PadPanels[2];
    QLabel* PinNumberValue = nullptr;
    QLabel* PinNameValue = nullptr;
    QLabel* ORegistersCaption = nullptr;
    QLabel* ORegistersValue = nullptr;
    QLabel* BitCaption = nullptr;
    QLabel* BitValue = nullptr;
    QLabel* NoteLabel = nullptr;
    QLabel* HintLabel = nullptr;
    QGroupBox* LCDGroup = nullptr;
    QGroupBox* MCUGroup = nullptr;

private:
    // ---- TInterconnectionView ----
    void StripsChanged() override;
    void PackageChanged() override;
    void PanelsChanged() override;
    void LCDImageChanged() override;

    void CreateWidgets();
    void PlaceWidgets(bool RussianUI);

    TInterconnection FModel;
    QWidget* FImagePanel = nullptr;
};

} // namespace tarvolin
