#include "lcd/lcd_artwork.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "base/text_format.h"
#include "base/translate.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {

namespace {

std::filesystem::path& Folder() {
    static std::filesystem::path F;
    return F;
}

const char* PlaneName(int Plane) { return Plane == COM0 ? "COM0" : "COM1"; }

std::string SegmentName(TLCDpad Pad, int Plane) {
    return Format(Tr("Artwork", "pad %d %s").c_str(), int(Pad), PlaneName(Plane));
}

bool ParseInt(std::string_view Text, int& Value) {
    const char* End = Text.data() + Text.size();
    auto [Ptr, Ec] = std::from_chars(Text.data(), End, Value);
    return Ec == std::errc() && Ptr == End;
}

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

std::string ReadWholeFile(const std::filesystem::path& Path, uintmax_t Limit) {
    std::error_code Ec;
    const uintmax_t Size = std::filesystem::file_size(Path, Ec);
    if (Ec) throw std::runtime_error(Format(Tr("Artwork", "cannot read it: %s").c_str(), Ec.message().c_str()));
    if (Size > Limit)
        throw std::runtime_error(Format(Tr("Artwork", "it has %ju bytes, more than the %ju allowed").c_str(),
                                        Size, Limit));
    std::ifstream In(Path, std::ios::binary);
    if (!In) throw std::runtime_error(Tr("Artwork", "cannot open it"));
    std::string Data(static_cast<size_t>(Size), '\0');
    In.read(Data.data(), static_cast<std::streamsize>(Size));
    if (static_cast<uintmax_t>(In.gcount()) != Size) throw std::runtime_error(Tr("Artwork", "cannot read it in full"));
    return Data;
}

// Segment pads of a driver with the planes on which they have a segment.
std::map<TLCDpad, std::array<bool, 2>> DriverSegments(const TLCDDriver& Driver) {
    std::map<TLCDpad, std::array<bool, 2>> Result;
    for (const TLCDpadToSegmentInnerPoints& R : Driver.LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints)
        if (R.TwinPad == 0)
            Result[R.LCDpad] = {!R.AssociatedSegmentInnerPoints[COM0].empty(),
                                !R.AssociatedSegmentInnerPoints[COM1].empty()};
    return Result;
}

} // namespace

void SetArtworkFolder(const std::filesystem::path& F) { Folder() = F; }
const std::filesystem::path& ArtworkFolder() { return Folder(); }

std::filesystem::path ArtworkPNGPath(const std::filesystem::path& F, const std::string& ImageName) {
    return F / (ImageName + ".png");
}
std::filesystem::path ArtworkPointsPath(const std::filesystem::path& F, const std::string& ImageName) {
    return F / (ImageName + ".points");
}

std::string FormatArtworkPoints(const TLCDDriver& Driver) {
    std::ostringstream Out;
    Out << "# Tarvolin LCD artwork points of " << Driver.LCDResourceName() << " (" << Driver.GetClass().ClassName
        << ")\n"
           "# One line per segment: PAD PLANE X,Y [X,Y ...]\n"
           "# COM1 segments follow the O register, COM0 segments the O' register. Each point lies\n"
           "# inside a black shape of that segment; a segment of several shapes lists one point per\n"
           "# shape. Pixels count from the top-left corner (0,0) of the "
        << ArtworkWidth << " x " << ArtworkHeight << " picture.\n";
    for (const TLCDpadToSegmentInnerPoints& R : Driver.LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints) {
        if (R.TwinPad != 0) continue;
        for (int Plane : {COM0, COM1}) {
            if (R.AssociatedSegmentInnerPoints[Plane].empty()) continue;
            Out << int(R.LCDpad) << ' ' << PlaneName(Plane);
            for (const TPoint& P : R.AssociatedSegmentInnerPoints[Plane]) Out << ' ' << P.x << ',' << P.y;
            Out << '\n';
        }
    }
    return Out.str();
}

