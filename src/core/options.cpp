#include "core/options.h"

namespace tarvolin {

TOptions& Options() {
    static TOptions options;
    return options;
}

} // namespace tarvolin
