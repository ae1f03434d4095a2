// The Sharp SM-5A microcontroller with its mask ROM, and the KB1013VK1-2 clone.
// A game is a subclass configured with that product's wiring; the plain class is the custom game.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "core/input_output.h"
#include "lcd/lcd_driver.h"
#include "base/tick_source.h"
#include "base/translate.h"
#include "base/types.h"

namespace tarvolin {

class TSHARP_SM5A_MCU;
class TLCDDriver;
struct TLCDDriverClass;
class TUserData;
struct TMCUSessionBlock;

// Naming and pin facts of one chip variant.
struct TChipVariant {
    bool IsSHARP_SM5A_MCU;
    const char* MCUname;
    const char* InputRegisterName;
    const char* AlphaName;
    const char* BetaName;
    const char* ACLName;
    TCOMtoMCUpin COMtoMCUpin;
    TObitToMCUpin ObitToMCUpin;
    TLabelingNumbers RKLabelingNumbers;
};
extern const TChipVariant SHARP_SM5A_Chip;
extern const TChipVariant KB1013VK1_2_Chip;

// Class-level facts of an MCU class (a chip or a game): asked without creating an object.
struct TMCUClass {
    const char* ClassName;           // "TSHARP_SM5A_MCU", "TMH06", ...
    const TMCUClass* Parent;         // nullptr for TSHARP_SM5A_MCU
    const TChipVariant* Chip;
    const char* FGameName;           // UTF-8; prose names (the custom game) marked for translation
    const char* FShortGameName;
    const char* FCheatsText;         // "" = none; marked for translation in the context "Cheats"
    const char* FROMFileName;        // "" = none
    const char* FROMFileNameInArchive;
    const TMCUClass* ROMTakenFrom;   // the class whose ROM this game runs, or nullptr
    std::unique_ptr<TSHARP_SM5A_MCU> (*Factory)();

    bool IsSHARP_SM5A_MCU() const { return Chip->IsSHARP_SM5A_MCU; }
    std::string GetMCUname() const { return Chip->MCUname; }
    std::string GetInputRegisterName() const { return Chip->InputRegisterName; }
    std::string GetAlphaName() const { return Chip->AlphaName; }
    std::string GetBetaName() const { return Chip->BetaName; }
    std::string GetACLName() const { return Chip->ACLName; }
    const TCOMtoMCUpin& GetCOMtoMCUpin() const { return Chip->COMtoMCUpin; }
    const TObitToMCUpin& GetObitToMCUpin() const { return Chip->ObitToMCUpin; }
    const TLabelingNumbers& GetR_K_LabelingNumbers() const { return Chip->RKLabelingNumbers; }
    // The game's name as the window shows it (product names stay as they are).
    std::string GameName() const { return Tr("Games", FGameName); }
    std::string ShortGameName() const { return FShortGameName; }
    // The cheats and test modes in the interface language; "" when the game has none.
    std::string GetCheatsText() const { return *FCheatsText ? Tr("Cheats", FCheatsText) : std::string(); }
    // ROM operations answer for the game whose ROM this one runs.
    std::string ROMFileName() const;
    std::string ROMFileNameInArchive() const;
    // Options().ROMArchiveServer + "download.php?file=" + ROMFileName without extension;
    // empty when there is no ROM file name.
    std::string ROM_URL() const;

