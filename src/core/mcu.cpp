// Construction, reset, class facts, opcode access and driver management of the MCU.
#include "core/mcu.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "base/errors.h"
#include "base/options.h"
#include "base/reporter.h"
#include "base/text_format.h"
#include "core/step_tables.h"
#include "core/mnemonics.h"
#include "lcd/lcd_driver.h"
#include "persist/stream.h"
#include "persist/user_data.h"

namespace tarvolin {

// ---------------------------------------------------------------------------------------
// Chip variants

const TChipVariant SHARP_SM5A_Chip{
    true,
    "SHARP SM-5A",
    "K",
    "Alpha",
    "Beta",
    "ACL",
    {29, 30},
    {{{46, 45, 44, 43},
      {50, 49, 48, 47},
      {54, 53, 52, 51},
      {58, 57, 56, 55},
      {2, 1, 60, 59},
      {6, 5, 4, 3},
      {11, 10, 9, 7},
      {15, 14, 13, 12},
      {19, 18, 17, 16}}},
    {"1", "2", "3", "4"},
};

const TChipVariant KB1013VK1_2_Chip{
    false,
    "\xD0\x9A\xD0\x91"
    "1013\xD0\x92\xD0\x9A"
    "1-2", // КБ1013ВК1-2
    "D",
    "INT1",
    "INT0",
    "CLR",
    {14, 15},
    {{{30, 29, 28, 27},
      {34, 33, 32, 31},
      {38, 37, 36, 35},
      {42, 41, 40, 39},
      {46, 45, 44, 43},
      {50, 49, 48, 47},
      {55, 54, 53, 51},
      {59, 58, 57, 56},
      {3, 2, 1, 60}}},
    {"0", "1", "2", "3"},
};

const TMCUClass TSHARP_SM5A_MCU::Class{
    "TSHARP_SM5A_MCU", nullptr, &SHARP_SM5A_Chip, TR_NOOP("Games", "A custom game"), "custom_game", "", "", "",
    nullptr,           &MakeMCU<TSHARP_SM5A_MCU>};

const TMCUClass TKB1013VK1_2MCU::Class{"TKB1013VK1_2MCU",
                                       &TSHARP_SM5A_MCU::Class,
                                       &KB1013VK1_2_Chip,
                                       TR_NOOP("Games", "A custom game"),
                                       "custom_game",
                                       "",
                                       "",
                                       "",
                                       nullptr,
                                       &MakeMCU<TKB1013VK1_2MCU>};

// ---------------------------------------------------------------------------------------
// Class-level facts

std::string TMCUClass::ROMFileName() const {
    return ROMTakenFrom ? ROMTakenFrom->ROMFileName() : std::string(FROMFileName);
}

std::string TMCUClass::ROMFileNameInArchive() const {
    return ROMTakenFrom ? ROMTakenFrom->ROMFileNameInArchive() : std::string(FROMFileNameInArchive);
}

std::string TMCUClass::ROM_URL() const {
    std::string file = ROMFileName();
    if (file.empty()) return {};
    const size_t dot = file.find_last_of('.');
    if (dot != std::string::npos && file.find_first_of("/\\", dot) == std::string::npos) file.erase(dot);
    // A base address given without its closing slash still names the server's folder.
    std::string base = Options().ROMArchiveServer;
    if (!base.empty() && base.back() != '/') base += '/';
    return base + "download.php?file=" + file;
}

bool TMCUClass::InheritsFrom(const TMCUClass& Other) const {
    for (const TMCUClass* c = this; c; c = c->Parent)
        if (c == &Other) return true;
    return false;
}

bool TMCUClass::IsCustomGame() const {
    return this == &TSHARP_SM5A_MCU::Class;
}

std::unique_ptr<TSHARP_SM5A_MCU> TMCUClass::Create(std::istream* ROMStream) const {
    std::unique_ptr<TSHARP_SM5A_MCU> mcu = Factory();
    mcu->Construct(ROMStream);
    return mcu;
}

std::string PageHeaderComment(int PageIndex, TTextUse Use) {
    std::string text = "\n" + Format(TrFor(Use, "Listing", TR_NOOP("Listing", "; --- BANK %d  PAGE #%X ---")).c_str(),
                                     PageIndex / 16, PageIndex % 16);
    const char* Suffix = PageIndex == 0    ? TR_NOOP("Listing", "WAKE FROM HALT")
                         : PageIndex == 15 ? TR_NOOP("Listing", "RESET")
                         : PageIndex == 16 ? TR_NOOP("Listing", "SUBROUTINES")
                                           : nullptr;
    if (Suffix) text += " " + TrFor(Use, "Listing", Suffix);
    return text;
}

// ---------------------------------------------------------------------------------------
// Lifetime

TSHARP_SM5A_MCU::TSHARP_SM5A_MCU() : FLabels(&SHARP_SM5A_Chip.RKLabelingNumbers) {}

TSHARP_SM5A_MCU::~TSHARP_SM5A_MCU() {
    if (UserData && !UserData->IsAnythingToSave(ROM)) UserData->DeleteDatFile();
}

void TSHARP_SM5A_MCU::Construct(std::istream* ROMStream) {
    const TMCUClass& cls = GetClass();
    FQuietInputQueries = cls.IsCustomGame();
    FLabels = &cls.GetR_K_LabelingNumbers();

    // 1..3: configuration and the preferred LCD driver.
    SupportedLCDDrivers.clear();
    SetupGame();
    if (SupportedLCDDrivers.empty()) SupportedLCDDrivers.push_back(&TGenericLCDDriver::Class);
    LCDDriver = CreateLCDDriver(*SupportedLCDDrivers.front());

    // 4..5: up to 1856 bytes of chip-order image, the rest zero, into execution order.
    std::array<uint8_t, ROMSize> buffer{};
    if (ROMStream) {
        // A short stream is no error (the rest stays zero), whatever exceptions the caller
        // enabled on it; a stream that fails while reading is reported and construction goes on.
        const std::ios::iostate mask = ROMStream->exceptions();
        bool failed = false;
        try {
            ROMStream->exceptions(std::ios::goodbit);
            ROMStream->read(reinterpret_cast<char*>(buffer.data()), ROMSize);
            failed = ROMStream->bad();
        } catch (const std::exception& e) {
            MessageReporter().ShowError(e.what());
        }
        try {
            ROMStream->exceptions(mask);
        } catch (const std::exception&) {
            // restoring the mask on a stream at its end raises; the state is already known
        }
        if (failed) MessageReporter().ShowError(TrStream(StreamReadErrorText));
    }
    ROM = ReorderROMImage(buffer);

    // 6..7
    SetupInstructionMnemonics();
    InitDefaultROMAddressComments();

    // 8: user data, then any ".dat" file of this game applied to the live image.
    UserData = std::make_unique<TUserData>(cls.ShortGameName(), ROM);
    try {
        UserData->LoadFromFile(ROM);
    } catch (const std::exception& e) {
        MessageReporter().ShowError(e.what());
    }

    // 9
    Reset();
}

void TSHARP_SM5A_MCU::SetupGame() {
    SupportedLCDDrivers = AllLCDDriverClasses();
    FPin1Position = p1pRightTop;
    IO.SupportedGNDs = AllGNDs;
    IO.AlphaBeingQueried = true;
    IO.BetaBeingQueried = true;
    GameControlDefs.clear();
    FDigitEncodingORegisters.clear();
    TD0IsCOM1 = false;
}

void TSHARP_SM5A_MCU::InitDefaultROMAddressComments() {
    for (auto& c : DefaultROMAddressComments)
        c.clear();
    for (int i = 0; i < ROMSize / 64; ++i)
        DefaultROMAddressComments[i * 64] = PageHeaderComment(i);
}

std::string TSHARP_SM5A_MCU::ShownROMAddressComment(T11bits Addr) const {
    if (Addr >= ROMSize) return {};
    const std::string& Text = DefaultROMAddressComments[Addr];
    // A standard page header is shown in the interface language; any other text as it is.
    if (Addr % 64 == 0 && !Text.empty() && Text == PageHeaderComment(Addr / 64))
        return PageHeaderComment(Addr / 64, TTextUse::Shown);
    return Text;
}

void TSHARP_SM5A_MCU::SetClock(uint16_t, uint16_t, uint16_t) {
    throw EAbstractError();
}

void TSHARP_SM5A_MCU::SetCurrentTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    SetClock(static_cast<uint16_t>(local.tm_hour), static_cast<uint16_t>(local.tm_min),
             static_cast<uint16_t>(std::min(local.tm_sec, 59))); // a leap second reads as 59
}

