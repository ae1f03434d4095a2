// The MCU-pins window: the pin diagram of the loaded game's chip variant, scaled to the
// window with its proportions kept; "1:1" gives the window the picture's own size again.
#pragma once

#include <QImage>
#include <QWidget>

class QPushButton;

namespace tarvolin {

class TMCUpinsForm : public QWidget {
    Q_OBJECT
public:
    explicit TMCUpinsForm(QWidget* Parent);

    // Loads the diagram of the SM-5A or of the KB1013VK1-2, unless it is already shown.
    void SelectPinDiagram(bool IsSHARP_SM5A_MCU);
    bool IsSHARP_SM5A_MCU() const { return FIsSHARP_SM5A_MCU; }
    // The picture (empty when none could be loaded) and its size in the window's points.
    const QImage& Picture() const { return FCurrentPngImage; }
    QSize PictureSize() const;
    // Where the picture is drawn.
    QRect PictureRect() const;

    QPushButton* OneToOneButton = nullptr;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void UpdateOneToOneButton();

    bool FIsSHARP_SM5A_MCU = true;
    QImage FCurrentPngImage;
};

} // namespace tarvolin
