// The LCD picture as a view of the LCD feature: shows the scene bitmap (deferred during full
// runs), the theme name for a moment after a switch, the LCD pop-up menu with the image
// choice, and switches the image on a double click.
#pragma once

#include <QObject>
#include <QTimer>

#include "debugger/debugger_view.h"
#include "debugger/ui/main_loop.h"

class QLabel;
class QMenu;
class QStatusBar;

namespace tarvolin {

class TCommandRunner;
class TDebugger;
class TLCDImageWidget;
struct TCommandStates;

class TLCDPictureView : public QObject, public TLCDView, public TDeferredDrawing {
    Q_OBJECT
public:
    TLCDPictureView(TLCDImageWidget& Image, QLabel& ThemeLabel, TMainLoop& Loop, TCommandRunner& Runner);
    // Attaches the feature: the picture is drawn on the panel's own background colour.
    void SetDebugger(TDebugger* Debugger);
    // The interconnection window the pop-up opens.
    void SetToolWindows(TToolWindows* Tools) { FTools = Tools; }

    // ---- TLCDView ----
    void LCDImageChanged(const TRaster& Bitmap) override;
    void ShowLCDThemeName(const std::string& Name) override;
    void LCDImageMenuChanged() override {} // the pop-up is built from the feature each time it opens
    void ShowArtworkNote(const std::string& Text) override;
    // Where artwork notes are shown.
    void SetStatusBar(QStatusBar* Bar) { FStatusBar = Bar; }
    // ---- TDeferredDrawing ----
    void FlushDeferred() override;

    void ApplyStates(const TCommandStates& States);
    QMenu* BuildLCDImagePopupMenu();

private:
    TLCDImageWidget& FImage;
    QLabel& FThemeLabel;
    TMainLoop& FLoop;
    TCommandRunner& FRunner;
    TDebugger* FDebugger = nullptr;
    TToolWindows* FTools = nullptr;
    QStatusBar* FStatusBar = nullptr;
    QTimer FThemeNameTimer;
    bool FChangePending = false;
};

} // namespace tarvolin