void TSHARP_SM5A_MCU::Reset() {
    Acc = 0;
    DP = 0;
    T = 0;
    MSB = 0;
    Page = 15;
    PC = 0x3C0;
    FPreviousOpcode = 0;
    A = NoAddress;
    Carry = false;
    OneSecond = true;
    HaltMode = false;
    RAM.fill(0);
    IO.Reset();
    O.fill(0);
    O_.fill(0);
    TD = false;
    LD0 = false;
    FFullRunStartTickCount = 0;
    FFullRunCyclesPerSecond = 16384;
    UpdateRareCycleWork();
    CycleCount = 0;
    ClearCoverage();
    ClearLastWriters();
    if (LCDDriver) LCDDriver->Reset();
}

// ---------------------------------------------------------------------------------------
// Opcode access

int TSHARP_SM5A_MCU::GetOpcodeExt(T11bits ROMAddr, uint8_t& Opcode, uint8_t& Operand) const {
    if (ROMAddr >= ROMSize) {
        Opcode = 0;
        Operand = 0;
        return 0;
    }
    Opcode = ROM[ROMAddr];
    Operand = ROMAddr + 1 < ROMSize ? ROM[ROMAddr + 1] : 0;
    return GetOpcodeSize(Opcode, Operand);
}


bool TSHARP_SM5A_MCU::IsOpcodeChanged(T11bits Addr) const {
    uint8_t opcode, operand;
    return IsOpcodeChanged(Addr, opcode, operand);
}