    bool InheritsFrom(const TMCUClass& Other) const;
    bool IsCustomGame() const; // exactly TSHARP_SM5A_MCU
    // Creates and constructs an MCU of this class from a chip-order ROM stream (or none).
    std::unique_ptr<TSHARP_SM5A_MCU> Create(std::istream* ROMStream) const;
};

// RAM callbacks: a plain function and the object it is bound to.
struct TReadMemoryEvent {
    void (*Handler)(void* Obj, T7bits RAMAddr, T4bits Value) = nullptr;
    void* Obj = nullptr;
    explicit operator bool() const { return Handler != nullptr; }
};
struct TWriteMemoryEvent {
    void (*Handler)(void* Obj, T7bits RAMAddr, T4bits NewValue, T4bits PreviousValue) = nullptr;
    void* Obj = nullptr;
    explicit operator bool() const { return Handler != nullptr; }
};

// The 7-segment coding table: [TD][Acc].
extern const uint8_t SevenSegmentCodingTable[2][16];

// Maps any DP value onto an existing RAM cell (rows 0..4, columns 0..12).
constexpr T7bits AdjustDP(T7bits DP) {
    if ((DP & 0xF0) > 0x40) DP = (DP & 0x0F) | 0x40;
    if ((DP & 0x0F) > 12) DP = (DP & 0x70) | 0x0C;
    return DP;
}
// True for the 65 cells of the RAM pane: at most 0x4C and column at most 0xC.
constexpr bool IsValidRAMAddress(T7bits Addr) { return Addr <= 0x4C && (Addr & 0x0F) <= 0x0C; }

// Cells a RAM write can reach (AdjustDP maps every address to at most 0x4C).
constexpr int WritableRAMCells = 0x50;
constexpr uint16_t NoWriter = 0xFFFF;

// Everything that decides how the machine goes on, as history snapshots keep it: registers,
// RAM, O, O', the input lines, halt, timer, the buzzer capture's position, the LCD picture,
// the pacing mode (a halt ends at once only outside paced runs), the sound option, and who
// last wrote each RAM cell. Equal states step alike.
struct TMachineState {
    uint64_t CycleCount = 0;
    T4bits Acc = 0;
    T7bits DP = 0;
    T14bits T = 0;
    T1bit MSB = 0;
    T4bits Page = 0;
    T11bits PC = 0;
    T11bits A = 0;
    bool Carry = false, OneSecond = false, HaltMode = false, TD = false, LD0 = false;
    bool FullRun = false, DerivatedSound = false;
    uint8_t PreviousOpcode = 0;
    TORegister O{}, O_{};
    TRAM RAM{};
    TInputMatrix Matrix{};
    bool Alpha = false, Beta = false;
    T4bits R = 0;
    int32_t AudioBufferPos = 0;
    int32_t PreviousSoundBit = 0;
    TLCDPictureState Picture;
    std::array<uint16_t, WritableRAMCells> LastWriterPC{};
    std::array<uint64_t, WritableRAMCells> LastWriteCycle{};
    friend bool operator==(const TMachineState&, const TMachineState&) = default;
};

class TSHARP_SM5A_MCU {
public:
    static const TMCUClass Class;
    virtual const TMCUClass& GetClass() const { return Class; }
    virtual ~TSHARP_SM5A_MCU();
    // Use TMCUClass::Create (which runs Construct); a bare object is not configured.
    TSHARP_SM5A_MCU();
    TSHARP_SM5A_MCU(const TSHARP_SM5A_MCU&) = delete;
    TSHARP_SM5A_MCU& operator=(const TSHARP_SM5A_MCU&) = delete;

    // Construction steps 1..9 (SetupGame, driver, ROM read and reorder, mnemonics,
    // default comments, user data, reset). Called by TMCUClass::Create.
    void Construct(std::istream* ROMStream);

    // Slot 2: writes the time into the game's clock cells (abstract for the custom game).
    virtual void SetClock(uint16_t Hour, uint16_t Minute, uint16_t Second);
    void SetCurrentTime();

    void Reset();

    // Executes one instruction with all its machine cycles (or one halted cycle).
    // Returns true when an instruction executed; Opcode/Operand are then written
    // (a long jump or call reports its second byte as Opcode). Throws EEmulatorError.
    bool PerformOneCycle(uint8_t& Opcode, uint8_t& Operand);

