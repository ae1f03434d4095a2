#include "debugger/game_loading.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "base/options.h"
#include "base/program_folder.h"
#include "base/safe_file.h"
#include "debugger/input.h"
#include "debugger/text_format.h"
#include "games/game_catalogue.h"
#include "net/rom_download.h"
#include "persist/settings.h"
#include "persist/zip_archive.h"

namespace tarvolin {

TGameLoadingControl::TGameLoadingControl(TLoadedGame& Game, TWindowView& Window, TPrompter& Prompter,
                                         TSettings& Settings, TGameHost& Host, TStateSink& States)
    : FGame(Game), FWindow(Window), FPrompter(Prompter), FSettings(Settings), FHost(Host), FStates(States),
      FCatalogue(GameClasses()) {}

const TMCUClass* TGameLoadingControl::FindGameByShortName(const std::string& ShortName) const {
    const std::string Wanted = ToLowerASCII(ShortName);
    for (const TMCUClass* c : FCatalogue)
        if (c && !c->IsCustomGame() && ToLowerASCII(c->ShortGameName()) == Wanted) return c;
    return nullptr;
}

const TMCUClass* TGameLoadingControl::FindGameClassByShortName(const std::string& ShortName, bool Quietly) const {
    const std::string Wanted = ToLowerASCII(ShortName);
    for (const TMCUClass* c : FCatalogue)
        if (c && !c->IsCustomGame() && ToLowerASCII(c->ShortGameName()) == Wanted) return c;
    if (ToLowerASCII(TSHARP_SM5A_MCU::Class.ShortGameName()) == Wanted) return &TSHARP_SM5A_MCU::Class;
    if (!Quietly) FPrompter.Error(Format("Unrecognized game: '%s'.", ShortName.c_str()));
    return nullptr;
}

namespace {

// A zip archive larger than this is refused before it is read: ROM sets are a few kilobytes.
constexpr uint64_t ZipArchiveLimit = 16u << 20;

std::string ROMHint(const TMCUClass& Game) {
    const std::string Stem = std::filesystem::path(Game.ROMFileName()).stem().string();
    return Format("Hint:\nSearch Google for \"%s\" and unpack \"%s\" from the archive.", Stem.c_str(),
                  Game.ROMFileNameInArchive().c_str());
}

bool IsZipFileName(const std::string& FileName) {
    return ToLowerASCII(std::filesystem::path(FileName).extension().string()) == ".zip";
}

} // namespace

// Reads at most the 1856 bytes the MCU uses; Size receives the whole file's size, so a huge
// file is questioned without being loaded into memory. Out of a zip archive the game's file
// (ROMFileNameInArchive) is taken, else the archive's first file.
bool TGameLoadingControl::ReadROMFile(const std::string& FileName, const TMCUClass& Game, std::string& Data,
                                      uint64_t& Size) {
    Data.clear();
    Size = 0;
    std::ifstream f(FileName, std::ios::binary);
    if (!f) {
        FPrompter.Error(Format("Cannot open file \"%s\".", FileName.c_str()));
        return false;
    }
    f.seekg(0, std::ios::end);
    const std::streamoff End = f.tellg();
    f.seekg(0, std::ios::beg);
    if (End < 0 || !f) {
        FPrompter.Error(Format("Cannot read file \"%s\".", FileName.c_str()));
        return false;
    }
    Size = static_cast<uint64_t>(End);
    if (IsZipFileName(FileName)) {
        if (Size > ZipArchiveLimit) {
            FPrompter.Error(Format("Cannot read \"%s\": a zip archive of more than %u bytes holds no ROM set.",
                                   FileName.c_str(), static_cast<unsigned>(ZipArchiveLimit)));
            return false;
        }
        std::string Archive(static_cast<size_t>(Size), '\0');
        if (!Archive.empty() && !f.read(Archive.data(), static_cast<std::streamsize>(Archive.size()))) {
            FPrompter.Error(Format("Cannot read file \"%s\".", FileName.c_str()));
            return false;
        }
        try {
            Data = ReadZipEntry(Archive, Game.ROMFileNameInArchive(), TZipEntryChoice::NamedElseFirst);
        } catch (const EZipError& e) {
            FPrompter.Error(Format("Cannot read \"%s\": %s", FileName.c_str(), e.what()));
            return false;
        }
        Size = Data.size();
        return true;
    }
    Data.resize(static_cast<size_t>(std::min<uint64_t>(Size, ROMSize)));
    if (!Data.empty() && !f.read(Data.data(), static_cast<std::streamsize>(Data.size()))) {
        Data.clear();
        FPrompter.Error(Format("Cannot read file \"%s\".", FileName.c_str()));
        return false;
    }
    return true;
}

bool TGameLoadingControl::LoadGame(const TMCUClass* GameClass, const std::string& FileName) {
    if (FGame.IsLoaded() && GameClass) {
        if (!FPrompter.Confirm(
                Format("Are you sure you want to load the debugger with %s?", GameClass->GameName().c_str())))
            return false;
    }
    if (!GameClass) return false;

    TFileDialog OpenDialog;
    OpenDialog.Title = GameClass->GameName() + " - " + "Select ROM file";
    OpenDialog.Filter = "All files (*.*)|*.*";
    OpenDialog.MustExist = true;

    std::string Data;
    uint64_t Size = 0;
    std::string SourceFile;
    if (GameClass->IsCustomGame()) {
        // The custom game's file is never remembered.
        std::string Name = FileName;
        if (Name.empty() && !FPrompter.OpenFile(OpenDialog, Name)) return false;
        if (!Name.empty()) {
            if (!ReadROMFile(Name, *GameClass, Data, Size)) return false;
            SourceFile = Name;
        }
    } else {
        bool Ask = true;
        const std::string Short = GameClass->ShortGameName();
        const std::string Remembered = FSettings.ROMFile(Short);
        std::error_code ec;
        if (!Remembered.empty() && std::filesystem::is_regular_file(Remembered, ec)) {
            if (!ReadROMFile(Remembered, *GameClass, Data, Size)) return false;
            SourceFile = Remembered;
        }
        if (Data.empty()) {
            if (Options().TestingMode && !GameClass->ROM_URL().empty()) {
                // A failed download leaves Ask as it is: the open dialog follows.
                if (DownloadGameROM(*GameClass, Data)) Size = Data.size();
            } else if (!GameClass->ROMFileName().empty()) {
                const std::string Text = "You need to supply the ROM file...\n\n" + ROMHint(*GameClass);
                Ask = FPrompter.Message(TMessageKind::Warning, Text, TMessageButtons::OKCancel) == TMessageResult::OK;
            }
        }
        if (Data.empty() && Ask) {
            std::string Name;
            if (FPrompter.OpenFile(OpenDialog, Name)) {
                if (!ReadROMFile(Name, *GameClass, Data, Size)) return false;
                SourceFile = Name;
                std::error_code ec2;
                auto Absolute = std::filesystem::absolute(Name, ec2);
                FSettings.SetROMFile(Short, ec2 ? Name : Absolute.string());
            }
        }
    }

    if (Data.empty()) {
        // A chosen file that holds nothing is reported instead of being ignored silently.
        if (!SourceFile.empty()) FPrompter.Error(Format("The file \"%s\" is empty.", SourceFile.c_str()));
        return false;
    }
    if (Size != uint64_t(ROMSize)) {
        const std::string Question = Format(
            "Unexpected data size: %u bytes\nThis is probably not a valid SHARP SM-5A ROM data.\n\nAre you sure you "
            "want to continue loading the data?",
            static_cast<unsigned>(std::min<uint64_t>(Size, 0xFFFFFFFFu)));
        if (FPrompter.Message(TMessageKind::Warning, Question, TMessageButtons::YesNo) != TMessageResult::Yes)
            return false;
    }

    FWindow.SetBusy(true);
    std::unique_ptr<TSHARP_SM5A_MCU> NewMCU;
    try {
        std::istringstream Stream(Data);
        NewMCU = GameClass->Create(&Stream);
        // A control no raw button stands for stops the load before anything is replaced.
        if (NewMCU) CheckGameControlDefs(NewMCU->GameControlDefs);
    } catch (const std::exception& e) {
        FWindow.SetBusy(false);
        FPrompter.Error(e.what());
        return false;
    }
    if (!NewMCU) {
        FWindow.SetBusy(false);
        return false;
    }
    FHost.InstallGame(std::move(NewMCU), *GameClass);
    FWindow.SetBusy(false);
    return true;
}

bool TGameLoadingControl::DownloadGameROM(const TMCUClass& Game, std::string& Data) {
    Data.clear();
    std::string ErrorText;
    bool Downloaded = false;
    bool Cancelled = false;
    if (Options().ROMArchiveServer.empty()) {
        // Without a configured server nothing is requested.
        ErrorText = "No ROM archive server is configured (the setting ROMArchiveServer is empty).";
    } else {
        TROMDownload Download;
        Download.URL = Game.ROM_URL();
        Download.FileNameInArchive = Game.ROMFileNameInArchive();
        Download.SaveFolder = ProgramFolder();
        Download.Http.IgnoreCertificateErrors = Options().IgnoreCertificateErrors;
        std::string ROM;
        FTasks->RunTask("Downloading ROM...", [&](TTaskProgress& Progress) {
            Downloaded = DownloadROM(Download, Progress, ErrorText, ROM);
            Cancelled = Progress.Cancelled();
        });
        if (Downloaded) Data = std::move(ROM);
    }
    if (!Downloaded) {
        // A download the user stopped needs no error box; the open dialog follows.
        if (!Cancelled)
            FPrompter.Error("Error downloading ROM from the internet:\n" + ErrorText + "\n\n" + ROMHint(Game));
        return false;
    }
    // Kept as <short name>.rom in the program folder; a different file of that name is kept too.
    try {
        const std::filesystem::path Saved = WriteNewFile(ProgramFolder() / (Game.ShortGameName() + ".rom"), Data);
        FSettings.SetROMFile(Game.ShortGameName(), Saved.string());
    } catch (const std::exception& e) {
        // The image stays loaded in memory.
        FPrompter.Message(TMessageKind::Warning, e.what(), TMessageButtons::OK);
    }
    return true;
}

bool TGameLoadingControl::LoadGameFromMenu(const TMCUClass* GameClass) {
    if (!GameClass) return false;
    if (!CanCloseGame()) return false;
    if (!LoadGame(GameClass)) return false;
    FCheckedGame = GameClass;
    FStates.StatesChanged();
    return true;
}

void TGameLoadingControl::HandleCommandLine(const std::string& Argument) {
    if (Argument.empty()) return;
    if (const TMCUClass* Game = FindGameByShortName(Argument)) {
        LoadGameFromMenu(Game);
        return;
    }
    std::error_code ec;
    std::filesystem::path Path = std::filesystem::absolute(Argument, ec);
    if (ec) Path = Argument;
    const std::string Full = Path.lexically_normal().string();
    if (!std::filesystem::is_regular_file(Path, ec)) {
        FPrompter.Error(Format("Cannot find file \"%s\".", Full.c_str()));
        return;
    }
    if (ToLowerASCII(Path.extension().string()) == ".dbgsession") {
        if (OnOpenSession) OnOpenSession(Full);
        return;
    }
    if (!CanCloseGame()) return;
    if (LoadGame(&TSHARP_SM5A_MCU::Class, Full)) {
        FCheckedGame = &TSHARP_SM5A_MCU::Class;
        FStates.StatesChanged();
    }
}

bool TGameLoadingControl::CanCloseGame(bool lTerminating) {
    for (TCloseQuestion* Question : FCloseQuestions)
        if (!Question->MayCloseGame()) return false;
    if (FGame.IsLoaded() && !lTerminating) CloseGame();
    return true;
}

void TGameLoadingControl::CloseGame() {
    FCheckedGame = nullptr;
    FHost.RemoveGame();
}

} // namespace tarvolin
