#include "base/interface_language.h"

namespace tarvolin {

namespace {
bool RussianUI = false;
}

bool RussianUIActive() { return RussianUI; }
void SetRussianUIActive(bool Value) { RussianUI = Value; }

} // namespace tarvolin