    // Opcode access.
    // 2 for 0x5E, 0x5F and for 0x70..0x7F followed by a byte with bit 7 set, else 1.
    static int GetOpcodeSize(uint8_t Opcode, uint8_t Operand) {
        return ((Opcode & 0xFE) == 0x5E || ((Opcode & 0xF0) == 0x70 && (Operand & 0x80))) ? 2 : 1;
    }
    int GetOpcodeExt(T11bits ROMAddr, uint8_t& Opcode, uint8_t& Operand) const;
    uint8_t GetOpcode(T11bits ROMAddr) const { return ROMAddr < ROMSize ? ROM[ROMAddr] : 0; }
    int GetCurrentOpcodeExt(uint8_t& Opcode, uint8_t& Operand) const { return GetOpcodeExt(PC, Opcode, Operand); }
    uint8_t GetCurrentOpcode() const { return GetOpcode(PC); }
    bool InSubroutine() const { return A != NoAddress; }
    bool IsOpcodeChanged(T11bits Addr) const;
    bool IsOpcodeChanged(T11bits Addr, uint8_t& OriginalOpcode, uint8_t& OriginalOperand) const;
    bool IsAnyOpcodeChanged() const;
    bool IsOIndexEncodingADigit(TOIndex OIndex) const;
    // The target of a jump, call or return at Addr, or NoAddress.
    T11bits GetAddrToFollow(T11bits Addr) const;

    void SetupInstructionMnemonics() const;

    // Labels and comments (forwarded to the user data).
    std::string GetAddressLabel(T11bits Addr) const;
    void SetAddressLabel(T11bits Addr, const std::string& Value);
    std::string GetAddressComment(T11bits Addr) const;
    void SetAddressComment(T11bits Addr, const std::string& Value);

    // LCD driver management.
    std::unique_ptr<TLCDDriver> CreateLCDDriver(const TLCDDriverClass& LCDDriverClass) const;
    std::unique_ptr<TLCDDriver> CloneCurrentLCDDriver() const;
    void ChangeLCDDriver(const TLCDDriverClass& NewLCDDriverClass);

    // Sound capture.
    void StartSoundRecording();
    void StopSoundRecording();
    bool IsSoundRecordingActive() const;
    // Writes samples 0 .. AudioBufferPos-1 as a 16-bit mono 16384 Hz WAV file
    // (through a temporary file renamed over the target). Throws std::runtime_error.
    void SaveSoundRecording(const std::filesystem::path& FileName) const;
    const std::vector<int16_t>& AudioBuffer() const { return FAudioBuffer; }
    int32_t AudioBufferPos() const { return FAudioBufferPos; }
    int32_t PreviousSoundBit() const { return FPreviousSoundBit; }
    // Samples taken since the recording started in this run of the program: the full buffer
    // is reused from its start, so a WAV file holds only the last AudioBufferPos of them.
    uint64_t RecordedSamples() const { return FAudioBufferReuses * FAudioBuffer.size() + uint64_t(FAudioBufferPos); }
    // Empty, or the note that a recording longer than the buffer was cut to its last part,
    // with both lengths in seconds.
    std::string SoundRecordingCutNote() const;
    // Restores a recording (debug session load): a non-empty buffer is brought to the
    // recording length, the position is kept inside it and the bit masked to 0..1.
    void RestoreSoundRecording(std::vector<int16_t> Buffer, int32_t Pos, int32_t PreviousBit);
    // Live buzzer tap: while set, every machine cycle appends line R1 (0 or 1) to Bits, which
    // the caller empties. Nothing of the machine's state depends on it; nullptr removes it.
    void SetBuzzerTap(std::vector<uint8_t>* Bits);
    bool HasBuzzerTap() const { return FBuzzerTap != nullptr; }

    // The MCU block of a debug session. Saving ends with the user-data block; applying takes
    // a block read completely beforehand (ReadMCUSessionBlock) and changes nothing when it
    // refuses (an address its user data has an entry for already). The LCD driver named in
    // the block becomes current when the game supports it, and the scene is redrawn.
    void SaveSessionToStream(std::ostream& S) const;
    void ApplySessionBlock(const TMCUSessionBlock& Block);
    void LoadSessionFromStream(std::istream& S);

