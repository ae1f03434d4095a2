#include "app/ui/about_dlg.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <cmath>

#include "app/ui/link_label.h"
#include "base/options.h"
#include "base/ui/shell_starter.h"
#include "base/version.h"
#include "debugger/prompter.h"

namespace tarvolin {

namespace {

const QSize AboutSize(560, 360);
const QColor TestingModeColour(0, 128, 0);
const QColor Lit(40, 44, 40);
const QColor Unlit(214, 218, 212);

// One segment of a 7-segment digit as a hexagon between two points.
void Segment(QPainter& P, QPointF A, QPointF B, qreal W, const QColor& C) {
    const QPointF d = B - A;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF u = d / len, n(-u.y() * W / 2, u.x() * W / 2);
    const QPointF a = A + u * (W / 2), b = B - u * (W / 2);
    QPolygonF poly{A, a + n, b + n, B, b - n, a - n};
    P.setPen(Qt::NoPen);
    P.setBrush(C);
    P.drawPolygon(poly);
}

// A 7-segment digit at (X, Y), H high; unlit segments stay visible as on real glass.
void Digit(QPainter& P, qreal X, qreal Y, qreal H, int Value) {
    static const uint8_t Codes[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const qreal W = H / 2, g = H / 14;
    const QPointF tl(X, Y), tr(X + W, Y), ml(X, Y + H / 2), mr(X + W, Y + H / 2), bl(X, Y + H), br(X + W, Y + H);
    const QPointF ends[7][2] = {{tl, tr}, {tr, mr}, {mr, br}, {bl, br}, {ml, bl}, {tl, ml}, {ml, mr}};
    for (int s = 0; s < 7; ++s) {
        QPointF a = ends[s][0], b = ends[s][1];
        const QPointF d = (b - a) / std::hypot((b - a).x(), (b - a).y()) * g;
        Segment(P, a + d, b - d, H / 9, (Codes[Value] >> s) & 1 ? Lit : Unlit);
    }
}

// A running figure made of a few thick strokes, as the games draw their heroes.
void Figure(QPainter& P, QPointF At, qreal S, bool Lifted, const QColor& C) {
    P.setPen(QPen(C, S / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    P.setBrush(C);
    P.drawEllipse(At + QPointF(0, -S * 0.9), S * 0.16, S * 0.16);
    const QPointF neck = At + QPointF(0, -S * 0.7), hip = At + QPointF(0, -S * 0.25);
    P.drawLine(neck, hip);
    P.drawLine(neck + QPointF(0, S * 0.08), neck + QPointF(-S * 0.32, Lifted ? -S * 0.2 : S * 0.2));
    P.drawLine(neck + QPointF(0, S * 0.08), neck + QPointF(S * 0.32, Lifted ? -S * 0.2 : S * 0.2));
    P.drawLine(hip, At + QPointF(-S * 0.22, 0));
    P.drawLine(hip, At + QPointF(S * 0.22, 0));
}

} // namespace

QPixmap AboutPicture(const QSize& Size) {
    QPixmap Pixmap(Size);
    Pixmap.fill(Qt::transparent);
    QPainter P(&Pixmap);
    P.setRenderHint(QPainter::Antialiasing);
    const qreal w = Size.width(), h = Size.height();
    // The clock of the game in the top left corner.
    const int Time[4] = {1, 9, 8, 1};
    for (int i = 0; i < 4; ++i) Digit(P, 18 + i * 28 + (i >= 2 ? 10 : 0), 14, 38, Time[i]);
    P.setBrush(Lit);
    P.setPen(Qt::NoPen);
    P.drawEllipse(QPointF(18 + 2 * 28 + 1, 26), 2.5, 2.5);
    P.drawEllipse(QPointF(18 + 2 * 28 + 1, 42), 2.5, 2.5);
    // Three positions of the hero: the one shown is lit, the other two are the glass's ghosts.
    for (int i = 0; i < 3; ++i) Figure(P, QPointF(w * 0.22 + i * w * 0.28, h - 18), 70, i == 1, i == 1 ? Lit : Unlit);
    // Balls in flight along an arc, one of them lit.
    P.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        const qreal t = i / 6.0;
        const QPointF c(w * 0.12 + t * w * 0.76, h * 0.68 - std::sin(t * 3.14159) * h * 0.08);
        P.setBrush(i == 4 ? Lit : Unlit);
        P.drawEllipse(c, 9, 9);
    }
    // "GAME A" / "GAME B" marks in the top right corner.
    QFont f("Sans", 9, QFont::Bold);
    P.setFont(f);
    P.setPen(Lit);
    P.drawText(QRectF(w - 90, 14, 80, 16), Qt::AlignRight, "GAME A");
    P.setPen(Unlit);
    P.drawText(QRectF(w - 90, 32, 80, 16), Qt::AlignRight, "GAME B");
    return Pixmap;
}

TAboutDlg::TAboutDlg(TPrompter& Prompter, QWidget* Parent) : QDialog(Parent), FPrompter(Prompter) {
    setWindowTitle(tr("About"));
    setFixedSize(AboutSize);

    auto* Picture = new QLabel(this);
    Picture->setPixmap(AboutPicture(AboutSize));
    Picture->setGeometry(0, 0, AboutSize.width(), AboutSize.height());

    auto* Panel = new QFrame(this);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setAutoFillBackground(true);
    auto* Lines = new QVBoxLayout(Panel);
    Lines->setSpacing(2);
    auto Line = [&](QLabel* Label, bool Bold = false) {
        Label->setAlignment(Qt::AlignCenter);
        if (Bold) {
            QFont f = Label->font();
            f.setBold(true);
            Label->setFont(f);
        }
        Lines->addWidget(Label);
        return Label;
    };
    Line(new QLabel(tr("Emulator and debugger for SHARP SM-5A and КБ1013ВК1-2 programs"), Panel));
    uint16_t Major = 0, Minor = 0, Release = 0;
    FVersion = Line(new QLabel(Panel));
    if (GetProgramVersion(Major, Minor, Release))
        FVersion->setText(QString::asprintf("v%u.%u.%u", unsigned(Major), unsigned(Minor), unsigned(Release)));
    else
        FVersion->hide();
    FNote = new TDoubleClickLabel(tr("for testing and study purposes"), Panel);
    Line(FNote, true);
    Line(new QLabel("Tarvolin", Panel), true);
    Line(new QLabel(tr("Thanks to everyone who documented these chips and their games."), Panel));
    Line(new QLabel(tr("Emulation, debugger and pictures: the Tarvolin developers."), Panel));

    const QString Address = QString::fromStdString(Options().ContactAddress);
    FContact = new TLinkLabel(Address.isEmpty() ? tr("no contact address configured") : tr("Contact the authors"), Panel);
    Line(FContact);
    if (Address.isEmpty()) {
        FContact->setEnabled(false);
        FContact->setCursor(Qt::ArrowCursor);
    } else {
        FContact->setToolTip("mailto:" + Address);
        FContact->OnClick = [this, Address](const QString&) {
            const std::string Link = ("mailto:" + Address + "?subject=Tarvolin").toStdString();
            try {
                OpenDocument(Link);
            } catch (const std::exception& e) {
                // The window's error box, as for every failed shell action.
                FPrompter.Error(e.what());
            }
        };
    }
    const int PanelWidth = std::min(AboutSize.width() - 20, Panel->sizeHint().width() + 24);
    Panel->setGeometry((AboutSize.width() - PanelWidth) / 2, 66, PanelWidth, Panel->sizeHint().height());

    FNote->OnDoubleClick = [this](Qt::KeyboardModifiers Modifiers) {
        if (!ShiftAndCtrlHeld(Modifiers) || Options().TestingMode) return;
        Options().TestingMode = true;
        ShowTestingMode();
    };
    if (Options().TestingMode) ShowTestingMode();
}

QColor TAboutDlg::NoteColour() const { return FNote->palette().color(QPalette::WindowText); }

void TAboutDlg::ShowTestingMode() {
    QPalette p = FNote->palette();
    p.setColor(QPalette::WindowText, TestingModeColour);
    FNote->setPalette(p);
}

} // namespace tarvolin
