// Feeds arbitrary text to the artwork points parser and checks what it accepts against the
// MH-06 driver on its own picture. The check must never throw; artwork it calls usable must
// give every segment of the driver a point on a black pixel of the picture.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/resources.h"
#include "games/game_lcd_drivers.h"
#include "core/mcu.h"
#include "lcd/lcd_artwork.h"
#include "lcd/lcd_driver.h"
#include "lcd/raster.h"

using namespace tarvolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const auto Driver = TMH06LCDDriver::Class.Create(SHARP_SM5A_Chip.COMtoMCUpin, SHARP_SM5A_Chip.ObitToMCUpin);
    static const TRaster Image = [] {
        TRaster R;
        const auto Png = FindResource(Driver->LCDResourceName());
        DecodePNG(Png->Data, Png->Size, R);
        return R;
    }();
    TArtworkPoints Points;
    try {
        Points = ParseArtworkPoints(std::string(reinterpret_cast<const char*>(Data), Size));
    } catch (const std::runtime_error&) {
        return 0;
    }
    for (const auto& [Pad, Lists] : Points)
        for (const TPointList& List : Lists)
            if (List.size() > MaxPointsPerSegment) std::abort();
    const TArtworkReport Report = CheckArtwork(*Driver, Image, Points);
    if (!Report.Usable()) return 0;
    for (const TLCDpadToSegmentInnerPoints& R : Driver->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints) {
        if (R.TwinPad != 0) continue;
        for (int Plane : {0, 1}) {
            if (R.AssociatedSegmentInnerPoints[size_t(Plane)].empty()) continue;
            const TPointList& Given = Points.at(R.LCDpad)[size_t(Plane)];
            if (Given.empty()) std::abort();
            for (const TPoint& P : Given)
                if (!Image.Contains(P.x, P.y) || Image.Pixel(P.x, P.y) != clBlack) std::abort();
        }
    }
    return 0;
}
