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

namespace {

// A run of the old colour to be filled, found while scanning from its parent run. Dy is the
// direction from the parent's row to this row (0 for the starting point); ParentLeft and
// ParentRight bound the parent's run, which is already filled.
struct TFillSeed {
    int x, y, ParentLeft, ParentRight, Dy;
};

// Pushes one seed per run of OldColor in Row between Left and Right (inclusive).
inline void PushRuns(std::vector<TFillSeed>& Seeds, const TColor* Row, int Left, int Right, int y, int RunLeft,
                     int RunRight, int Dy, TColor OldColor) {
    int i = Left;
    while (i <= Right) {
        while (i <= Right && Row[i] != OldColor) ++i;
        if (i > Right) break;
        Seeds.push_back({i, y, RunLeft, RunRight, Dy});
        while (i <= Right && Row[i] == OldColor) ++i;
    }
}

} // namespace

// Scanline fill with an explicit stack of seeds: each popped seed fills its whole horizontal
// run and pushes one seed per run of the old colour directly above and below it. Towards the
// row it came from, only the parts beyond the parent's (already filled) run are scanned.
// Only left/right/up/down neighbours join a region, so shapes that touch at a corner stay apart.
size_t TRaster::FloodFill(int x, int y, TColor NewColor) {
    if (!Contains(x, y)) return 0;
    const TColor OldColor = Pixel(x, y);
    if (OldColor == NewColor) return 0;

    // Reused between calls: a scene refresh runs dozens of fills in a row.
    static thread_local std::vector<TFillSeed> Seeds;
    Seeds.clear();
    Seeds.push_back({x, y, x, x - 1, 0});
    size_t Changed = 0;
    TColor* const Base = FPixels.data();
    while (!Seeds.empty()) {
        const TFillSeed S = Seeds.back();
        Seeds.pop_back();
        TColor* Row = Base + size_t(S.y) * FWidth;
        if (Row[S.x] != OldColor) continue;
        int Left = S.x, Right = S.x;
        while (Left > 0 && Row[Left - 1] == OldColor) --Left;
        while (Right + 1 < FWidth && Row[Right + 1] == OldColor) ++Right;
        std::fill(Row + Left, Row + Right + 1, NewColor);
        Changed += size_t(Right - Left + 1);

        for (int Dy : {-1, 1}) {
            const int ny = S.y + Dy;
            if (ny < 0 || ny >= FHeight) continue;
            const TColor* NRow = Base + size_t(ny) * FWidth;
            if (S.Dy != 0 && Dy == -S.Dy) {
                // Back towards the parent row: its run [ParentLeft, ParentRight] is filled.
                PushRuns(Seeds, NRow, Left, std::min(Right, S.ParentLeft - 1), ny, Left, Right, Dy, OldColor);
                PushRuns(Seeds, NRow, std::max(Left, S.ParentRight + 1), Right, ny, Left, Right, Dy, OldColor);
            } else {
                PushRuns(Seeds, NRow, Left, Right, ny, Left, Right, Dy, OldColor);
            }
        }
    }
    if (Changed) MarkChanged();
    return Changed;
}

} // namespace tarvolin
