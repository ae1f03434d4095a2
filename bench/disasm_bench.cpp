// Speed of the listing (a full rebuild happens on every game load and options change, a
// partial one on every opcode patch) and of the assembler.
#include <benchmark/benchmark.h>

#include "base/program_folder.h"
#include "core/mcu.h"
#include "disasm/assembler.h"
#include "disasm/disasm.h"
#include "disasm/listing.h"

namespace {

using namespace tarvolin;

std::unique_ptr<TSHARP_SM5A_MCU> MixedROM() {
    SetProgramFolder(std::filesystem::temp_directory_path());
    auto mcu = TSHARP_SM5A_MCU::Class.Create(nullptr);
    for (int a = 0; a < ROMSize; ++a)
        if ((a & 0x3F) != 63) mcu->ROM[a] = static_cast<uint8_t>(a * 37 + 11);
    return mcu;
}

void BM_BuildListing(benchmark::State& state) {
    auto mcu = MixedROM();
    TListing listing;
    for (auto _ : state) {
        listing.BuildDisAsmStrings(mcu.get());
        benchmark::DoNotOptimize(listing.Entries().data());
    }
}
BENCHMARK(BM_BuildListing)->Unit(benchmark::kMicrosecond);

void BM_ExportText(benchmark::State& state) {
    auto mcu = MixedROM();
    TListing listing;
    listing.BuildDisAsmStrings(mcu.get());
    for (auto _ : state) benchmark::DoNotOptimize(listing.ExportText(*mcu));
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMicrosecond);

// One opcode patch: the listing follows the two changed bytes (the patching feature's way)
// against building it anew. The byte flips between a 1-byte and a 2-byte opcode, so entries
// are inserted and removed in turn.
void BM_FollowROMChange(benchmark::State& state) {
    auto mcu = MixedROM();
    TListing listing;
    listing.BuildDisAsmStrings(mcu.get());
    const T11bits a = 0x200;
    bool TwoBytes = false;
    for (auto _ : state) {
        TwoBytes = !TwoBytes;
        mcu->ROM[a] = TwoBytes ? 0x5F : 0x25;
        benchmark::DoNotOptimize(listing.FollowROMChange(*mcu, a, a + 1));
    }
}
BENCHMARK(BM_FollowROMChange)->Unit(benchmark::kMicrosecond);

// The assembler reading back a whole ROM's listing texts (one .org per instruction).
void BM_AssembleFullListing(benchmark::State& state) {
    auto mcu = MixedROM();
    TListing listing;
    listing.BuildDisAsmStrings(mcu.get());
    std::string src;
    for (const auto& e : listing.Entries()) {
        std::string comment;
        const std::string text = DisAsm(*mcu, e.Addr, comment);
        if (text.empty() || (e.Addr & 0x3F) == 63) continue;
        src += ".org " + AddrToStr(e.Addr) + "\n" + text + " ; " + comment + "\n";
    }
    for (auto _ : state) benchmark::DoNotOptimize(Assemble(src, "listing.asm"));
}
BENCHMARK(BM_AssembleFullListing)->Unit(benchmark::kMicrosecond);

} // namespace
