// The LCD picture feature: the bitmap the game's LCD driver draws into, the choice among the
// LCD images the game supports (the pop-up's image items, double click to switch), and the
// stable-image mode of full runs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "debugger/session.h"
#include "lcd/raster.h"

namespace tarvolin {

// The LCD image pop-up's image items.
struct TLCDImageMenu {
    bool Visible = false; // only when the game supports more than one LCD image
    std::string Header;   // "---  ALL AVAILABLE LCD IMAGES  ---" / "---  COMPATIBLE LCD IMAGES  ---"
    std::vector<std::string> Captions; // theme names with "&" doubled
    int Checked = -1;
};

class TLCDPictureControl {
public:
    TLCDPictureControl(TLoadedGame& Game, TLCDView& View, TToolWindows& Tools, TPrompter& Prompter,
                       TSessionControl& Session);
    ~TLCDPictureControl();
    TLCDPictureControl(const TLCDPictureControl&) = delete;
    TLCDPictureControl& operator=(const TLCDPictureControl&) = delete;

    const TRaster& LCDBitmap() const { return FLCDBitmap; }
    const TLCDImageMenu& LCDImageMenu() const { return FLCDImageMenu; }
    // Background colour of the LCD panel (0x00BBGGRR), used when the scene is attached.
    void SetLCDBackgroundColor(TColor Color) { FLCDBackground = Color; }

    // Double click on the image: next supported driver (previous with Shift), wrapping.
    void SwitchLCDImage(bool lPrevious);
    void SelectLCDImage(int Index);
    // The user artwork folder ("" when the program looks for none).
    std::filesystem::path ArtworkFolder() const;
    // Creates the artwork folder when it is missing and returns it; throws with the reason
    // when there is none or it cannot be created.
    std::filesystem::path PrepareArtworkFolder() const;

    // ---- for the owner and the run control ----
    // A game was installed: its driver draws into the bitmap; the image items are built.
    void AttachGame();
    // The game's driver was replaced by a debug session: the picture and the image items
    // follow it.
    void LCDDriverReplaced();
    // The game is going: its driver stops reporting and the bitmap is emptied.
    void DetachGame();
    void ClearPicture();
    // Redraws the whole scene from the O registers (errors go to an error box).
    void RefreshLCD(bool lErrorOnUndefinedLCDpad);
    // A full run shows stable images only, drawn when the picture is looked at (CatchUp); a
    // stop shows every change again.
    void FullRunStarted();
    void RunStopped();
    // Draws the last stable image a full run left for the picture (before it is shown).
    void CatchUp();

private:
    void BuildLCDImageMenu();
    void ChangeLCDDriverTo(int Index);
    int CurrentLCDDriverIndex() const;
    void ListenToDriver();
    void ReportArtwork();

    TLoadedGame& FGame;
    TLCDView& FView;
    TToolWindows& FTools;
    TPrompter& FPrompter;
    TSessionControl& FSession;
    TRaster FLCDBitmap;
    TColor FLCDBackground = 0xF0F0F0;
    TLCDImageMenu FLCDImageMenu;
};

} // namespace tarvolin
