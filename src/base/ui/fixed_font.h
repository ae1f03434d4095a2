// The fixed-pitch font of the listing, the value panes, the hint line and the code windows.
#pragma once

#include <QFont>

namespace tarvolin {

// A compact fixed-pitch font at the desktop's fixed font size: the first installed of a few
// families whose line height is close to their size, else the desktop's fixed font. Some
// desktops' default monospace font has a line height of 1.4 em; with it, the eleven register
// rows above the LCD rows no longer fit a 720-pixel-high screen.
QFont FixedPitchFont();

} // namespace tarvolin