TArtworkPoints ParseArtworkPoints(const std::string& Text) {
    TArtworkPoints Points;
    std::istringstream In(Text);
    std::string Line;
    int LineNo = 0;
    auto Fail = [&](const std::string& Why) {
        throw std::runtime_error(Format(Tr("Artwork", "line %d: %s").c_str(), LineNo, Why.c_str()));
    };
    while (std::getline(In, Line)) {
        ++LineNo;
        if (const size_t Hash = Line.find('#'); Hash != std::string::npos) Line.erase(Hash);
        std::istringstream Words(Line);
        std::vector<std::string> W;
        for (std::string Word; Words >> Word;) W.push_back(Word);
        if (W.empty()) continue;
        int Pad = 0;
        if (!ParseInt(W[0], Pad) || Pad < 1 || Pad > 54)
            Fail(Format(Tr("Artwork", "\"%s\" is no pad number (1 to 54)").c_str(), W[0].c_str()));
        std::string PlaneText = W.size() > 1 ? W[1] : "";
        std::transform(PlaneText.begin(), PlaneText.end(), PlaneText.begin(), ::toupper);
        if (PlaneText != "COM0" && PlaneText != "COM1")
            Fail(Tr("Artwork", "the pad number must be followed by COM0 or COM1"));
        const int Plane = PlaneText == "COM0" ? COM0 : COM1;
        if (W.size() < 3) Fail(Tr("Artwork", "a segment needs at least one point X,Y"));
        if (W.size() - 2 > MaxPointsPerSegment)
            Fail(Format(Tr("Artwork", "more than %zu points for one segment").c_str(), MaxPointsPerSegment));
        TPointList& List = Points[TLCDpad(Pad)][size_t(Plane)];
        if (!List.empty()) Fail(Format(Tr("Artwork", "%s is listed twice").c_str(), SegmentName(TLCDpad(Pad), Plane).c_str()));
        for (size_t i = 2; i < W.size(); ++i) {
            const size_t Comma = W[i].find(',');
            int X = 0, Y = 0;
            if (Comma == std::string::npos || !ParseInt(std::string_view(W[i]).substr(0, Comma), X) ||
                !ParseInt(std::string_view(W[i]).substr(Comma + 1), Y))
                Fail(Format(Tr("Artwork", "\"%s\" is no point X,Y").c_str(), W[i].c_str()));
            List.push_back(TPoint{X, Y});
        }
    }
    return Points;
}

void CheckArtworkPNGHeader(const uint8_t* Data, size_t Size) {
    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (Size < 24 || !std::equal(Signature, Signature + 8, Data) || std::string(reinterpret_cast<const char*>(Data) + 12, 4) != "IHDR")
        throw std::runtime_error(Tr("Artwork", "it is not a PNG file"));
    const uint32_t Width = BigEndian32(Data + 16), Height = BigEndian32(Data + 20);
    if (Width != uint32_t(ArtworkWidth) || Height != uint32_t(ArtworkHeight))
        throw std::runtime_error(Format(Tr("Artwork", "the picture is %u x %u pixels; LCD pictures are %d x %d").c_str(),
                                        Width, Height, ArtworkWidth, ArtworkHeight));
}

bool TArtworkReport::Usable() const {
    return std::none_of(Findings.begin(), Findings.end(), [](const TArtworkFinding& F) { return F.Error; });
}

std::string TArtworkReport::FirstError() const {
    for (const TArtworkFinding& F : Findings)
        if (F.Error) return F.Text;
    return {};
}