bool TSHARP_SM5A_MCU::IsOpcodeChanged(T11bits Addr, uint8_t& OriginalOpcode, uint8_t& OriginalOperand) const {
    OriginalOpcode = 0;
    OriginalOperand = 0;
    if (Addr >= ROMSize || !UserData) return false;
    const TROM& original = UserData->OriginalROMImage();
    OriginalOpcode = original[Addr];
    OriginalOperand = Addr + 1 < ROMSize ? original[Addr + 1] : 0;
    if (ROM[Addr] != original[Addr]) return true;
    uint8_t opcode, operand;
    if (GetOpcodeExt(Addr, opcode, operand) == 2) return operand != OriginalOperand;
    return false;
}

bool TSHARP_SM5A_MCU::IsAnyOpcodeChanged() const {
    return UserData && ROM != UserData->OriginalROMImage();
}

bool TSHARP_SM5A_MCU::IsOIndexEncodingADigit(TOIndex OIndex) const {
    if (OIndex > 8) return false;
    if (GetClass().IsCustomGame()) return true;
    return std::find(FDigitEncodingORegisters.begin(), FDigitEncodingORegisters.end(), OIndex) !=
           FDigitEncodingORegisters.end();
}

T11bits TSHARP_SM5A_MCU::GetAddrToFollow(T11bits Addr) const {
    uint8_t opcode, next;
    if (GetOpcodeExt(Addr, opcode, next) == 0) return NoAddress;
    const bool atPC = Addr == PC;
    if (opcode == 0x6E || opcode == 0x6F) return A;
    if ((opcode & 0xF0) == 0x70) {
        if (!(next & 0x80)) return NoAddress;
        unsigned bank;
        if (atPC) {
            bank = MSB & 1;
        } else {
            bank = Addr >= 0x400 ? 1 : 0;
            if (Addr > 0 && GetOpcode(Addr - 1) == 0x6D) bank ^= 1; // MSB toggled just before
        }
        return static_cast<T11bits>((bank << 10) | ((opcode & 0x0F) << 6) | CodeToStepIndex[next & 0x3F]);
    }
    if (opcode >= 0x80 && opcode <= 0xBF) {
        if (atPC && A == NoAddress)
            return static_cast<T11bits>(((MSB & 1) << 10) | ((Page & 0x0F) << 6) |
                                        CodeToStepIndex[opcode & 0x3F]);
        return static_cast<T11bits>((Addr & 0x7C0) | CodeToStepIndex[opcode & 0x3F]);
    }
    if (opcode >= 0xC0) {
        const bool outside = atPC ? A == NoAddress : Addr < 0x400;
        if (outside) return static_cast<T11bits>(0x400 | CodeToStepIndex[opcode & 0x3F]);
        return static_cast<T11bits>(((opcode & 0x30) << 2) | (Addr & 0x700) | CodeToStepIndex[opcode & 0x0F]);
    }
    return NoAddress;
}

