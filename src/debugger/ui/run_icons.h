// Icons of the run commands and the game controls' signs, drawn in code: no image files, sharp
// at every size and scale.
#pragma once

#include <QIcon>

#include "debugger/game_control_faces.h"

class QPainter;

namespace tarvolin {

enum class TRunIcon {
    TraceInto,
    StepOver,
    RunUntilReturn,
    AnimatedRun,
    UnattendedRun,
    Pause,
    Refresh,
    Reset,
    Breakpoints,
    PlayLayout,
};

QIcon RunIcon(TRunIcon Kind);

// Draws a game control's sign (an arrow, the bell, the reset sign) into Rect in Colour.
void DrawControlSign(QPainter& Painter, TControlSign Sign, const QRectF& Rect, const QColor& Colour);

} // namespace tarvolin
