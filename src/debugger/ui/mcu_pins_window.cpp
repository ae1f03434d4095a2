#include "debugger/ui/mcu_pins_window.h"

#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <string>

#include "base/reporter.h"
#include "base/resources.h"
#include "debugger/wiring.h"

namespace tarvolin {

// Defined by the generated source that embeds the pin diagrams; naming it here links them.
extern const bool PinDiagramsLinked;

TMCUpinsForm::TMCUpinsForm(QWidget* Parent) : QWidget(Parent) {
    setWindowTitle(tr("MCU pins"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::ToolTipBase));
    p.setColor(QPalette::WindowText, p.color(QPalette::ToolTipText));
    setPalette(p);
    OneToOneButton = new QPushButton("1:1", this);
    OneToOneButton->setToolTip(tr("Resize window to original size"));
    OneToOneButton->setFocusPolicy(Qt::NoFocus);
    OneToOneButton->setFixedSize(32, 22);
    connect(OneToOneButton, &QPushButton::clicked, this, [this] {
        if (!FCurrentPngImage.isNull()) resize(PictureSize());
    });
    resize(PinDiagramWidth, PinDiagramHeight);
    if (const QScreen* s = Parent ? Parent->screen() : screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    UpdateOneToOneButton();
}

void TMCUpinsForm::SelectPinDiagram(bool IsSHARP_SM5A_MCU) {
    if (IsSHARP_SM5A_MCU == FIsSHARP_SM5A_MCU && !FCurrentPngImage.isNull()) return;
    FCurrentPngImage = QImage();
    FIsSHARP_SM5A_MCU = IsSHARP_SM5A_MCU;
    const std::string Name = IsSHARP_SM5A_MCU ? SHARP_SM5A_PinDiagram : KB1013VK1_2_PinDiagram;
    std::string Error;
    const auto Resource = PinDiagramsLinked ? FindResource(Name) : std::nullopt;
    if (!Resource)
        Error = tr("Resource not found").toStdString();
    else if (!FCurrentPngImage.loadFromData(Resource->Data, static_cast<int>(Resource->Size), "PNG"))
        Error = tr("The picture could not be decoded").toStdString();
    if (!Error.empty()) {
        MessageReporter().ShowError(Error + " (" + Name + ")");
    } else {
        // The picture is drawn at several times the window's size; it counts as that size.
        FCurrentPngImage.setDevicePixelRatio(double(FCurrentPngImage.width()) / PinDiagramWidth);
    }
    UpdateOneToOneButton();
    update();
}

QSize TMCUpinsForm::PictureSize() const {
    if (FCurrentPngImage.isNull()) return {};
    return (QSizeF(FCurrentPngImage.size()) / FCurrentPngImage.devicePixelRatio()).toSize();
}

QRect TMCUpinsForm::PictureRect() const {
    if (FCurrentPngImage.isNull()) return {};
    QSize s = PictureSize();
    s.scale(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
}

void TMCUpinsForm::paintEvent(QPaintEvent*) {
    if (FCurrentPngImage.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(PictureRect(), FCurrentPngImage);
}

void TMCUpinsForm::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    UpdateOneToOneButton();
}

// "1:1" shows only while the picture is not at its own size.
void TMCUpinsForm::UpdateOneToOneButton() {
    OneToOneButton->move(width() - OneToOneButton->width() - 4, 4);
    OneToOneButton->setVisible(!FCurrentPngImage.isNull() && size() != PictureSize());
}

} // namespace tarvolin
