// Feeds arbitrary bytes to the debug session readers: a whole session file (signature,
// container version, main block with the MCU, input/output and user-data blocks), the MCU
// block alone and the input/output sub-block alone, on streams that can and cannot tell
// their size.
//
// Byte 0: bit 0 = a stream that cannot tell its size, bits 1..2 = what is read. A block
// that is read is applied to a live MCU (which has labelled an address already, so a
// session can collide with it). Only EStreamError may come out of a reader or of applying;
// a refused block leaves the MCU exactly as it was; an applied one leaves every register
// inside its width and saves and reads back to the same state.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>

#include "base/errors.h"
#include "base/program_folder.h"
#include "core/mcu.h"
#include "core/mcu_session.h"
#include "lcd/lcd_driver.h"
#include "debugger/session_format.h"
#include "persist/debug_session.h"
#include "persist/user_data.h"

using namespace tarvolin;

namespace {

class TUnseekableBuffer : public std::streambuf {
public:
    TUnseekableBuffer(const uint8_t* Data, size_t Size) {
        char* p = const_cast<char*>(reinterpret_cast<const char*>(Data));
        setg(p, p, p + Size);
    }
};

std::string& ScratchFolder() {
    static std::string folder;
    return folder;
}
void RemoveScratchFolder() {
    std::error_code ec;
    if (!ScratchFolder().empty()) std::filesystem::remove_all(ScratchFolder(), ec);
}

// What a session can change in the machine.
struct TSnapshot {
    uint8_t PreviousOpcode;
    uint32_t Rate;
    T4bits Acc;
    T7bits DP;
    T14bits T;
    T1bit MSB;
    T4bits Page;
    T11bits PC, A;
    bool Carry, OneSecond, HaltMode, TD, LD0, Alpha, Beta;
    TORegister O, O_;
    TRAM RAM;
    TROM ROM;
    TInputMatrix Matrix;
    T4bits R;
    const void* Driver;
    size_t AudioSamples;
    int32_t AudioPos;
    TUserData::TEntries Entries;

