// The catalogue games: each one an MCU configured with the wiring of that product.
#pragma once

#include "core/mcu.h"

namespace tarvolin {

// Where a game's program keeps the time of day, and how the hour is stored.
struct TClockLayout {
    T7bits HourTens, HourUnits, MinuteTens, MinuteUnits, SecondTens, SecondUnits;
    T4bits KeptHourTensBits; // bits of the hour-tens cell that keep their value
    T4bits PMBit;            // set for 12:00..23:59, cleared otherwise; 0 = no PM information
    bool TwentyFourHour;     // the hour is written as 0..23 into the whole cell pair
};

// Splits an hour 0..23 into the 12-hour digits (twelve o'clock for 0 and 12).
void TwelveHourDigits(unsigned Hour, T4bits& Tens, T4bits& Units);
// Writes the time into the RAM cells of a layout, directly (no RAM callbacks).
void WriteClock(TRAM& RAM, const TClockLayout& Layout, unsigned Hour, unsigned Minute, unsigned Second);

#define TARVOLIN_GAME_CLASS_BODY(NAME)                                                           \
public:                                                                                          \
    static const TMCUClass Class;                                                                \
    const TMCUClass& GetClass() const override { return Class; }                                 \
    static const TClockLayout ClockLayout;                                                       \
    void SetClock(uint16_t Hour, uint16_t Minute, uint16_t Second) override;                     \
                                                                                                 \
protected:                                                                                       \
    void SetupGame() override;

class TAC01 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TAC01) };
class TFL02 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TFL02) };
class TMT03 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TMT03) };
class TRC04 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TRC04) };
class TIP05 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TIP05) };
class TMH06 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TMH06) };
class TCN07 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TCN07) };
class TLN08 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TLN08) };
class TPR21 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TPR21) };
class TOC22 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TOC22) };
class TPP23 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TPP23) };
class TFP24 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TFP24) };
class TMC25 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TMC25) };
class TFR27 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TFR27) };
class TIM02 : public TKB1013VK1_2MCU { TARVOLIN_GAME_CLASS_BODY(TIM02) };
class TIM03 : public TKB1013VK1_2MCU { TARVOLIN_GAME_CLASS_BODY(TIM03) };
class TIM04 : public TKB1013VK1_2MCU { TARVOLIN_GAME_CLASS_BODY(TIM04) };
class TIM09 : public TKB1013VK1_2MCU { TARVOLIN_GAME_CLASS_BODY(TIM09) };
class TIM13 : public TKB1013VK1_2MCU { TARVOLIN_GAME_CLASS_BODY(TIM13) };
class TIM23 : public TKB1013VK1_2MCU { TARVOLIN_GAME_CLASS_BODY(TIM23) };
class TSK10 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TSK10) };
class TSM11 : public TSHARP_SM5A_MCU { TARVOLIN_GAME_CLASS_BODY(TSM11) };

#undef TARVOLIN_GAME_CLASS_BODY

// Variants that run their parent's configuration and clock unchanged.
class TIP15 : public TIP05 {
public:
    static const TMCUClass Class;
    const TMCUClass& GetClass() const override { return Class; }
};
class TCN17 : public TCN07 {
public:
    static const TMCUClass Class;
    const TMCUClass& GetClass() const override { return Class; }
};

// The household dosimeter: the IM-02 board with other drivers, grounds and controls.
class TAltair : public TIM02 {
public:
    static const TMCUClass Class;
    const TMCUClass& GetClass() const override { return Class; }

protected:
    void SetupGame() override;
};

// Tronica GK-10: MT-03's program and clock on another board; configures itself entirely.
class TGK10 : public TMT03 {
public:
    static const TMCUClass Class;
    const TMCUClass& GetClass() const override { return Class; }

protected:
    void SetupGame() override;
};

} // namespace tarvolin
