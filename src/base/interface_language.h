// The language of the interface texts. The start-up check of the user's language choice sets
// it once, before the main window is created; it does not change during a run. Windows whose
// layout depends on the longer Russian texts ask it.
#pragma once

namespace tarvolin {

// True while the program runs with the Russian interface texts (false: English, the default).
bool RussianUIActive();
void SetRussianUIActive(bool Value);

} // namespace tarvolin
