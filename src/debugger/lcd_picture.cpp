#include "debugger/lcd_picture.h"

#include <exception>

#include "base/text_format.h"
#include "base/translate.h"
#include "lcd/lcd_artwork.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {

TLCDPictureControl::TLCDPictureControl(TLoadedGame& Game, TLCDView& View, TToolWindows& Tools, TPrompter& Prompter,
                                       TSessionControl& Session)
    : FGame(Game), FView(View), FTools(Tools), FPrompter(Prompter), FSession(Session) {}

TLCDPictureControl::~TLCDPictureControl() { DetachGame(); }

void TLCDPictureControl::ListenToDriver() {
    if (TSHARP_SM5A_MCU* MCU = FGame.Get(); MCU && MCU->LCDDriver && !MCU->LCDDriver->OnBitmapRefresh)
        MCU->LCDDriver->OnBitmapRefresh = [this](TLCDDriver&) { FView.LCDImageChanged(FLCDBitmap); };
}

void TLCDPictureControl::AttachGame() {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (MCU && MCU->LCDDriver) {
        TLCDDriver& Driver = *MCU->LCDDriver;
        Driver.OnBitmapRefresh = nullptr;
        ListenToDriver();
        try {
            Driver.AssignBitmapContainer(&FLCDBitmap, FLCDBackground, 4, false);
        } catch (const std::exception& e) {
            FPrompter.Error(e.what());
        }
        FLCDBitmap.MarkChanged();
        FView.LCDImageChanged(FLCDBitmap);
        ReportArtwork();
    }
    BuildLCDImageMenu();
}

void TLCDPictureControl::ReportArtwork() {
    if (TSHARP_SM5A_MCU* MCU = FGame.Get(); MCU && MCU->LCDDriver && !MCU->LCDDriver->ArtworkNote().empty())
        FView.ShowArtworkNote(MCU->LCDDriver->ArtworkNote());
}

std::filesystem::path TLCDPictureControl::ArtworkFolder() const { return tarvolin::ArtworkFolder(); }

std::filesystem::path TLCDPictureControl::PrepareArtworkFolder() const {
    const std::filesystem::path Folder = tarvolin::ArtworkFolder();
    if (Folder.empty()) throw std::runtime_error(Tr("LCDPicture", "This program looks for no user artwork."));
    std::error_code Ec;
    std::filesystem::create_directories(Folder, Ec);
    if (Ec || !std::filesystem::is_directory(Folder))
        throw std::runtime_error(Format(Tr("LCDPicture", "Cannot create the artwork folder %s: %s").c_str(),
                                        Folder.string().c_str(), Ec ? Ec.message().c_str() : "not a folder"));
    return Folder;
}

void TLCDPictureControl::LCDDriverReplaced() {
    ListenToDriver();
    ReportArtwork();
    FLCDImageMenu.Checked = CurrentLCDDriverIndex();
    FView.LCDImageMenuChanged();
    FLCDBitmap.MarkChanged();
    FView.LCDImageChanged(FLCDBitmap);
}

void TLCDPictureControl::DetachGame() {
    if (TSHARP_SM5A_MCU* MCU = FGame.Get(); MCU && MCU->LCDDriver) MCU->LCDDriver->OnBitmapRefresh = nullptr;
}

void TLCDPictureControl::ClearPicture() {
    FLCDImageMenu = TLCDImageMenu{};
    FView.LCDImageMenuChanged();
    FLCDBitmap.Clear();
    FLCDBitmap.MarkChanged();
    FView.LCDImageChanged(FLCDBitmap);
}

void TLCDPictureControl::RefreshLCD(bool lErrorOnUndefinedLCDpad) {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU || !MCU->LCDDriver) return;
    try {
        MCU->LCDDriver->RefreshBitmap(MCU->O, MCU->O_, lErrorOnUndefinedLCDpad);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
}

void TLCDPictureControl::FullRunStarted() {
    RefreshLCD(true);
    if (TSHARP_SM5A_MCU* MCU = FGame.Get(); MCU && MCU->LCDDriver) {
        MCU->LCDDriver->SetShowStableImageOnly(true);
        MCU->LCDDriver->SetDeferStableImages(true);
    }
}

void TLCDPictureControl::RunStopped() {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (MCU && MCU->LCDDriver && MCU->LCDDriver->ShowStableImageOnly()) {
        MCU->LCDDriver->SetDeferStableImages(false);
        MCU->LCDDriver->SetShowStableImageOnly(false);
        RefreshLCD(true);
    }
}

void TLCDPictureControl::CatchUp() {
    if (TSHARP_SM5A_MCU* MCU = FGame.Get(); MCU && MCU->LCDDriver) MCU->LCDDriver->DrawDeferredStableImage();
}

int TLCDPictureControl::CurrentLCDDriverIndex() const {
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU || !MCU->LCDDriver) return -1;
    const TLCDDriverClass& Current = MCU->LCDDriver->GetClass();
    for (size_t i = 0; i < MCU->SupportedLCDDrivers.size(); ++i)
        if (MCU->SupportedLCDDrivers[i] == &Current) return static_cast<int>(i);
    return -1;
}

void TLCDPictureControl::BuildLCDImageMenu() {
    FLCDImageMenu = TLCDImageMenu{};
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (MCU && MCU->SupportedLCDDrivers.size() > 1) {
        FLCDImageMenu.Visible = true;
        FLCDImageMenu.Header = FGame.Class->IsCustomGame() ? Tr("LCDPicture", "---  ALL AVAILABLE LCD IMAGES  ---")
                                                           : Tr("LCDPicture", "---  COMPATIBLE LCD IMAGES  ---");
        for (const TLCDDriverClass* c : MCU->SupportedLCDDrivers) {
            std::string Theme;
            try {
                auto Driver = MCU->CreateLCDDriver(*c);
                if (Driver) Theme = Driver->LCDThemeName();
            } catch (const std::exception&) {
            }
            std::string Caption;
            for (char ch : Theme) {
                Caption += ch;
                if (ch == '&') Caption += '&';
            }
            FLCDImageMenu.Captions.push_back(Caption);
        }
        FLCDImageMenu.Checked = CurrentLCDDriverIndex();
    }
    FView.LCDImageMenuChanged();
}

void TLCDPictureControl::ChangeLCDDriverTo(int Index) {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU || Index < 0 || Index >= static_cast<int>(MCU->SupportedLCDDrivers.size())) return;
    FTools.CloseInterconnection();
    try {
        MCU->ChangeLCDDriver(*MCU->SupportedLCDDrivers[size_t(Index)]);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
    ListenToDriver();
    FSession.MarkSessionModified();
    FLCDImageMenu.Checked = CurrentLCDDriverIndex();
    FView.LCDImageMenuChanged();
    FLCDBitmap.MarkChanged();
    FView.LCDImageChanged(FLCDBitmap);
    FView.ShowLCDThemeName(MCU->LCDDriver ? MCU->LCDDriver->LCDThemeName() : std::string());
    ReportArtwork();
}

void TLCDPictureControl::SwitchLCDImage(bool lPrevious) {
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU) return;
    const int n = static_cast<int>(MCU->SupportedLCDDrivers.size());
    if (n <= 1) return;
    int i = CurrentLCDDriverIndex();
    if (i < 0) i = 0;
    ChangeLCDDriverTo(lPrevious ? (i + n - 1) % n : (i + 1) % n);
}

void TLCDPictureControl::SelectLCDImage(int Index) { ChangeLCDDriverTo(Index); }

} // namespace tarvolin
