#include "debugger/ui/lcd_image_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarvolin {

TLCDImageWidget::TLCDImageWidget(QWidget* Parent) : QWidget(Parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(160, 102);
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
    const QRgb bg = palette().color(backgroundRole()).rgb();
    if (!FRaster || FRaster->Empty()) {
        FImage = QImage();
    } else {
        const int w = FRaster->Width(), h = FRaster->Height();
        if (FImage.width() != w || FImage.height() != h || FImage.format() != QImage::Format_RGB32)
            FImage = QImage(w, h, QImage::Format_RGB32);
        const TColor transparent = FRaster->TransparentColor;
        const bool useTransparency = FRaster->Transparent || transparent == clWhite;
        const TColor* src = FRaster->Data();
        for (int y = 0; y < h; ++y) {
            QRgb* dst = reinterpret_cast<QRgb*>(FImage.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const TColor c = *src++ & 0xFFFFFF;
                if (useTransparency && c == transparent)
                    dst[x] = bg;
                else
                    dst[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
            }
        }
    }
    FConvertedChangeCount = FRaster ? FRaster->ChangeCount() : 0;
    FConvertedWidth = FRaster ? FRaster->Width() : -1;
    FConvertedHeight = FRaster ? FRaster->Height() : -1;
    FConvertedBackground = bg;
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
        FRaster->Height() != FConvertedHeight || palette().color(backgroundRole()).rgb() != FConvertedBackground)
        ConvertNow();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(ImageRect(), FImage);
    ++FRepaintCount;
}

void TLCDImageWidget::mouseDoubleClickEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton) emit DoubleClicked(Event->modifiers() & Qt::ShiftModifier);
}

} // namespace tarvolin
