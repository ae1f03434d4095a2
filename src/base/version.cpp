#include "base/version.h"

#ifndef TARVOLIN_VERSION_MAJOR
#error "the build defines the program version (TARVOLIN_VERSION_MAJOR, ...)"
#endif
#ifndef TARVOLIN_VERSION_BUILD
#define TARVOLIN_VERSION_BUILD 0
#endif

namespace tarvolin {

TProgramVersion ProgramVersion() {
    return {TARVOLIN_VERSION_MAJOR, TARVOLIN_VERSION_MINOR, TARVOLIN_VERSION_PATCH, TARVOLIN_VERSION_BUILD};
}

bool GetProgramVersion(uint16_t& Major, uint16_t& Minor, uint16_t& Release) {
    const TProgramVersion v = ProgramVersion();
    Major = v.Major;
    Minor = v.Minor;
    Release = v.Release;
    return true;
}

std::string ProgramVersionText() { return TARVOLIN_VERSION_STRING; }

} // namespace tarvolin