    explicit TSnapshot(const TSHARP_SM5A_MCU& M)
        : PreviousOpcode(M.FPreviousOpcode), Rate(M.FullRunCyclesPerSecond()), Acc(M.Acc), DP(M.DP), T(M.T),
          MSB(M.MSB), Page(M.Page), PC(M.PC), A(M.A), Carry(M.Carry), OneSecond(M.OneSecond),
          HaltMode(M.HaltMode), TD(M.TD), LD0(M.LD0), Alpha(M.IO.FAlpha), Beta(M.IO.FBeta), O(M.O), O_(M.O_),
          RAM(M.RAM), ROM(M.ROM), Matrix(M.IO.FInputMatrix), R(M.IO.R), Driver(&M.LCDDriver->GetClass()),
          AudioSamples(M.AudioBuffer().size()), AudioPos(M.AudioBufferPos()),
          Entries(M.UserData->AddressesCustomData()) {}
    bool operator==(const TSnapshot& o) const {
        bool same = PreviousOpcode == o.PreviousOpcode && Rate == o.Rate && Acc == o.Acc && DP == o.DP && T == o.T &&
                    MSB == o.MSB && Page == o.Page && PC == o.PC && A == o.A && Carry == o.Carry &&
                    OneSecond == o.OneSecond && HaltMode == o.HaltMode && TD == o.TD && LD0 == o.LD0 &&
                    Alpha == o.Alpha && Beta == o.Beta && O == o.O && O_ == o.O_ && RAM == o.RAM && ROM == o.ROM &&
                    Matrix == o.Matrix && R == o.R && Driver == o.Driver && AudioSamples == o.AudioSamples &&
                    AudioPos == o.AudioPos && Entries.size() == o.Entries.size();
        for (auto a = Entries.begin(), b = o.Entries.begin(); same && a != Entries.end(); ++a, ++b)
            same = a->first == b->first && a->second.FLabel == b->second.FLabel &&
                   a->second.FComment == b->second.FComment;
        return same;
    }
};

void CheckWidths(const TSHARP_SM5A_MCU& M) {
    bool ok = M.Acc <= 0xF && M.DP <= 0x7F && M.T <= 0x3FFF && M.MSB <= 1 && M.Page <= 0xF && M.PC <= 0x7FF &&
              M.A <= 0x7FF && M.IO.R <= 0xF && M.PreviousSoundBit() >= 0 && M.PreviousSoundBit() <= 1;
    for (T4bits v : M.RAM) ok = ok && v <= 0xF;
    for (T4bits v : M.O) ok = ok && v <= 0xF;
    for (T4bits v : M.O_) ok = ok && v <= 0xF;
    for (T4bits v : M.IO.FInputMatrix) ok = ok && v <= 0xF;
    ok = ok && M.AudioBufferPos() >= 0 && size_t(M.AudioBufferPos()) <= M.AudioBuffer().size();
    if (!ok) std::abort();
}

std::unique_ptr<TSHARP_SM5A_MCU> LiveMCU() {
    auto mcu = TSHARP_SM5A_MCU::Class.Create(nullptr);
    mcu->SetAddressLabel(0x010, "taken");
    mcu->Acc = 9;
    mcu->RAM[0x21] = 5;
    return mcu;
}

// Applies a block that was read; a refusal must change nothing, success must round-trip.
void Apply(const TMCUSessionBlock& Block) {
    auto mcu = LiveMCU();
    const TSnapshot before(*mcu);
    try {
        mcu->ApplySessionBlock(Block);
    } catch (const EStreamError&) {
        if (!(TSnapshot(*mcu) == before)) std::abort();
        return;
    }
    CheckWidths(*mcu);
    if (Block.Version < 1) {
        if (!(TSnapshot(*mcu) == before)) std::abort();
        return;
    }
    std::ostringstream out;
    mcu->SaveSessionToStream(out);
    std::istringstream in(out.str());
    const TMCUSessionBlock again = ReadMCUSessionBlock(in);
    auto second = TSHARP_SM5A_MCU::Class.Create(nullptr);
    second->ApplySessionBlock(again);
    TSnapshot a(*mcu), b(*second);
    if (!(a == b)) std::abort();
}

void Read(std::istream& S, int What) {
    try {
        switch (What) {
        case 0: { // a whole session file
            TMainBlock main;
            bool read = false;
            TDebugSession session;
            session.RegisterStreamMethods(
                [&](std::istream& In) {
                    main = ReadMainBlock(In, [](const std::string& Game) { return Game != "unknown"; });
                    read = true;
                },
                nullptr);
            session.LoadFromStream(S);
            if (read && main.Version >= 1 && main.GameRecognized) {
                if (main.Placement.size() > 44 || main.MCU.AudioBytes.size() > size_t(AudioBufferBytes)) std::abort();
                for (int32_t a : main.CodeBreakpoints)
                    if (a < 0 || a > 0x7FF) std::abort();
                for (const auto* list : {&main.ReadBreakpoints, &main.WriteBreakpoints, &main.ChangeBreakpoints})
                    for (int32_t a : *list)
                        if (a < 0 || a > 0x7F) std::abort();
                Apply(main.MCU);
            }
            break;
        }
        case 1: Apply(ReadMCUSessionBlock(S)); break;
        default: {
            const TIOSessionBlock io = ReadIOSessionBlock(S);
            TInputOutput target;
            ApplyIOSessionBlock(io, target);
            for (T4bits v : target.FInputMatrix)
                if (v > 0xF) std::abort();
            if (target.R > 0xF) std::abort();
            break;
        }
        }
    } catch (const EStreamError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/tarvolin-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    ScratchFolder() = pattern;
    SetProgramFolder(pattern); // no ".dat" file of a real user is read or retired
    std::atexit(RemoveScratchFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    const int What = (Data[0] >> 1) % 3;
    if (Data[0] & 1) {
        TUnseekableBuffer buffer(Data + 1, Size - 1);
        std::istream in(&buffer);
        Read(in, What);
    } else {
        std::istringstream in(std::string(reinterpret_cast<const char*>(Data + 1), Size - 1));
        Read(in, What);
    }
    return 0;
}
