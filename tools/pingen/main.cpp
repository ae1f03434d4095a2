// tarvolin-pingen: draws the pin diagrams of the two chip variants from their pin tables and
// writes them as PNG files plus a C++ source that embeds them under their resource names.
//
//   tarvolin-pingen OUTPUT_DIR GENERATED_CPP
//
// Each diagram shows the 60-pin package as the interconnection window draws it with pin 1 at
// the left end of the top side: every pin with its number inside the body and, outside, the
// name the pin tables give it (common planes, O-register bits), coloured by kind, with a
// legend. It is drawn at PinDiagramScale times the window's size, so that it stays sharp when
// the window shows it on a screen with more pixels per point.
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/safe_file.h"
#include "core/mcu.h"
#include "debugger/wiring.h"

using namespace tarvolin;

namespace {

constexpr double W = PinDiagramWidth, H = PinDiagramHeight;
// The package: a square body, 15 pins a side, stubs outside, names beyond the stubs.
constexpr double Body = 336;
constexpr double CornerMargin = 24; // room at the corners for the numbers of the end pins
constexpr double Pitch = (Body - 2 * CornerMargin) / 15;
constexpr double Stub = 12;
constexpr double BodyLeft = (W - Body) / 2;
constexpr double BodyTop = 112;
// The interconnection window's small drawing (body 30..150) maps onto the body: the chamfer.
constexpr double Scale = Body / 120;
constexpr TMCUpin1Position Orientation = p1pTopLeft;

const QColor Ink(0x20, 0x20, 0x20);
const QColor BodyFill(0xE6, 0xE6, 0xE6);
const QColor COMColour(0xB8, 0x4A, 0x00);
const QColor SegmentColour(0x1F, 0x55, 0xB0);
const QColor OtherColour(0x90, 0x90, 0x90);

enum class TPinKind { COM, Segment, Other };

struct TChipText {
    const TChipVariant& Chip;
    TPinKind Kind(TMCUpin Pin) const {
        if (Pin == Chip.COMtoMCUpin[COM0] || Pin == Chip.COMtoMCUpin[COM1]) return TPinKind::COM;
        TOIndex i = 0;
        TObit b = 0;
        return ChipPinToOIndexAndObit(Chip, Pin, i, b) ? TPinKind::Segment : TPinKind::Other;
    }
};

QColor ColourOf(TPinKind Kind) {
    switch (Kind) {
    case TPinKind::COM: return COMColour;
    case TPinKind::Segment: return SegmentColour;
    default: return OtherColour;
    }
}

QFont Font(double Pixels, bool Bold = false) {
    QFont f("DejaVu Sans");
    f.setPixelSize(int(Pixels));
    f.setBold(Bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Every character drawn must come from the font itself, not from a fallback that may be missing.
void RequireGlyphs(const QFont& F, const QString& Text) {
    const QFontMetricsF fm(F);
    for (char32_t c : Text.toUcs4())
        if (c != ' ' && !fm.inFontUcs4(c))
            throw std::runtime_error("the font \"" + F.family().toStdString() + "\" has no glyph for \"" +
                                     QString::fromUcs4(&c, 1).toStdString() + "\"; install fonts-dejavu-core");
}

// A pin's name with its suffix small, bold and lowered, as the pin panel shows it. Draws with
// the text's left end at (x, baseline) and returns the width.
double DrawName(QPainter& p, const TMCUpinName& Name, double x, double Baseline, bool Measure = false) {
    const QFont Main = Font(12), Suffix = Font(9, true);
    const QString a = QString::fromStdString(Name.Name), b = QString::fromStdString(Name.Suffix);
    RequireGlyphs(Main, a);
    RequireGlyphs(Suffix, b);
    const double wa = QFontMetricsF(Main).horizontalAdvance(a);
    const double wb = b.isEmpty() ? 0 : QFontMetricsF(Suffix).horizontalAdvance(b) + 0.5;
    if (!Measure) {
        p.setFont(Main);
        p.drawText(QPointF(x, Baseline), a);
        if (!b.isEmpty()) {
            p.setFont(Suffix);
            p.drawText(QPointF(x + wa + 0.5, Baseline + 3), b);
        }
    }
    return wa + wb;
}

void DrawText(QPainter& p, const QFont& F, const QRectF& R, int Flags, const QString& Text) {
    RequireGlyphs(F, Text);
    p.setFont(F);
    p.drawText(R, Flags, Text);
}

// Side of a cell of the small drawing: 0 right, 1 bottom, 2 left, 3 top; Along = the cell's
// index along that side from where the numbering starts.
void SideOfCell(int Cell, int& Side, int& Along) {
    Side = (Cell - 1) / 15;
    Along = (Cell - 1) % 15;
}

QPointF Map(TPoint p) { return {BodyLeft + (p.x - 30) * Scale, BodyTop + (p.y - 30) * Scale}; }

QImage DrawDiagram(const TChipVariant& Chip) {
    const TChipText T{Chip};
    QImage Image(int(W * PinDiagramScale), int(H * PinDiagramScale), QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    QPainter p(&Image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(PinDiagramScale, PinDiagramScale);

    // Title.
    p.setPen(Ink);
    DrawText(p, Font(20, true), QRectF(0, 8, W, 30), Qt::AlignCenter,
             QString::fromUtf8(Chip.MCUname) + " pin diagram");

    // The body; the SM-5A's corner between pins 15 and 16 is cut off and pin 1 has a dot.
    QPolygonF BodyShape;
    const QPointF TL(BodyLeft, BodyTop), TR(BodyLeft + Body, BodyTop), BR(BodyLeft + Body, BodyTop + Body),
        BL(BodyLeft, BodyTop + Body);
    if (Chip.IsSHARP_SM5A_MCU) {
        TPoint a, b;
        SM5AChamferLine(Orientation, a, b); // the top-right corner with pin 1 at the top left
        BodyShape << TL << Map(a) << Map(b) << BR << BL;
    } else {
        BodyShape << TL << TR << BR << BL;
    }
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(BodyFill);
    p.drawPolygon(BodyShape);
    if (Chip.IsSHARP_SM5A_MCU) {
        p.setBrush(Ink);
        p.drawEllipse(QPointF(BodyLeft + 40, BodyTop + 40), 6, 6);
    }
    DrawText(p, Font(18, true), QRectF(BodyLeft, BodyTop + Body / 2 - 40, Body, 30), Qt::AlignCenter,
             QString::fromUtf8(Chip.MCUname));
    DrawText(p, Font(12), QRectF(BodyLeft, BodyTop + Body / 2 - 6, Body, 20), Qt::AlignCenter,
             "pin 1 at the top left, numbered clockwise");

    // Pins: stub, number inside the body, name outside.
    const QFont Number = Font(11);
    const double LabelGap = 4;
    for (TMCUpin Pin = 1; Pin <= MCUpinCount; ++Pin) {
        int Side = 0, Along = 0;
        SideOfCell(CellOfMCUpin(Orientation, Pin), Side, Along);
        const TPinKind Kind = T.Kind(Pin);
        const QColor C = ColourOf(Kind);
        const TMCUpinName Name = MCUpinName(Chip, Pin);
        // Centre of the pin on its side of the body: the cells run down the right side, leftwards
        // along the bottom, up the left side and rightwards along the top.
        const double Offset = CornerMargin + (Along + 0.5) * Pitch;
        QPointF Centre;
        switch (Side) {
        case 0: Centre = {BodyLeft + Body, BodyTop + Offset}; break;
        case 1: Centre = {BodyLeft + Body - Offset, BodyTop + Body}; break;
        case 2: Centre = {BodyLeft, BodyTop + Body - Offset}; break;
        default: Centre = {BodyLeft + Offset, BodyTop}; break;
        }
        const double w = Pitch * 0.56;
        QRectF StubRect, NumberRect;
        switch (Side) {
        case 0: // right
            StubRect = QRectF(BodyLeft + Body, Centre.y() - w / 2, Stub, w);
            NumberRect = QRectF(BodyLeft + Body - 26, Centre.y() - 8, 22, 16);
            break;
        case 1: // bottom
            StubRect = QRectF(Centre.x() - w / 2, BodyTop + Body, w, Stub);
            NumberRect = QRectF(Centre.x() - 11, BodyTop + Body - 18, 22, 16);
            break;
        case 2: // left
            StubRect = QRectF(BodyLeft - Stub, Centre.y() - w / 2, Stub, w);
            NumberRect = QRectF(BodyLeft + 4, Centre.y() - 8, 22, 16);
            break;
        default: // top
            StubRect = QRectF(Centre.x() - w / 2, BodyTop - Stub, w, Stub);
            NumberRect = QRectF(Centre.x() - 11, BodyTop + 2, 22, 16);
            break;
        }
        p.setPen(QPen(Kind == TPinKind::Other ? OtherColour : Ink, 1));
        p.setBrush(Kind == TPinKind::Other ? QColor(Qt::white) : C);
        p.drawRect(StubRect);
        p.setPen(Ink);
        const int Align = Side == 0 ? Qt::AlignRight | Qt::AlignVCenter
                          : Side == 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                      : Qt::AlignCenter;
        DrawText(p, Number, NumberRect, Align, QString::number(Pin));

        // The name, reading left to right on the sides and bottom to top above and below.
        p.setPen(Kind == TPinKind::Other ? OtherColour : C);
        const double Width = DrawName(p, Name, 0, 0, true);
        const double Ascent = QFontMetricsF(Font(12)).ascent();
        const double Half = (Ascent - QFontMetricsF(Font(12)).descent()) / 2;
        p.save();
        switch (Side) {
        case 0: DrawName(p, Name, BodyLeft + Body + Stub + LabelGap, Centre.y() + Half); break;
        case 2: DrawName(p, Name, BodyLeft - Stub - LabelGap - Width, Centre.y() + Half); break;
        case 3:
            p.translate(Centre.x() + Half, BodyTop - Stub - LabelGap);
            p.rotate(-90);
            DrawName(p, Name, 0, 0);
            break;
        default:
            p.translate(Centre.x() + Half, BodyTop + Body + Stub + LabelGap + Width);
            p.rotate(-90);
            DrawName(p, Name, 0, 0);
            break;
        }
        p.restore();
    }

    // Legend.
    TOIndex ExampleIndex = 5;
    TObit ExampleBit = 1;
    const TMCUpin ExamplePin = Chip.ObitToMCUpin[ExampleIndex][ExampleBit];
    const TMCUpinName Example = MCUpinName(Chip, ExamplePin);
    const TMCUpinName First = MCUpinName(Chip, Chip.ObitToMCUpin[0][0]);
    const TMCUpinName Last = MCUpinName(Chip, Chip.ObitToMCUpin[0][3]);
    double y = 536;
    auto Box = [&](const QColor& Fill, bool Outline) {
        p.setPen(QPen(Outline ? OtherColour : Ink, 1));
        p.setBrush(Fill);
        p.drawRect(QRectF(24, y - 9, 12, 9));
    };
    auto Text = [&](double x, const QString& s) {
        p.setPen(Ink);
        RequireGlyphs(Font(12), s);
        p.setFont(Font(12));
        p.drawText(QPointF(x, y), s);
        return x + QFontMetricsF(Font(12)).horizontalAdvance(s);
    };
    Box(COMColour, false);
    {
        const TMCUpinName c0 = MCUpinName(Chip, Chip.COMtoMCUpin[COM0]), c1 = MCUpinName(Chip, Chip.COMtoMCUpin[COM1]);
        double x = 44;
        p.setPen(COMColour);
        x += DrawName(p, c0, x, y);
        x = Text(x, ", ");
        p.setPen(COMColour);
        x += DrawName(p, c1, x, y);
        Text(x, ": the LCD's common planes");
    }
    y += 18;
    Box(SegmentColour, false);
    {
        double x = 44;
        p.setPen(SegmentColour);
        x += DrawName(p, Example, x, y);
        x = Text(x + 2, QString(": bit %1 of O%2 (segments on COM1) and of O'%2 (on COM0)")
                            .arg(ExampleBit)
                            .arg(ExampleIndex));
        if (Chip.IsSHARP_SM5A_MCU) { // the SM-5A names the pins of O0 apart
            x = Text(x, "; ");
            p.setPen(SegmentColour);
            x += DrawName(p, First, x, y);
            x = Text(x, "..");
            p.setPen(SegmentColour);
            x += DrawName(p, Last, x, y);
            Text(x, ": O0");
        }
    }
    y += 18;
    Box(Qt::white, true);
    Text(44, "-: no LCD signal");
    p.end();
    return Image;
}

std::vector<uint8_t> EncodePNG(const QImage& Image) {
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    if (!Image.save(&Buffer, "PNG", 0)) throw std::runtime_error("PNG encoding failed");
    return {Bytes.begin(), Bytes.end()};
}

void WriteIfChanged(const std::filesystem::path& Path, const std::string& Text) {
    if (std::filesystem::exists(Path)) {
        std::ifstream In(Path, std::ios::binary);
        const std::string Old((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
        if (Old == Text) return; // keeps the build from recompiling
    }
    WriteFileReplacing(Path, Text);
}

int Generate(const std::filesystem::path& OutDir, const std::filesystem::path& CppPath) {
    std::filesystem::create_directories(OutDir);
    std::ostringstream Cpp;
    Cpp << "// Generated by tarvolin-pingen from the chips' pin tables. Do not edit.\n"
           "#include \"base/resources.h\"\n\nnamespace tarvolin {\n"
           "// Named by the MCU-pins window, so that every program showing it links the diagrams.\n"
           "extern const bool PinDiagramsLinked;\nconst bool PinDiagramsLinked = true;\n}\n\nnamespace {\n";
    const std::pair<const TChipVariant*, const char*> Diagrams[] = {
        {&SHARP_SM5A_Chip, SHARP_SM5A_PinDiagram},
        {&KB1013VK1_2_Chip, KB1013VK1_2_PinDiagram},
    };
    int Index = 0;
    for (const auto& [Chip, Name] : Diagrams) {
        const std::vector<uint8_t> Png = EncodePNG(DrawDiagram(*Chip));
        WriteIfChanged(OutDir / (std::string(Name) + ".png"), std::string(Png.begin(), Png.end()));
        Cpp << "const unsigned char Diagram" << Index << "[" << Png.size() << "] = {";
        for (size_t i = 0; i < Png.size(); ++i) {
            if (i % 24 == 0) Cpp << "\n";
            Cpp << static_cast<int>(Png[i]) << ",";
        }
        Cpp << "\n};\n";
        ++Index;
    }
    Cpp << "\nstruct TRegistration {\n    TRegistration() {\n";
    Index = 0;
    for (const auto& [Chip, Name] : Diagrams) {
        Cpp << "        tarvolin::RegisterResource(\"" << Name << "\", {Diagram" << Index << ", sizeof Diagram" << Index
            << "});\n";
        ++Index;
    }
    Cpp << "    }\n};\nconst TRegistration Registration;\n} // namespace\n";
    WriteIfChanged(CppPath, Cpp.str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tarvolin-pingen OUTPUT_DIR GENERATED_CPP\n";
        return 2;
    }
    // Text needs a GUI application; no display is needed to draw into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    try {
        return Generate(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "tarvolin-pingen: " << e.what() << "\n";
        return 1;
    }
}
