#include "base/options.h"

namespace tarvolin {

TOptions& Options() {
    static TOptions options;
    return options;
}

} // namespace tarvolin