    // The machine state as history keeps it, and its return. Restoring recolours the LCD
    // picture; the pacing mode returns too (SetFullRun sets it again for a run), the speed and
    // the presence of a sound recording stay as they are.
    TMachineState SaveState() const;
    void RestoreState(const TMachineState& State);

    // Coverage: how often the instruction at each address has executed since reset or
    // ClearCoverage (counted while TrackCoverage is on; saturates at UINT32_MAX).
    bool TrackCoverage() const { return FTrackCoverage; }
    void SetTrackCoverage(bool Value) { FTrackCoverage = Value; }
    uint32_t ExecutionCount(T11bits Addr) const { return FExecutionCounts[Addr & 0x7FF]; }
    void ClearCoverage() { FExecutionCounts.fill(0); }
    // The last writer of each RAM cell: the instruction's address (NoWriter = none since reset)
    // and CycleCount when it executed (recorded while TrackWrites is on).
    bool TrackWrites() const { return FTrackWrites; }
    void SetTrackWrites(bool Value) { FTrackWrites = Value; }
    uint16_t LastWriterPC(T7bits Addr) const { return Addr < WritableRAMCells ? FLastWriterPC[Addr] : NoWriter; }
    uint64_t LastWriteCycle(T7bits Addr) const { return Addr < WritableRAMCells ? FLastWriteCycle[Addr] : 0; }
    void ClearLastWriters() {
        FLastWriterPC.fill(NoWriter);
        FLastWriteCycle.fill(0);
    }

    // Real-time pacing.
    bool FullRun() const { return FFullRun; }
    void SetFullRun(bool Value);
    uint32_t FullRunCyclesPerSecond() const { return FFullRunCyclesPerSecond; }
    void SetFullRunCyclesPerSecond(uint32_t Value);
    void SetTickSource(TTickSource* Source); // nullptr = the system clock
    uint32_t FullRunStartTickCount() const { return FFullRunStartTickCount; }
    uint32_t FullRunCycleCounter() const { return FFullRunCycleCounter; }

    TMCUpin1Position Pin1Position() const { return FPin1Position; }
    const std::vector<uint8_t>& DigitEncodingORegisters() const { return FDigitEncodingORegisters; }

    TReadMemoryEvent OnReadMemory;
    TWriteMemoryEvent OnWriteMemory;

    // Machine cycles since reset that reached their timer tick.
    uint64_t CycleCount = 0;

    // Registers and memory.
    T4bits Acc = 0;
    T7bits DP = 0;
    T14bits T = 0;
    T1bit MSB = 0;
    T4bits Page = 15;
    T11bits PC = 0x3C0;
    T11bits A = NoAddress;
    bool Carry = false;
    bool OneSecond = true;
    bool HaltMode = false;
    TInputOutput IO;
    TORegister O{};
    TORegister O_{};
    bool TD = false;
    bool LD0 = false;
    TROM ROM{};
    TRAM RAM{};

    std::vector<const TLCDDriverClass*> SupportedLCDDrivers;
    std::unique_ptr<TLCDDriver> LCDDriver;
    std::vector<TGameControlDef> GameControlDefs;
    bool TD0IsCOM1 = false;
    // English, as listing files keep them; ShownROMAddressComment gives the window's text.
    TDefaultROMAddressComments DefaultROMAddressComments;
    // The default comment above the instruction at Addr as the window shows it: a page header in
    // the interface language, any other text as stored; "" outside the ROM.
    std::string ShownROMAddressComment(T11bits Addr) const;
    std::unique_ptr<TUserData> UserData;

    uint8_t FPreviousOpcode = 0;

protected:
    // Slot 0: per-object configuration, called once during construction.
    virtual void SetupGame();
    // Slot 1: page headers above the first instruction of every page.
    virtual void InitDefaultROMAddressComments();

