#include "debugger/ui/lcd_image_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace tarvolin {

TLCDImageWidget::TLCDImageWidget(QWidget* Parent) : QWidget(Parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(160, 102);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("LCD picture"));
}

void TLCDImageWidget::keyPressEvent(QKeyEvent* Event) {
    const Qt::KeyboardModifiers mods = Event->modifiers() & ~Qt::KeypadModifier;
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (mods == Qt::NoModifier || mods == Qt::ShiftModifier) {
            emit DoubleClicked(mods == Qt::ShiftModifier);
            return;
        }
        break;
    case Qt::Key_Menu: emit customContextMenuRequested(rect().center()); return;
    case Qt::Key_F10:
        if (mods == Qt::ShiftModifier) {
            emit customContextMenuRequested(rect().center());
            return;
        }
        break;
    default: break;
    }
    QWidget::keyPressEvent(Event);
}

void TLCDImageWidget::SetRaster(const TRaster* Raster) {
    FRaster = Raster;
    FConvertedChangeCount = UINT64_MAX;
    FImage = QImage();
    update();
}

int TLCDImageWidget::heightForWidth(int w) const {
    if (!FRaster || FRaster->Empty()) return w * 864 / 1355;
    return w * FRaster->Height() / std::max(1, FRaster->Width());
}

bool TLCDImageWidget::CheckForChanges() {
    if (!FRaster) return false;
    if (FRaster->ChangeCount() == FConvertedChangeCount && FRaster->Width() == FConvertedWidth &&
        FRaster->Height() == FConvertedHeight)
        return false;
    update();
    return true;
}

void TLCDImageWidget::ConvertNow() {
    // Converts and scales in one pass: every target pixel is the average of its block of
    // raster pixels, white (transparent) counting as the panel's background. Reading each
    // raster pixel once keeps a redraw of the 1355 x 864 scene to a few milliseconds.
    const QRgb bg = palette().color(backgroundRole()).rgb();
    const QRect target = ImageRect();
    if (!FRaster || FRaster->Empty() || target.isEmpty()) {
        FImage = QImage();
    } else {
        const int sw = FRaster->Width(), sh = FRaster->Height();
        const int tw = std::min(target.width(), sw), th = std::min(target.height(), sh);
        if (FImage.width() != tw || FImage.height() != th || FImage.format() != QImage::Format_RGB32)
            FImage = QImage(tw, th, QImage::Format_RGB32);
        const TColor transparent = FRaster->TransparentColor & 0xFFFFFF;
        const uint32_t bgR = qRed(bg), bgG = qGreen(bg), bgB = qBlue(bg);
        std::vector<int> x0(tw + 1);
        for (int x = 0; x <= tw; ++x) x0[x] = static_cast<int>(int64_t(x) * sw / tw);
        std::vector<uint32_t> sumR(tw), sumG(tw), sumB(tw);
        const TColor* data = FRaster->Data();
        for (int ty = 0; ty < th; ++ty) {
            const int y0 = static_cast<int>(int64_t(ty) * sh / th);
            const int y1 = std::max(y0 + 1, static_cast<int>(int64_t(ty + 1) * sh / th));
            std::fill(sumR.begin(), sumR.end(), 0);
            std::fill(sumG.begin(), sumG.end(), 0);
            std::fill(sumB.begin(), sumB.end(), 0);
            for (int y = y0; y < y1; ++y) {
                const TColor* row = data + size_t(y) * sw;
                for (int tx = 0; tx < tw; ++tx) {
                    uint32_t r = 0, g = 0, b = 0;
                    const int xe = std::max(x0[tx] + 1, x0[tx + 1]);
                    for (int x = x0[tx]; x < xe; ++x) {
                        const TColor c = row[x] & 0xFFFFFF;
                        if (c == transparent) {
                            r += bgR;
                            g += bgG;
                            b += bgB;
                        } else {
                            r += c & 0xFF;
                            g += (c >> 8) & 0xFF;
                            b += (c >> 16) & 0xFF;
                        }
                    }
                    sumR[tx] += r;
                    sumG[tx] += g;
                    sumB[tx] += b;
                }
            }
            QRgb* dst = reinterpret_cast<QRgb*>(FImage.scanLine(ty));
            for (int tx = 0; tx < tw; ++tx) {
                const uint32_t n = uint32_t(y1 - y0) * uint32_t(std::max(x0[tx] + 1, x0[tx + 1]) - x0[tx]);
                dst[tx] = qRgb(sumR[tx] / n, sumG[tx] / n, sumB[tx] / n);
            }
        }
    }
    FConvertedChangeCount = FRaster ? FRaster->ChangeCount() : 0;
    FConvertedWidth = FRaster ? FRaster->Width() : -1;
    FConvertedHeight = FRaster ? FRaster->Height() : -1;
    FConvertedBackground = bg;
    FConvertedSize = target.size();
}

QRect TLCDImageWidget::ImageRect() const {
    if (!FRaster || FRaster->Empty()) return {};
    QSize s(FRaster->Width(), FRaster->Height());
    s.scale(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
}

void TLCDImageWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!FRaster || FRaster->Empty()) return;
    if (FRaster->ChangeCount() != FConvertedChangeCount || FRaster->Width() != FConvertedWidth ||
        FRaster->Height() != FConvertedHeight || palette().color(backgroundRole()).rgb() != FConvertedBackground ||
        ImageRect().size() != FConvertedSize)
        ConvertNow();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(ImageRect(), FImage);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
    ++FRepaintCount;
}

void TLCDImageWidget::mouseDoubleClickEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton) emit DoubleClicked(Event->modifiers() & Qt::ShiftModifier);
}

} // namespace tarvolin
