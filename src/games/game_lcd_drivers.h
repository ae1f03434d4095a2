// The LCD drivers of the catalogue games: the wiring of each game's glass and the inner
// points of its segments in our own picture of it.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/mcu.h"
#include "games/lcd_layout.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {

// One common pad of a driver's glass.
struct TCOMpadRow {
    TLCDpad Pad;
    TLCDpadPosition Position;
    TCommonPlane Plane;
    TLCDpad Twin; // NoLCDpad = none
};

// The facts a game driver is built from.
// Which segment pads a common pad drives: those of its own glass edge (a pair of twins, both
// edges), or those of its own half of the glass, left (slots 1..13) or right (slots 14..27).
enum class TSegmentGroups : uint8_t { ByEdge, ByHalf };

struct TGameLCDDriverRow {
    const TLCDDriverClass* Class;
    const char* ResourceName;
    const char* ThemePrefix;      // "Nintendo G&W " etc., followed by ThemeGame's name
    const TMCUClass* ThemeGame;   // nullptr: FixedTheme is the whole name
    const char* FixedTheme;
    const char* Wiring;           // name of the pin wiring
    std::vector<int> UnwiredBits; // wiring bit indexes the glass leaves out
    std::vector<TCOMpadRow> COMpads;
    bool Confirmed;
    bool PadsOfOnePinShareShapes = false; // the two pads of one pin share their black shapes
    // Given segment-pad positions and missing planes; empty = by the slot rule, both planes.
    std::vector<std::pair<TLCDpad, TLCDpadPosition>> GivenPositions = {};
    std::vector<TLCDpad> NoCOM0Segment = {}, NoCOM1Segment = {};
    // Segments whose inner points are given for the glass, and the digits' frame there;
    // empty: every shape is laid out by the slot rule.
    std::vector<TGivenSegment> Given = {};
    TDigitFrame DigitFrame = {};
    TSegmentGroups Groups = TSegmentGroups::ByEdge;

    std::string ThemeName() const;
};

// The 36 game driver classes in catalogue order (the generic driver is not among them).
const std::vector<const TLCDDriverClass*>& GameLCDDriverClasses();
const std::vector<TGameLCDDriverRow>& GameLCDDriverRows();
// The table row of a game driver class, nullptr for any other class.
const TGameLCDDriverRow* FindGameLCDDriverRow(const TLCDDriverClass& Class);

// True when the program carries the generated game LCD images (false in the generator).
bool GameLCDImagesEmbedded();

// Segment pads of a driver row with their positions and planes, in ascending pad order.
std::vector<TLayoutSegmentPad> PlannedSegmentPads(const TGameLCDDriverRow& Row);
// The layout input of a finished game driver, read from its own mappings.
TLayoutInput LayoutInputOfDriver(const TLCDDriver& Driver);
// The shapes of a finished game driver's picture.
TLCDLayout GameLCDLayout(const TLCDDriver& Driver);

// Shared implementation of the table-driven game drivers.
class TGameLCDDriver : public TLCDDriver {
protected:
    const TGameLCDDriverRow& Row() const;
    void SetupNames(const TGameLCDDriverRow& S);
    // Common pins, then the pin of every wired O bit in the order O0 bit 3 .. O8 bit 0.
    void SetupPinMappingFrom(const TGameLCDDriverRow& S);
    // One record per segment pad, in ascending pad order, with the laid-out inner points.
    void AddSegmentPadsFrom(const TGameLCDDriverRow& S);
    // Common pads in ascending pad order; each drives the segment pads of its edge, a pair
    // of twins those of both edges.
    void AddCOMpadsFrom(const TGameLCDDriverRow& S);
    // The steps of every game driver's mappings: names and resource, the pin wiring, the
    // segment pads, the common pads, the confirmed flag.
    void FillMappings(const std::function<void()>& SetupPins, const std::function<void()>& AddCOMpads);
};

#define TARVOLIN_LCD_DRIVER_CLASS(NAME, BASE)                                                     \
    class NAME : public BASE {                                                                    \
    public:                                                                                       \
        static const TLCDDriverClass Class;                                                       \
        const TLCDDriverClass& GetClass() const override { return Class; }                        \
        static std::unique_ptr<TLCDDriver> Make() { return std::unique_ptr<TLCDDriver>(new NAME()); } \
                                                                                                  \
    protected:                                                                                    \
        void SetupMappings() override;                                                            \
        void SetupPinMapping();                                                                   \
    };

TARVOLIN_LCD_DRIVER_CLASS(TAC01LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TFL02LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TMT03LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TRC04LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TIP05LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TMH06LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TCN07LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TLN08LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TPR21LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TOC22LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TPP23LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TFP24LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TMC25LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TFR27LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TIM03LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TIM04LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TIM09LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TIM13LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TIM23LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TGK10LCDDriver, TGameLCDDriver)
TARVOLIN_LCD_DRIVER_CLASS(TSK10LCDDriver, TGameLCDDriver)

// The IM-02 family shares IM-02's pin wiring and common pads.
class TIM02LCDDriver : public TGameLCDDriver {
public:
    static const TLCDDriverClass Class;
    const TLCDDriverClass& GetClass() const override { return Class; }
    static std::unique_ptr<TLCDDriver> Make() { return std::unique_ptr<TLCDDriver>(new TIM02LCDDriver()); }

protected:
    void SetupMappings() override;
    void SetupPinMapping();
    void SetupCOMpads();
    // IM-10's glass leaves four O bits of the IM-02 wiring out.
    void SetupPinMappingIM10();
};

// Tronica SM-11 and SG-21 share one wiring and common pads.
class TSM11LCDDriver : public TGameLCDDriver {
public:
    static const TLCDDriverClass Class;
    const TLCDDriverClass& GetClass() const override { return Class; }
    static std::unique_ptr<TLCDDriver> Make() { return std::unique_ptr<TLCDDriver>(new TSM11LCDDriver()); }

protected:
    void SetupMappings() override;
    void SetupPinMapping();
    void SetupCOMpads();
};

#define TARVOLIN_DERIVED_LCD_DRIVER_CLASS(NAME, BASE)                                             \
    class NAME : public BASE {                                                                    \
    public:                                                                                       \
        static const TLCDDriverClass Class;                                                       \
        const TLCDDriverClass& GetClass() const override { return Class; }                        \
        static std::unique_ptr<TLCDDriver> Make() { return std::unique_ptr<TLCDDriver>(new NAME()); } \
                                                                                                  \
    protected:                                                                                    \
        void SetupMappings() override;                                                            \
    };

TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TEG26LCDDriver, TMC25LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM10LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM16LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM19LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM22LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM22CirkLCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM32LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM33LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM49LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM50LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM51LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TIM53LCDDriver, TIM02LCDDriver)
TARVOLIN_DERIVED_LCD_DRIVER_CLASS(TSG21LCDDriver, TSM11LCDDriver)

#undef TARVOLIN_LCD_DRIVER_CLASS
#undef TARVOLIN_DERIVED_LCD_DRIVER_CLASS

} // namespace tarvolin
