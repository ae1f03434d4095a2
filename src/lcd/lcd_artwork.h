// User artwork: a picture of a game's LCD supplied by the user, with a points file that names
// the inner points of every segment, replaces the built-in image of a driver. Both files sit
// in the artwork folder and are named after the driver's image: "<image>.png" and
// "<image>.points". The same checks decide whether the window uses a picture and what
// `tarvolin-cli artwork check` reports.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/types.h"
#include "lcd/lcd_mappings.h"
#include "lcd/raster.h"

namespace tarvolin {

class TLCDDriver;

// The size every LCD picture has; artwork of another size is refused before it is decoded.
constexpr int ArtworkWidth = 1355;
constexpr int ArtworkHeight = 864;
// Files larger than these are refused unread.
constexpr uintmax_t MaxArtworkPNGBytes = 32u << 20;
constexpr uintmax_t MaxArtworkPointsBytes = 1u << 20;
// At most this many points per segment (a word of letters needs ten).
constexpr size_t MaxPointsPerSegment = 64;

// The folder the drivers look in for user artwork; empty (the default) = none is looked for.
void SetArtworkFolder(const std::filesystem::path& Folder);
const std::filesystem::path& ArtworkFolder();

// The inner points of an artwork, per segment pad: [COM0], [COM1].
using TArtworkPoints = std::map<TLCDpad, std::array<TPointList, 2>>;

std::filesystem::path ArtworkPNGPath(const std::filesystem::path& Folder, const std::string& ImageName);
std::filesystem::path ArtworkPointsPath(const std::filesystem::path& Folder, const std::string& ImageName);

// The points file of a driver's own inner points (what `artwork export` writes).
std::string FormatArtworkPoints(const TLCDDriver& Driver);
// Reads a points file. Throws std::runtime_error naming the line and what is wrong.
TArtworkPoints ParseArtworkPoints(const std::string& Text);

// Checks the size in a PNG's header without decoding it. Throws std::runtime_error when the
// data is no PNG or the picture is not ArtworkWidth x ArtworkHeight.
void CheckArtworkPNGHeader(const uint8_t* Data, size_t Size);

// One finding of the artwork check. Segment findings name the pad and plane (Pad 0: the
// whole picture). Errors make the artwork unusable; notes do not.
struct TArtworkFinding {
    TLCDpad Pad = 0;
    int Plane = -1; // COM0, COM1, or -1 for the whole pad or picture
    bool Error = true;
    std::string Text;
};

struct TArtworkReport {
    std::vector<TArtworkFinding> Findings;
    // Segments that passed, as "pad N COMx: M shape(s)" lines, in pad order.
    std::vector<std::string> GoodSegments;
    bool Usable() const;
    // The first error as one line ("" when usable).
    std::string FirstError() const;
};

// Checks a decoded picture and its points against a driver: the picture's size, its colours
// (black segments on white, nothing else), a point for exactly every segment of the driver,
// every point inside the picture on a black shape, no shape reached from two segments
// (except pads one pin drives together), and shapes of different segments that meet only
// at a corner (noted, as fills do not pass corners).
TArtworkReport CheckArtwork(const TLCDDriver& Driver, const TRaster& Image, const TArtworkPoints& Points);

// Reads, decodes and checks the artwork of the driver's image in a folder. Never throws:
// a missing pair leaves Found false; any fault is an error finding in Report.
struct TArtworkLoad {
    bool Found = false; // the PNG or the points file exists
    TRaster Image;
    TArtworkPoints Points;
    TArtworkReport Report;
    std::filesystem::path File; // the file a fault is about
};
TArtworkLoad LoadArtwork(const std::filesystem::path& Folder, const TLCDDriver& Driver);

} // namespace tarvolin
