#include "debugger/ui/run_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace tarvolin {

namespace {

// The icons are drawn on a 32 x 32 grid and scaled to each size.
constexpr double Grid = 32.0;

const QColor Ink(40, 60, 110);
const QColor Go(20, 140, 40);
const QColor Stop(200, 30, 30);

QPainterPath Arrowhead(QPointF Tip, double AngleDegrees, double Size) {
    // A filled triangle pointing in the direction of AngleDegrees (0 = right, 90 = down).
    const double a = AngleDegrees * M_PI / 180.0;
    const QPointF dir(std::cos(a), std::sin(a)), side(-dir.y(), dir.x());
    QPainterPath p;
    p.moveTo(Tip);
    p.lineTo(Tip - dir * Size + side * Size * 0.6);
    p.lineTo(Tip - dir * Size - side * Size * 0.6);
    p.closeSubpath();
    return p;
}

void Triangle(QPainter& p, double x, double y, double w, double h, const QColor& c) {
    QPainterPath t;
    t.moveTo(x, y);
    t.lineTo(x + w, y + h / 2);
    t.lineTo(x, y + h);
    t.closeSubpath();
    p.fillPath(t, c);
}

void Lines(QPainter& p) {
    // Three lines of a listing, the background of the stepping icons.
    p.setPen(QPen(QColor(150, 150, 150), 2));
    for (int y : {8, 16, 24}) p.drawLine(QPointF(18, y), QPointF(29, y));
}

void Paint(QPainter& p, TRunIcon Kind) {
    p.setRenderHint(QPainter::Antialiasing);
    const QPen ink(Ink, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (Kind) {
    case TRunIcon::TraceInto: {
        Lines(p);
        p.setPen(ink);
        QPainterPath path;
        path.moveTo(4, 4);
        path.cubicTo(4, 14, 6, 16, 12, 16);
        p.drawPath(path);
        p.fillPath(Arrowhead({17, 16}, 0, 6), Ink);
        break;
    }
    case TRunIcon::StepOver: {
        Lines(p);
        p.setPen(ink);
        QPainterPath path;
        path.moveTo(5, 24);
        path.cubicTo(5, 2, 24, 2, 24, 14);
        p.drawPath(path);
        p.fillPath(Arrowhead({24, 21}, 90, 6), Ink);
        break;
    }
    case TRunIcon::RunUntilReturn: {
        p.setPen(QPen(QColor(150, 150, 150), 2));
        p.drawRect(QRectF(14, 5, 14, 22));
        p.setPen(ink);
        p.drawLine(QPointF(22, 16), QPointF(8, 16));
        p.fillPath(Arrowhead({3, 16}, 180, 6), Ink);
        break;
    }
    case TRunIcon::AnimatedRun:
        Triangle(p, 9, 5, 18, 22, Go);
        p.setPen(QPen(Go, 2.2, Qt::SolidLine, Qt::RoundCap));
        for (int y : {10, 16, 22}) p.drawLine(QPointF(2, y), QPointF(6, y));
        break;
    case TRunIcon::UnattendedRun:
        Triangle(p, 3, 6, 14, 20, Go);
        Triangle(p, 15, 6, 14, 20, Go);
        break;
    case TRunIcon::Pause:
        p.fillRect(QRectF(8, 6, 6, 20), Stop);
        p.fillRect(QRectF(18, 6, 6, 20), Stop);
        break;
    case TRunIcon::Refresh: {
        p.setPen(ink);
        p.drawArc(QRectF(6, 6, 20, 20), 100 * 16, 280 * 16);
        p.fillPath(Arrowhead({19, 6}, 0, 6), Ink);
        break;
    }
    case TRunIcon::Reset: {
        p.setPen(QPen(Stop, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(6, 7, 20, 20), 120 * 16, 300 * 16);
        p.drawLine(QPointF(16, 3), QPointF(16, 15));
        break;
    }
    case TRunIcon::Breakpoints:
        p.setPen(QPen(QColor(120, 0, 0), 1.5));
        p.setBrush(Stop);
        p.drawEllipse(QRectF(7, 7, 18, 18));
        break;
    case TRunIcon::PlayLayout: {
        p.setPen(ink);
        p.drawRect(QRectF(4, 6, 24, 16));
        p.fillRect(QRectF(8, 10, 16, 8), QColor(150, 170, 150));
        p.setBrush(Ink);
        p.drawEllipse(QRectF(9, 24, 5, 5));
        p.drawEllipse(QRectF(18, 24, 5, 5));
        break;
    }
    }
}

} // namespace

QIcon RunIcon(TRunIcon Kind) {
    QIcon icon;
    for (int size : {16, 20, 24, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.scale(size / Grid, size / Grid);
        Paint(p, Kind);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

void DrawControlSign(QPainter& p, TControlSign Sign, const QRectF& Rect, const QColor& Colour) {
    const double side = std::min(Rect.width(), Rect.height());
    if (side <= 0) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(Rect.center());
    p.scale(side / Grid, side / Grid);
    p.translate(-Grid / 2, -Grid / 2);
    const QPen pen(Colour, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto arrow = [&](double angle) {
        // A shaft through the centre and a head at the far end, pointing at angle degrees.
        const double a = angle * M_PI / 180.0;
        const QPointF c(16, 16), dir(std::cos(a), std::sin(a));
        p.setPen(pen);
        p.drawLine(c - dir * 11, c + dir * 4);
        p.fillPath(Arrowhead(c + dir * 13, angle, 10), Colour);
    };
    switch (Sign) {
    case TControlSign::ArrowLeft: arrow(180); break;
    case TControlSign::ArrowRight: arrow(0); break;
    case TControlSign::ArrowUp: arrow(270); break;
    case TControlSign::ArrowDown: arrow(90); break;
    case TControlSign::ArrowUpLeft: arrow(225); break;
    case TControlSign::ArrowUpRight: arrow(315); break;
    case TControlSign::ArrowDownLeft: arrow(135); break;
    case TControlSign::ArrowDownRight: arrow(45); break;
    case TControlSign::Bell: {
        QPainterPath bell;
        bell.moveTo(6, 24);
        bell.cubicTo(10, 21, 9, 16, 10, 12);
        bell.cubicTo(11, 6, 21, 6, 22, 12);
        bell.cubicTo(23, 16, 22, 21, 26, 24);
        bell.closeSubpath();
        p.fillPath(bell, Colour);
        p.setBrush(Colour);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(13.5, 24, 5, 5));
        p.drawEllipse(QRectF(14.5, 4, 3, 3));
        break;
    }
    case TControlSign::Reset: {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(6, 6, 20, 20), 90 * 16, 270 * 16);
        p.fillPath(Arrowhead({16, 6}, 0, 8), Colour);
        break;
    }
    case TControlSign::Text: break;
    }
    p.restore();
}

} // namespace tarvolin
