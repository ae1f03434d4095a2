// Shows the LCD scene raster that the LCD driver paints, scaled to fit with its aspect kept.
// White is transparent: the panel's background shows through. It takes the keyboard focus.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

#include "lcd/raster.h"

namespace tarvolin {

class TLCDImageWidget : public QWidget {
    Q_OBJECT
public:
    explicit TLCDImageWidget(QWidget* Parent = nullptr);

    // The raster is owned by the caller; nullptr shows nothing.
    void SetRaster(const TRaster* Raster);
    const TRaster* Raster() const { return FRaster; }
    // Repaints when the raster changed since it was last drawn; returns true then.
    bool CheckForChanges();
    // The picture as last converted and scaled to ImageRect (empty before the first paint).
    const QImage& ConvertedImage() const { return FImage; }
    // Where the picture is drawn inside the widget.
    QRect ImageRect() const;
    // Converts the raster now (normally done lazily on paint).
    void ConvertNow();
    uint64_t RepaintCount() const { return FRepaintCount; }

    QSize sizeHint() const override { return QSize(271, 173); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override;

signals:
    void DoubleClicked(bool Shift);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    // Enter or Space switch to the next image (with Shift the previous one), the Menu key or
    // Shift+F10 open the picture's pop-up menu.
    void keyPressEvent(QKeyEvent* Event) override;

private:
    const TRaster* FRaster = nullptr;
    QImage FImage;
    uint64_t FConvertedChangeCount = UINT64_MAX;
    int FConvertedWidth = -1, FConvertedHeight = -1;
    QRgb FConvertedBackground = 0;
    QSize FConvertedSize;
    uint64_t FRepaintCount = 0;
};

} // namespace tarvolin