TArtworkReport CheckArtwork(const TLCDDriver& Driver, const TRaster& Image, const TArtworkPoints& Points) {
    TArtworkReport Report;
    auto Error = [&](TLCDpad Pad, int Plane, std::string Text) { Report.Findings.push_back({Pad, Plane, true, std::move(Text)}); };
    if (Image.Width() != ArtworkWidth || Image.Height() != ArtworkHeight) {
        Error(0, -1, Format(Tr("Artwork", "the picture is %u x %u pixels; LCD pictures are %d x %d").c_str(),
                            unsigned(Image.Width()), unsigned(Image.Height()), ArtworkWidth, ArtworkHeight));
        return Report;
    }
    // Colours: the driver recolours black shapes and shows white as transparent.
    size_t Foreign = 0;
    TPoint FirstForeign{};
    for (int y = 0; y < Image.Height(); ++y)
        for (int x = 0; x < Image.Width(); ++x)
            if (const TColor c = Image.Pixel(x, y); c != clBlack && c != clWhite && Foreign++ == 0) FirstForeign = {x, y};
    if (Foreign > 0)
        Error(0, -1, Format(Tr("Artwork", "%zu pixels are neither black nor white (the first at %d,%d); segments must be "
                                          "pure black on pure white").c_str(),
                            Foreign, FirstForeign.x, FirstForeign.y));

    // Four-neighbour labels of the black shapes.
    const int W = Image.Width(), H = Image.Height();
    std::vector<int> Label(size_t(W) * H, -1);
    int Regions = 0;
    std::vector<std::pair<int, int>> Stack;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (Image.Pixel(x, y) != clBlack || Label[size_t(y) * W + x] >= 0) continue;
            Label[size_t(y) * W + x] = Regions;
            Stack.push_back({x, y});
            while (!Stack.empty()) {
                auto [px, py] = Stack.back();
                Stack.pop_back();
                const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
                for (int d = 0; d < 4; ++d) {
                    const int nx = px + dx[d], ny = py + dy[d];
                    if (nx < 0 || ny < 0 || nx >= W || ny >= H || Image.Pixel(nx, ny) != clBlack) continue;
                    int& L = Label[size_t(ny) * W + nx];
                    if (L < 0) {
                        L = Regions;
                        Stack.push_back({nx, ny});
                    }
                }
            }
            ++Regions;
        }

    // Which segment reaches each shape. Pads driven by one pin switch together, so they may
    // share their shapes on a plane.
    struct TOwner {
        TLCDpad Pad;
        int Plane;
        TMCUpin Pin;
    };
    std::map<int, TOwner> Owner;
    std::set<std::pair<TLCDpad, int>> Failed;
    const auto Segments = DriverSegments(Driver);
    for (const auto& [Pad, Lists] : Points)
        for (int Plane : {COM0, COM1}) {
            if (Lists[size_t(Plane)].empty()) continue;
            auto It = Segments.find(Pad);
            if (It == Segments.end() || !It->second[size_t(Plane)]) {
                Error(Pad, Plane, Format(Tr("Artwork", "%s: this glass has no such segment").c_str(),
                                         SegmentName(Pad, Plane).c_str()));
                Failed.insert({Pad, Plane});
            }
        }
    for (const auto& [Pad, Planes] : Segments)
        for (int Plane : {COM0, COM1}) {
            if (!Planes[size_t(Plane)]) continue;
            const std::string Name = SegmentName(Pad, Plane);
            auto It = Points.find(Pad);
            if (It == Points.end() || It->second[size_t(Plane)].empty()) {
                Error(Pad, Plane, Format(Tr("Artwork", "%s: no inner point given").c_str(), Name.c_str()));
                Failed.insert({Pad, Plane});
                continue;
            }
            const TMCUpin Pin = Driver.LCDpadToMCUpin(Pad);
            for (const TPoint& P : It->second[size_t(Plane)]) {
                if (!Image.Contains(P.x, P.y)) {
                    Error(Pad, Plane, Format(Tr("Artwork", "%s: the point %d,%d lies outside the picture").c_str(),
                                             Name.c_str(), P.x, P.y));
                    Failed.insert({Pad, Plane});
                    continue;
                }
                const int L = Label[size_t(P.y) * W + P.x];
                if (L < 0) {
                    Error(Pad, Plane, Format(Tr("Artwork", "%s: the point %d,%d is not on a black shape; a fill from it "
                                                           "would colour the surroundings").c_str(),
                                             Name.c_str(), P.x, P.y));
                    Failed.insert({Pad, Plane});
                    continue;
                }
                auto [O, New] = Owner.emplace(L, TOwner{Pad, Plane, Pin});
                const TOwner& Other = O->second;
                if (!New && !(Other.Pad == Pad && Other.Plane == Plane) && !(Other.Pin == Pin && Other.Plane == Plane)) {
                    Error(Pad, Plane, Format(Tr("Artwork", "%s: the point %d,%d is on the shape of %s; the two segments "
                                                           "would flood into each other").c_str(),
                                             Name.c_str(), P.x, P.y, SegmentName(Other.Pad, Other.Plane).c_str()));
                    Failed.insert({Pad, Plane});
                    Failed.insert({Other.Pad, Other.Plane});
                }
            }
        }

    // Shapes of different segments that meet at a corner stay apart (fills do not pass
    // corners), but read as one on the glass: noted once per pair.
    std::set<std::pair<int, int>> Corners;
    for (int y = 0; y + 1 < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int L = Label[size_t(y) * W + x];
            if (L < 0) continue;
            for (int dx : {-1, 1}) {
                if (x + dx < 0 || x + dx >= W) continue;
                const int M = Label[size_t(y + 1) * W + x + dx];
                if (M < 0 || M == L || !Owner.count(L) || !Owner.count(M)) continue;
                Corners.insert({std::min(L, M), std::max(L, M)});
            }
        }
    for (const auto& [L, M] : Corners) {
        const TOwner &A = Owner[L], &B = Owner[M];
        if (A.Pad == B.Pad && A.Plane == B.Plane) continue;
        Report.Findings.push_back({A.Pad, A.Plane, false,
                                   Format(Tr("Artwork", "%s touches %s at a corner only; they stay apart").c_str(),
                                          SegmentName(A.Pad, A.Plane).c_str(), SegmentName(B.Pad, B.Plane).c_str())});
    }
    const int Unowned = Regions - int(Owner.size());
    if (Unowned > 0)
        Report.Findings.push_back({0, -1, false,
                                   Format(Tr("Artwork", "%d black shapes belong to no segment and always show").c_str(),
                                          Unowned)});

    for (const auto& [Pad, Planes] : Segments)
        for (int Plane : {COM0, COM1}) {
            if (!Planes[size_t(Plane)] || Failed.count({Pad, Plane})) continue;
            std::set<int> Shapes;
            for (const TPoint& P : Points.at(Pad)[size_t(Plane)]) Shapes.insert(Label[size_t(P.y) * W + P.x]);
            Report.GoodSegments.push_back(Format(Tr("Artwork", "%s: works, %zu shape(s)").c_str(),
                                                 SegmentName(Pad, Plane).c_str(), Shapes.size()));
        }
    return Report;
}