void TSHARP_SM5A_MCU::SetupInstructionMnemonics() const {
    switch (Options().InstructionMnemonics) {
    case 1:
        ActiveMnemonicSet = 1;
        break;
    case 2:
        ActiveMnemonicSet = 0;
        break;
    default:
        ActiveMnemonicSet = GetClass().IsSHARP_SM5A_MCU() ? 1 : 0;
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Labels and comments

std::string TSHARP_SM5A_MCU::GetAddressLabel(T11bits Addr) const {
    return UserData ? UserData->GetAddressLabel(Addr) : std::string();
}

void TSHARP_SM5A_MCU::SetAddressLabel(T11bits Addr, const std::string& Value) {
    if (UserData) UserData->SetAddressLabelAndComment(Addr, Value, UserData->GetAddressComment(Addr));
}

std::string TSHARP_SM5A_MCU::GetAddressComment(T11bits Addr) const {
    return UserData ? UserData->GetAddressComment(Addr) : std::string();
}

void TSHARP_SM5A_MCU::SetAddressComment(T11bits Addr, const std::string& Value) {
    if (UserData) UserData->SetAddressLabelAndComment(Addr, UserData->GetAddressLabel(Addr), Value);
}

// ---------------------------------------------------------------------------------------
// LCD driver management

std::unique_ptr<TLCDDriver> TSHARP_SM5A_MCU::CreateLCDDriver(const TLCDDriverClass& LCDDriverClass) const {
    const TMCUClass& cls = GetClass();
    return LCDDriverClass.Create(cls.GetCOMtoMCUpin(), cls.GetObitToMCUpin());
}

std::unique_ptr<TLCDDriver> TSHARP_SM5A_MCU::CloneCurrentLCDDriver() const {
    if (LCDDriver) return CreateLCDDriver(LCDDriver->GetClass());
    return CreateLCDDriver(SupportedLCDDrivers.empty() ? TGenericLCDDriver::Class
                                                       : *SupportedLCDDrivers.front());
}

void TSHARP_SM5A_MCU::ChangeLCDDriver(const TLCDDriverClass& NewLCDDriverClass) {
    TRaster* bitmap = nullptr;
    TColor background = clWhite;
    if (LCDDriver) {
        bitmap = LCDDriver->SceneBitmap();
        background = LCDDriver->ContainerBackgroundColor();
    }
    std::unique_ptr<TLCDDriver> driver = CreateLCDDriver(NewLCDDriverClass);
    if (LCDDriver) {
        LCDDriver->CopyCurrentState(*driver);
        LCDDriver.reset();
    }
    LCDDriver = std::move(driver);
    LCDDriver->AssignBitmapContainer(bitmap, background, 4, false);
    LCDDriver->RefreshBitmap(O, O_, false);
}

// ---------------------------------------------------------------------------------------
// Pacing

void TSHARP_SM5A_MCU::SetFullRun(bool Value) {
    FFullRun = Value;
    FFullRunStartTickCount = 0;
    UpdateRareCycleWork();
}

void TSHARP_SM5A_MCU::SetFullRunCyclesPerSecond(uint32_t Value) {
    FFullRunCyclesPerSecond = Value;
    FFullRunStartTickCount = 0;
    UpdateRareCycleWork();
}

void TSHARP_SM5A_MCU::SetTickSource(TTickSource* Source) {
    FTickSource = Source;
}

} // namespace tarvolin