    TMCUpin1Position FPin1Position = p1pRightTop;
    std::vector<uint8_t> FDigitEncodingORegisters;

    bool FFullRun = false;
    uint32_t FFullRunStartTickCount = 0;
    uint32_t FFullRunCyclesPerSecond = 16384;
    uint32_t FFullRunCycleCounter = 0;
    TTickSource* FTickSource = nullptr;
    // A paced full run, sound capture or the live buzzer tap: machine cycles with more work
    // than the common one. Whatever changes FFullRun, FFullRunCyclesPerSecond, FAudioBuffer or
    // FBuzzerTap calls UpdateRareCycleWork. (Outside a paced full run FFullRunStartTickCount
    // stays 0.)
    bool FRareCycleWork = false;
    void UpdateRareCycleWork() {
        FRareCycleWork = (FFullRun && FFullRunCyclesPerSecond != 0) || !FAudioBuffer.empty() || FBuzzerTap;
    }

    // Class facts the execution loop needs, cached at construction so that no virtual
    // call is made per machine cycle: the custom game reads unwired inputs quietly.
    bool FQuietInputQueries = true;
    const TLabelingNumbers* FLabels = nullptr;

    bool FTrackCoverage = false;
    bool FTrackWrites = false;
    std::array<uint32_t, 2048> FExecutionCounts{};
    std::array<uint16_t, WritableRAMCells> FLastWriterPC{};
    std::array<uint64_t, WritableRAMCells> FLastWriteCycle{};
    void CountExecution(T11bits Addr) {
        uint32_t& c = FExecutionCounts[Addr & 0x7FF];
        c += c != UINT32_MAX;
    }

    std::vector<int16_t> FAudioBuffer;
    int32_t FAudioBufferPos = 0;
    int32_t FPreviousSoundBit = 0;
    std::vector<uint8_t>* FBuzzerTap = nullptr;
    uint64_t FAudioBufferReuses = 0; // times the full buffer went back to its start

    friend struct TMCUClass;

private:
    // The parts of PerformOneCycle (execution.cpp). PerformOneCycle runs the common step
    // without any call and passes other steps on: PerformInstruction takes those that call
    // out (RAM callbacks, input queries, emulator errors), FinishLeanInstruction those that
    // need the LCD driver, PerformCycles those in halt, paced full runs or sound capture.
    template <bool Lean> inline unsigned ExecuteInstruction(uint8_t& Opcode, uint8_t& Operand);
    inline bool SkipInstruction(bool LaxChain);
    inline void TickTimer(unsigned Cycles);
    inline unsigned CyclesAfter(unsigned Effect);
    inline bool FinishInstruction(unsigned Effect);
    [[gnu::noinline]] bool PerformInstruction(uint8_t& Opcode, uint8_t& Operand);
    [[gnu::noinline]] bool FinishLeanInstruction(unsigned Effect);
    [[gnu::noinline]] bool PerformCycles(uint8_t* Opcode, uint8_t* Operand, bool OperandCyclePending, bool Executed);
    // Rare steps of the machine cycle, kept out of the hot loop.
    [[gnu::noinline]] void StartPacingWindow();
    [[gnu::noinline]] void PaceFullRun();
    [[gnu::noinline]] void TakeSoundSample();
};

// The KB1013VK1-2: same execution, other pin numbers and names.
class TKB1013VK1_2MCU : public TSHARP_SM5A_MCU {
public:
    static const TMCUClass Class;
    const TMCUClass& GetClass() const override { return Class; }
};

// Factory helper for TMCUClass::Factory.
template <class T> std::unique_ptr<TSHARP_SM5A_MCU> MakeMCU() { return std::unique_ptr<TSHARP_SM5A_MCU>(new T()); }

// The header text above the first instruction of page i (0..28), with its leading line feed:
// English as files keep it (Written), or in the interface language (Shown).
std::string PageHeaderComment(int PageIndex, TTextUse Use = TTextUse::Written);

} // namespace tarvolin