TArtworkLoad LoadArtwork(const std::filesystem::path& F, const TLCDDriver& Driver) {
    TArtworkLoad Load;
    const std::string Name = Driver.LCDResourceName();
    if (Name.empty()) return Load;
    const std::filesystem::path PNG = ArtworkPNGPath(F, Name), PointsFile = ArtworkPointsPath(F, Name);
    std::error_code Ec;
    const bool HavePNG = std::filesystem::exists(PNG, Ec), HavePoints = std::filesystem::exists(PointsFile, Ec);
    if (!HavePNG && !HavePoints) return Load;
    Load.Found = true;
    auto Fail = [&](const std::filesystem::path& File, const std::string& Why) {
        Load.File = File;
        Load.Report.Findings.push_back({0, -1, true, Why});
    };
    if (!HavePNG) {
        Fail(PNG, Tr("Artwork", "the picture is missing beside its points file"));
        return Load;
    }
    if (!HavePoints) {
        Fail(PointsFile, Tr("Artwork", "the points file is missing beside the picture"));
        return Load;
    }
    try {
        const std::string Bytes = ReadWholeFile(PNG, MaxArtworkPNGBytes);
        const auto* Data = reinterpret_cast<const uint8_t*>(Bytes.data());
        CheckArtworkPNGHeader(Data, Bytes.size());
        DecodePNG(Data, Bytes.size(), Load.Image);
    } catch (const std::exception& E) {
        Fail(PNG, E.what());
        return Load;
    }
    try {
        Load.Points = ParseArtworkPoints(ReadWholeFile(PointsFile, MaxArtworkPointsBytes));
    } catch (const std::exception& E) {
        Fail(PointsFile, E.what());
        return Load;
    }
    try {
        Load.Report = CheckArtwork(Driver, Load.Image, Load.Points);
    } catch (const std::exception& E) {
        Fail(PNG, E.what());
        return Load;
    }
    if (!Load.Report.Usable()) {
        const bool AboutPicture = std::any_of(Load.Report.Findings.begin(), Load.Report.Findings.end(),
                                              [](const TArtworkFinding& f) { return f.Error && f.Pad == 0; });
        Load.File = AboutPicture ? PNG : PointsFile;
    }
    return Load;
}

} // namespace tarvolin
