#include "debugger/ui/interconnection_window.h"

#include <QApplication>
#include <QEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/interface_language.h"
#include "base/options.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "core/mcu.h"
#include "debugger/ui/lcd_image_widget.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {

namespace {

// The window's client area and the parts whose sizes are fixed.
constexpr int ClientWidth = 641, ClientHeight = 706;
constexpr int ImageHeight = 409; // the LCD image (1355 x 864) at the window's width
constexpr int PackagePanelSize = 185;
constexpr int Margin = 8;
// What the Russian texts need more: the window grows, the note gets a second line.
constexpr int RussianExtraHeight = 8;

const QColor PadRed(0xFF, 0, 0);
const QColor PinSilver(0xC0, 0xC0, 0xC0);

TColor ToTColor(const QColor& c) { return TColor(c.red()) | (TColor(c.green()) << 8) | (TColor(c.blue()) << 16); }

QFont SmallFont(const QFont& Base, double Points, bool Bold = false) {
    QFont f = Base;
    f.setPointSizeF(Points);
    f.setBold(Bold);
    return f;
}

// Keeps the room of a label that comes and goes, so that the panels do not jump.
void KeepRoomWhenHidden(QWidget* w) {
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

// The pin's name with its suffix written small and bold, as the chip's documentation does.
QString PinNameHtml(const TMCUpinName& Name) {
    QString Html = QString::fromStdString(Name.Name).toHtmlEscaped();
    if (!Name.Suffix.empty()) Html += "<sub><b>" + QString::fromStdString(Name.Suffix).toHtmlEscaped() + "</b></sub>";
    return Html;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The pad strips

TLCDpadStrip::TLCDpadStrip(TInterconnection& Model, bool Upper, QWidget* Parent)
    : QWidget(Parent), FModel(Model), FUpper(Upper) {
    setMouseTracking(true);
    setAutoFillBackground(true);
    setFont(SmallFont(font(), 7));
}

void TLCDpadStrip::paintEvent(QPaintEvent*) {
    if (!FModel.IsInitialized()) return;
    QPainter p(this);
    const TLCDDriver& Driver = FModel.LCDDriver();
    // The edge of the glass, on the row next to the image.
    p.setPen(QPen(Qt::black, 1));
    const int EdgeY = FUpper ? LCDpadStripHeight - 1 : 0;
    p.drawLine(0, EdgeY, width() - 1, EdgeY);
    // The pad numbers at the strip's ends.
    const QFontMetrics fm(font());
    for (const TStripEndLabel& L : StripEndLabels(Driver, FUpper)) {
        const TRect Slot = LCDpadSlotRect(FUpper, L.Slot);
        const QString Text = QString::number(L.Pad);
        const int w = fm.horizontalAdvance(Text), h = fm.height();
        const int x = L.LeftOfSlot ? Slot.Left - LCDpadLabelDistance - w : Slot.Right + LCDpadLabelDistance;
        p.drawText(QRect(x, Slot.Top + (LCDpadHeight - h) / 2, w, h), Qt::AlignCenter, Text);
    }
    for (TLCDpad Pad : Driver.GetDefinedLCDpads(FUpper)) {
        const TRect Slot = LCDpadSlotRect(FUpper, std::abs(int(Driver.LCDpadToPadPosition(Pad))));
        p.fillRect(QRect(Slot.Left, Slot.Top, Slot.Width(), Slot.Height()),
                   FModel.ActivatedLCDpads()[Pad] ? PadRed : QColor(Qt::black));
    }
}

void TLCDpadStrip::mouseMoveEvent(QMouseEvent* Event) { FModel.StripMouseMove(FUpper, Event->position().toPoint().x()); }

void TLCDpadStrip::enterEvent(QEnterEvent* Event) { FModel.StripMouseMove(FUpper, Event->position().toPoint().x()); }

void TLCDpadStrip::leaveEvent(QEvent*) { FModel.StripMouseLeave(); }

void TLCDpadStrip::mousePressEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    FModel.StripClick(FUpper, Event->position().toPoint().x(), Event->modifiers() == Qt::ControlModifier);
}

// ---------------------------------------------------------------------------------------------
// The package drawing

TMCUPackageView::TMCUPackageView(TInterconnection& Model, QWidget* Parent) : QWidget(Parent), FModel(Model) {
    setMouseTracking(true);
    setAutoFillBackground(true);
    setFixedSize(PackagePanelSize, PackagePanelSize);
    setFont(SmallFont(font(), 7));
    // The buttons sit inside the body, clear of the pin-1 dot and the chamfer.
    RotateRightButton = new QPushButton(tr("Rotate right"), this);
    FlipHorizontallyButton = new QPushButton(tr("Flip horizontally"), this);
    for (QPushButton* b : {RotateRightButton, FlipHorizontallyButton}) {
        b->setFont(SmallFont(font(), 7));
        b->setFocusPolicy(Qt::NoFocus);
    }
    RotateRightButton->setGeometry(44, 46, 92, 20);
    FlipHorizontallyButton->setGeometry(44, 114, 92, 20);
    connect(RotateRightButton, &QPushButton::clicked, this, [this] { FModel.RotateRight(); });
    connect(FlipHorizontallyButton, &QPushButton::clicked, this, [this] { FModel.FlipHorizontally(); });
}

void TMCUPackageView::paintEvent(QPaintEvent*) {
    if (!FModel.IsInitialized()) return;
    QPainter p(this);
    const QColor Panel = palette().color(backgroundRole());
    const TMCUpinRects& Rects = FModel.MCUpinRects();
    for (TMCUpin Pin = 1; Pin <= MCUpinCount; ++Pin) {
        const TRect& R = Rects[Pin];
        QBrush Brush(Panel);
        QPen Pen(Qt::black, 1, Qt::SolidLine);
        if (!FModel.MCUpinDrivesPads(Pin))
            Pen = QPen(PinSilver, 1, Qt::DotLine);
        else if (Pin == FModel.ActivatedMCUpin())
            Brush = QBrush(PadRed);
        p.setPen(Pen);
        p.setBrush(Brush);
        p.drawRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    if (FModel.IsSHARP_SM5A_MCU()) {
        const TRect c = SM5ACircleRect(FModel.Pin1Position());
        p.drawEllipse(c.Left, c.Top, c.Width() - 1, c.Height() - 1);
        TPoint a, b;
        SM5AChamferLine(FModel.Pin1Position(), a, b);
        p.drawLine(a.x, a.y, b.x, b.y);
    }
    const QString Name = QString::fromStdString(FModel.MCUname());
    p.setFont(SmallFont(font(), 8, true));
    const QFontMetrics nm(p.font());
    const int nw = nm.horizontalAdvance(Name), nh = nm.height();
    p.drawText(QRect((PackageDrawingSize - nw) / 2, (PackageDrawingSize - nh) / 2, nw, nh), Qt::AlignCenter, Name);
    p.setFont(font());
    const QFontMetrics fm(font());
    auto Size = [&fm](const std::string& t) {
        const QString s = QString::fromStdString(t);
        return TSize{fm.horizontalAdvance(s), fm.height()};
    };
    for (const TPinNumberLabel& L : PinNumberLabels(FModel.Pin1Position(), Size)) {
        const TSize s = Size(L.Text);
        p.drawText(QRect(L.Origin.x, L.Origin.y, s.cx, s.cy), Qt::AlignCenter, QString::fromStdString(L.Text));
    }
}

void TMCUPackageView::mouseMoveEvent(QMouseEvent* Event) {
    const QPoint q = Event->position().toPoint();
    FModel.PackageMouseMove({q.x(), q.y()});
}

void TMCUPackageView::enterEvent(QEnterEvent* Event) {
    const QPoint q = Event->position().toPoint();
    FModel.PackageMouseMove({q.x(), q.y()});
}

void TMCUPackageView::leaveEvent(QEvent*) { FModel.PackageMouseLeave(); }

void TMCUPackageView::mousePressEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    const QPoint q = Event->position().toPoint();
    FModel.PackageClick({q.x(), q.y()}, Event->modifiers() == Qt::ControlModifier);
}

// ---------------------------------------------------------------------------------------------
// The window

TMCUtoLCDFrm::TMCUtoLCDFrm(QWidget* Parent) : QWidget(Parent), FModel(*this) {
    setWindowTitle(tr("Interconnection of MCU and LCD"));
    setWindowFlags(Qt::Tool);
    CreateWidgets();
    PlaceWidgets(false);
}

TMCUtoLCDFrm::~TMCUtoLCDFrm() = default;

void TMCUtoLCDFrm::CreateWidgets() {
    FImagePanel = new QWidget(this);
    FImagePanel->setAutoFillBackground(true);
    UpperStrip = new TLCDpadStrip(FModel, true, FImagePanel);
    LowerStrip = new TLCDpadStrip(FModel, false, FImagePanel);
    LCDImage = new TLCDImageWidget(FImagePanel);

    NoteLabel = new QLabel(this);
    QPalette red = NoteLabel->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    NoteLabel->setPalette(red);
    NoteLabel->setTextFormat(Qt::PlainText);
    // A font small enough for the longest note to fit across the window: on one line, or on the
    // two lines the note has with the longer Russian texts.
    const QString Twin = QString::fromStdString(Format(Tr("Interconnection", TwinCOMpadsNoteFormat).c_str(), 54, 54));
    const QString Approximate = QString::fromStdString(Tr("Interconnection", ApproximateCOMGroupsNote));
    const int NoteLines = RussianUIActive() ? 2 : 1;
    double Points = 8;
    for (; Points > 6; Points -= 0.5) {
        const QFontMetrics fm(SmallFont(font(), Points));
        auto Fits = [&](const QString& Text) {
            if (NoteLines == 1) return fm.horizontalAdvance(Text) <= ClientWidth - 2 * Margin;
            const QRect Box(0, 0, ClientWidth - 2 * Margin, 100 * fm.height());
            return fm.boundingRect(Box, Qt::TextWordWrap, Text).height() <= NoteLines * fm.height();
        };
        if (Fits(Twin) && Fits(Approximate)) break;
    }
    NoteLabel->setFont(SmallFont(font(), Points));

    LCDGroup = new QGroupBox(tr("Activated LCD elements"), this);
    auto* lcd = new QHBoxLayout(LCDGroup);
    lcd->setContentsMargins(6, 2, 6, 4);
    for (TPadPanelLabels& P : PadPanels) {
        P.Panel = new QWidget(LCDGroup);
        auto* g = new QGridLayout(P.Panel);
        g->setContentsMargins(0, 0, 0, 0);
        g->setVerticalSpacing(1);
        g->addWidget(new QLabel(tr("Pad number:"), P.Panel), 0, 0);
        P.Value = new QLabel("-", P.Panel);
        QFont bold = P.Value->font();
        bold.setBold(true);
        P.Value->setFont(bold);
        g->addWidget(P.Value, 0, 1);
        P.NoSegmentInCOM0 = new QLabel(QString::fromStdString(Tr("Interconnection", NoSegmentInCOM0Text)), P.Panel);
        P.NoSegmentInCOM1 = new QLabel(QString::fromStdString(Tr("Interconnection", NoSegmentInCOM1Text)), P.Panel);
        g->addWidget(P.NoSegmentInCOM0, 1, 0, 1, 2);
        g->addWidget(P.NoSegmentInCOM1, 2, 0, 1, 2);
        g->setColumnStretch(1, 1);
        for (QWidget* w : {P.Panel, static_cast<QWidget*>(P.NoSegmentInCOM0), static_cast<QWidget*>(P.NoSegmentInCOM1)})
            KeepRoomWhenHidden(w);
        lcd->addWidget(P.Panel, 1);
    }

    MCUGroup = new QGroupBox(tr("Activated MCU elements"), this);
    auto* mcu = new QGridLayout(MCUGroup);
    mcu->setContentsMargins(6, 2, 6, 4);
    mcu->setVerticalSpacing(1);
    auto value = [this](const QString& Text) {
        auto* l = new QLabel(Text, MCUGroup);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        KeepRoomWhenHidden(l);
        return l;
    };
    mcu->addWidget(new QLabel(tr("Pin number:"), MCUGroup), 0, 0);
    PinNumberValue = value("-");
    mcu->addWidget(PinNumberValue, 0, 1);
    mcu->addWidget(new QLabel(tr("Pin name:"), MCUGroup), 1, 0);
    PinNameValue = value("-");
    PinNameValue->setTextFormat(Qt::RichText);
    mcu->addWidget(PinNameValue, 1, 1);
    ORegistersCaption = new QLabel(tr("O registers:"), MCUGroup);
    ORegistersValue = value("");
    BitCaption = new QLabel(tr("Bit:"), MCUGroup);
    BitValue = value("");
    KeepRoomWhenHidden(ORegistersCaption);
    KeepRoomWhenHidden(BitCaption);
    mcu->addWidget(ORegistersCaption, 0, 2);
    mcu->addWidget(ORegistersValue, 0, 3);
    mcu->addWidget(BitCaption, 1, 2);
    mcu->addWidget(BitValue, 1, 3);
    mcu->setColumnStretch(1, 1);
    mcu->setColumnStretch(3, 1);

    Package = new TMCUPackageView(FModel, this);

    HintLabel = new QLabel(tr("Hover the mouse over either an LCD pad or an MCU pin to check which elements are "
                              "interconnected. Ctrl+click locks the current interconnection. A simple click then "
                              "releases the lock."),
                           this);
    HintLabel->setWordWrap(true);
    HintLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    HintLabel->setFont(SmallFont(font(), 8));
    PanelsChanged();
}

// Fixed places, as the window has a fixed size. With the Russian texts the window is 8 pixels
// taller, the note has room for two lines and wraps, and everything under it moves down by 8.
void TMCUtoLCDFrm::PlaceWidgets(bool RussianUI) {
    const int Extra = RussianUI ? RussianExtraHeight : 0;
    setFixedSize(ClientWidth, ClientHeight + Extra);
    FImagePanel->setGeometry(0, 0, ClientWidth, 2 * LCDpadStripHeight + ImageHeight);
    UpperStrip->setGeometry(0, 0, ClientWidth, LCDpadStripHeight);
    LCDImage->setGeometry(0, LCDpadStripHeight, ClientWidth, ImageHeight);
    LowerStrip->setGeometry(0, LCDpadStripHeight + ImageHeight, ClientWidth, LCDpadStripHeight);

    // The note is one line in English. With the Russian texts it has the height of two lines
    // and wraps; the English height leaves exactly the extra 8 pixels to make up two lines.
    const int NoteTop = FImagePanel->geometry().bottom() + 3;
    const int Line = QFontMetrics(NoteLabel->font()).height();
    const int NoteHeight = std::max(Line + 2, 2 * Line - RussianExtraHeight);
    NoteLabel->setWordWrap(RussianUI);
    NoteLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    NoteLabel->setGeometry(Margin, NoteTop, ClientWidth - 2 * Margin, NoteHeight + Extra);

    const int Top = NoteTop + NoteHeight + 3 + Extra;
    const int Left = ClientWidth - Margin - PackagePanelSize;
    Package->move(Left, Top);
    const int GroupWidth = Left - 2 * Margin;
    const int LCDHeight = LCDGroup->sizeHint().height();
    LCDGroup->setGeometry(Margin, Top, GroupWidth, LCDHeight);
    const int MCUHeight = MCUGroup->sizeHint().height();
    MCUGroup->setGeometry(Margin, Top + LCDHeight + 6, GroupWidth, MCUHeight);
    const int HintTop = std::max(Top + LCDHeight + 6 + MCUHeight + 6, 0);
    HintLabel->setGeometry(Margin, HintTop, GroupWidth, ClientHeight + Extra - HintTop - 4);
}

void TMCUtoLCDFrm::Initialize(const TSHARP_SM5A_MCU& MCU) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct TRestoreCursor {
        ~TRestoreCursor() { QApplication::restoreOverrideCursor(); }
    } Restore;
    PlaceWidgets(RussianUIActive());
    const QColor Panel = FImagePanel->palette().color(FImagePanel->backgroundRole());
    FModel.Initialize(MCU, ToTColor(Panel), Options().HighContrast);
    LCDImage->SetRaster(&FModel.LCDImage());
    if (const QScreen* s = (parentWidget() ? parentWidget()->screen() : screen()))
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TMCUtoLCDFrm::StripsChanged() {
    UpperStrip->update();
    LowerStrip->update();
}

void TMCUtoLCDFrm::PackageChanged() { Package->update(); }

void TMCUtoLCDFrm::LCDImageChanged() {
    if (LCDImage->Raster() != &FModel.LCDImage()) LCDImage->SetRaster(&FModel.LCDImage());
    LCDImage->CheckForChanges();
}

void TMCUtoLCDFrm::PanelsChanged() {
    const TInterconnectionPanels& P = FModel.Panels();
    for (size_t i = 0; i < 2; ++i) {
        PadPanels[i].Panel->setVisible(P.Pads[i].Visible);
        PadPanels[i].Value->setText(QString::fromStdString(P.Pads[i].Value));
        PadPanels[i].NoSegmentInCOM0->setVisible(P.Pads[i].NoSegmentInCOM0Visible);
        PadPanels[i].NoSegmentInCOM1->setVisible(P.Pads[i].NoSegmentInCOM1Visible);
    }
    PinNumberValue->setText(QString::fromStdString(P.Pin.Number));
    PinNameValue->setText(PinNameHtml(P.Pin.Name));
    ORegistersCaption->setVisible(P.Pin.ORegistersVisible);
    ORegistersValue->setVisible(P.Pin.ORegistersVisible);
    ORegistersValue->setText(QString::fromStdString(P.Pin.ORegisters));
    BitCaption->setVisible(P.Pin.BitVisible);
    BitValue->setVisible(P.Pin.BitVisible);
    BitValue->setText(QString::fromStdString(P.Pin.Bit));
    NoteLabel->setText(QString::fromStdString(P.Note));
}

} // namespace tarvolin
