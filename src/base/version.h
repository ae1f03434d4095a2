// The program's version, given once by the build (the CMake project version).
#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace tarvolin {

// Four 16-bit numbers compared as major, then minor, then release, then build.
struct TProgramVersion {
    uint16_t Major = 0, Minor = 0, Release = 0, Build = 0;
    friend auto operator<=>(const TProgramVersion&, const TProgramVersion&) = default;
};

TProgramVersion ProgramVersion();
// The first three parts, as the About box shows them. Always available in this build.
bool GetProgramVersion(uint16_t& Major, uint16_t& Minor, uint16_t& Release);
// "0.1.0": the project version as the build gives it (for --version).
std::string ProgramVersionText();

} // namespace tarvolin
