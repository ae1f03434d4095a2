// Pixel operations of the LCD scene raster.
#include "lcd/raster.h"

#include <algorithm>
#include <utility>

namespace tarvolin {

TRaster::TRaster(int Width, int Height, TColor Fill) { SetSize(Width, Height, Fill); }

void TRaster::SetSize(int Width, int Height, TColor Fill) {
    if (Width <= 0 || Height <= 0) {
        Clear();
        return;
    }
    FWidth = Width;
    FHeight = Height;
    FPixels.assign(size_t(Width) * size_t(Height), Fill);
    MarkChanged();
}

void TRaster::Clear() {
    FWidth = FHeight = 0;
    FPixels.clear();
    FPixels.shrink_to_fit();
    MarkChanged();
}

void TRaster::FillSolid(TColor c) {
    std::fill(FPixels.begin(), FPixels.end(), c);
    MarkChanged();
}

void TRaster::FillRect(int Left, int Top, int Right, int Bottom, TColor c) {
    Left = std::max(Left, 0);
    Top = std::max(Top, 0);
    Right = std::min(Right, FWidth);
    Bottom = std::min(Bottom, FHeight);
    if (Left >= Right || Top >= Bottom) return;
    for (int y = Top; y < Bottom; ++y) {
        TColor* Row = FPixels.data() + size_t(y) * FWidth;
        std::fill(Row + Left, Row + Right, c);
    }
    MarkChanged();
}

// Scanline fill with an explicit stack of seeds: each popped seed fills its whole horizontal
// run, and pushes one seed per run of the old colour directly above and below that run.
// Only left/right/up/down neighbours join a region, so shapes that touch at a corner stay apart.
size_t TRaster::FloodFill(int x, int y, TColor NewColor) {
    if (!Contains(x, y)) return 0;
    const TColor OldColor = Pixel(x, y);
    if (OldColor == NewColor) return 0;

    // Reused between calls: a scene refresh runs dozens of fills in a row.
    static thread_local std::vector<std::pair<int, int>> Seeds;
    Seeds.clear();
    Seeds.emplace_back(x, y);
    size_t Changed = 0;
    TColor* const Base = FPixels.data();
    while (!Seeds.empty()) {
        auto [sx, sy] = Seeds.back();
        Seeds.pop_back();
        TColor* Row = Base + size_t(sy) * FWidth;
        if (Row[sx] != OldColor) continue;
        int Left = sx, Right = sx;
        while (Left > 0 && Row[Left - 1] == OldColor) --Left;
        while (Right + 1 < FWidth && Row[Right + 1] == OldColor) ++Right;
        std::fill(Row + Left, Row + Right + 1, NewColor);
        Changed += size_t(Right - Left + 1);
        for (int ny = sy - 1; ny <= sy + 1; ny += 2) {
            if (ny < 0 || ny >= FHeight) continue;
            const TColor* NRow = Base + size_t(ny) * FWidth;
            bool InRun = false;
            for (int i = Left; i <= Right; ++i) {
                if (NRow[i] == OldColor) {
                    if (!InRun) Seeds.emplace_back(i, ny);
                    InRun = true;
                } else {
                    InRun = false;
                }
            }
        }
    }
    if (Changed) MarkChanged();
    return Changed;
}

} // namespace tarvolin
