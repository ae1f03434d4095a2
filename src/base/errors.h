// Exceptions that carry the exact message the user sees.
#pragma once

#include <stdexcept>
#include <string>

#include "base/translate.h"

namespace tarvolin {

// An emulated program reached a state the chip model cannot handle
// (return outside a subroutine, unwired input read, ...). The run control stops on it.
class EEmulatorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Stored data could not be read or written (short read, oversized block, ...).
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A class-level operation without an implementation was called (SetClock of the custom game).
class EAbstractError : public std::runtime_error {
public:
    EAbstractError() : std::runtime_error(Tr("Errors", "Abstract Error")) {}
};

} // namespace tarvolin
