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
#include "base/text_format.h"
#include "base/translate.h"
#include "debugger/input.h"
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
    if (!Quietly) FPrompter.Error(Format(Tr("GameLoading", "Unrecognized game: '%s'.").c_str(), ShortName.c_str()));
    return nullptr;
}

namespace {

// A zip archive larger than this is refused before it is read: ROM sets are a few kilobytes.
constexpr uint64_t ZipArchiveLimit = 16u << 20;

std::string ROMHint(const TMCUClass& Game) {
    const std::string Stem = std::filesystem::path(Game.ROMFileName()).stem().string();
    return Format(Tr("GameLoading", "Hint:\nSearch Google for \"%s\" and unpack \"%s\" from the archive.").c_str(),
                  Stem.c_str(), Game.ROMFileNameInArchive().c_str());
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
    try {
        if (IsZipFileName(FileName)) {
            const std::string Archive = ReadFileBounded(FileName, ZipArchiveLimit);
            try {
                Data = ReadZipEntry(Archive, Game.ROMFileNameInArchive(), TZipEntryChoice::NamedElseFirst);
            } catch (const EZipError& e) {
                FPrompter.Error(Format(Tr("GameLoading", "Cannot read \"%s\": %s").c_str(), FileName.c_str(), e.what()));
                return false;
            }
            Size = Data.size();
            return true;
        }
        // A folder, named pipe or device is refused before it is opened, so nothing blocks.
        Data = ReadFilePrefix(FileName, ROMSize, Size);
    } catch (const std::runtime_error& e) {
        Data.clear();
        FPrompter.Error(e.what());
        return false;
    }
    return true;
}

bool TGameLoadingControl::LoadGame(const TMCUClass* GameClass, const std::string& FileName) {
    if (FGame.IsLoaded() && GameClass) {
        if (!FPrompter.Confirm(
                Format(Tr("GameLoading", "Are you sure you want to load the debugger with %s?").c_str(),
                       GameClass->GameName().c_str())))
            return false;
    }
    if (!GameClass) return false;
    std::optional<TObtainedROM> ROM = ObtainROM(*GameClass, FileName);
    return ROM && InstallROM(*ROM);
}

std::optional<TObtainedROM> TGameLoadingControl::ObtainROM(const TMCUClass& GameClass, const std::string& FileName) {
    TFileDialog OpenDialog;
    OpenDialog.Title = Format(Tr("GameLoading", "%s - Select ROM file").c_str(), GameClass.GameName().c_str());
    OpenDialog.Filter = Tr("GameLoading", "All files (*.*)") + "|*.*";
    OpenDialog.MustExist = true;

    TObtainedROM ROM;
    ROM.Class = &GameClass;
    uint64_t Size = 0;
    auto RememberFor = [&](const std::string& Name) {
        std::error_code ec;
        auto Absolute = std::filesystem::absolute(Name, ec);
        FSettings.SetROMFile(GameClass.ShortGameName(), ec ? Name : Absolute.string());
    };
    if (GameClass.IsCustomGame()) {
        // The custom game's file is never remembered.
        std::string Name = FileName;
        if (Name.empty() && !FPrompter.OpenFile(OpenDialog, Name)) return std::nullopt;
        if (!Name.empty()) {
            if (!ReadROMFile(Name, GameClass, ROM.Data, Size)) return std::nullopt;
            ROM.SourceFile = Name;
        }
    } else if (!FileName.empty()) {
        // A file named by the caller (a recent ROM) is used as if it had been chosen.
        if (!ReadROMFile(FileName, GameClass, ROM.Data, Size)) return std::nullopt;
        ROM.SourceFile = FileName;
        RememberFor(FileName);
    } else {
        bool Ask = true;
        const std::string Remembered = FSettings.ROMFile(GameClass.ShortGameName());
        std::error_code ec;
        if (!Remembered.empty() && std::filesystem::is_regular_file(Remembered, ec)) {
            if (!ReadROMFile(Remembered, GameClass, ROM.Data, Size)) return std::nullopt;
            ROM.SourceFile = Remembered;
        }
        if (ROM.Data.empty()) {
            if (Options().TestingMode && !GameClass.ROM_URL().empty()) {
                // A failed download leaves Ask as it is: the open dialog follows.
                if (DownloadGameROM(GameClass, ROM.Data, ROM.SourceFile)) Size = ROM.Data.size();
            } else if (!GameClass.ROMFileName().empty()) {
                const std::string Text = Format(Tr("GameLoading", "You need to supply the ROM file...\n\n%s").c_str(),
                                                ROMHint(GameClass).c_str());
                Ask = FPrompter.Message(TMessageKind::Warning, Text, TMessageButtons::OKCancel) == TMessageResult::OK;
            }
        }
        if (ROM.Data.empty() && Ask) {
            std::string Name;
            if (FPrompter.OpenFile(OpenDialog, Name)) {
                if (!ReadROMFile(Name, GameClass, ROM.Data, Size)) return std::nullopt;
                ROM.SourceFile = Name;
                RememberFor(Name);
            }
        }
    }

    if (ROM.Data.empty()) {
        // A chosen file that holds nothing is reported instead of being ignored silently.
        if (!ROM.SourceFile.empty())
            FPrompter.Error(Format(Tr("GameLoading", "The file \"%s\" is empty.").c_str(), ROM.SourceFile.c_str()));
        return std::nullopt;
    }
    if (Size != uint64_t(ROMSize)) {
        const std::string Question = Format(
            Tr("GameLoading", "Unexpected data size: %u bytes\nThis is probably not a valid SHARP SM-5A ROM data.\n\n"
                              "Are you sure you want to continue loading the data?")
                .c_str(),
            static_cast<unsigned>(std::min<uint64_t>(Size, 0xFFFFFFFFu)));
        if (FPrompter.Message(TMessageKind::Warning, Question, TMessageButtons::YesNo) != TMessageResult::Yes)
            return std::nullopt;
    }
    return ROM;
}

bool TGameLoadingControl::InstallROM(const TObtainedROM& ROM) {
    if (!ROM.Class) return false;
    FWindow.SetBusy(true);
    std::unique_ptr<TSHARP_SM5A_MCU> NewMCU;
    try {
        std::istringstream Stream(ROM.Data);
        NewMCU = ROM.Class->Create(&Stream);
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
    FHost.InstallGame(std::move(NewMCU), *ROM.Class);
    FGame.ROMFile = ROM.SourceFile;
    FWindow.SetBusy(false);
    if (!ROM.SourceFile.empty()) AddRecentROM(*ROM.Class, ROM.SourceFile);
    return true;
}

bool TGameLoadingControl::DownloadGameROM(const TMCUClass& Game, std::string& Data, std::string& SavedFile) {
    Data.clear();
    SavedFile.clear();
    std::string ErrorText;
    bool Downloaded = false;
    bool Cancelled = false;
    if (Options().ROMArchiveServer.empty()) {
        // Without a configured server nothing is requested.
        ErrorText = Tr("GameLoading", "No ROM archive server is configured (the setting ROMArchiveServer is empty).");
    } else {
        TROMDownload Download;
        Download.URL = Game.ROM_URL();
        Download.FileNameInArchive = Game.ROMFileNameInArchive();
        Download.SaveFolder = ProgramFolder();
        Download.Http.IgnoreCertificateErrors = Options().IgnoreCertificateErrors;
        std::string ROM;
        FTasks->RunTask(Tr("GameLoading", "Downloading ROM..."), [&](TTaskProgress& Progress) {
            Downloaded = DownloadROM(Download, Progress, ErrorText, ROM);
            Cancelled = Progress.Cancelled();
        });
        if (Downloaded) Data = std::move(ROM);
    }
    if (!Downloaded) {
        // A download the user stopped needs no error box; the open dialog follows.
        if (!Cancelled)
            FPrompter.Error(Format(Tr("GameLoading", "Error downloading ROM from the internet:\n%s\n\n%s").c_str(),
                                   ErrorText.c_str(), ROMHint(Game).c_str()));
        return false;
    }
    // Kept as <short name>.rom in the program folder; a different file of that name is kept too.
    try {
        const std::filesystem::path Saved = WriteNewFile(ProgramFolder() / (Game.ShortGameName() + ".rom"), Data);
        FSettings.SetROMFile(Game.ShortGameName(), Saved.string());
        SavedFile = Saved.string();
    } catch (const std::exception& e) {
        // The image stays loaded in memory.
        FPrompter.Message(TMessageKind::Warning, e.what(), TMessageButtons::OK);
    }
    return true;
}

bool TGameLoadingControl::LoadGameFromMenu(const TMCUClass* GameClass, const std::string& FileName) {
    if (!GameClass) return false;
    // The ROM first: a cancelled dialog or question leaves the current game as it was.
    std::optional<TObtainedROM> ROM = ObtainROM(*GameClass, FileName);
    if (!ROM) return false;
    if (!CanCloseGame()) return false;
    if (!InstallROM(*ROM)) {
        FStates.StatesChanged();
        return false;
    }
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
    if (!std::filesystem::exists(std::filesystem::symlink_status(Path, ec)) || !std::filesystem::exists(Path, ec)) {
        FPrompter.Error(Format(Tr("GameLoading", "Cannot find file \"%s\".").c_str(), Full.c_str()));
        return;
    }
    // Something that is there but no file (a folder, a named pipe, a device) says what it is.
    if (const std::string Reason = NotAFileReason(Path); !Reason.empty()) {
        FPrompter.Error(Format(Tr("GameLoading", "Cannot open \"%s\": %s.").c_str(), Full.c_str(), Reason.c_str()));
        return;
    }
    if (ToLowerASCII(Path.extension().string()) == ".dbgsession") {
        if (OnOpenSession) OnOpenSession(Full);
        return;
    }
    LoadGameFromMenu(&TSHARP_SM5A_MCU::Class, Full);
}

// ---- recent ROMs ----

namespace {

constexpr size_t RecentCaptionFileLength = 60; // characters of a path shown in the menu

// A long path keeps its beginning and its end (the file name), in whole UTF-8 characters.
std::string ElidePath(const std::string& Path) {
    std::vector<size_t> Starts; // byte offsets of the characters
    for (size_t i = 0; i < Path.size(); ++i)
        if ((static_cast<unsigned char>(Path[i]) & 0xC0) != 0x80) Starts.push_back(i);
    if (Starts.size() <= RecentCaptionFileLength) return Path;
    const size_t Head = RecentCaptionFileLength / 3, Tail = RecentCaptionFileLength - Head - 3;
    return Path.substr(0, Starts[Head]) + "..." + Path.substr(Starts[Starts.size() - Tail]);
}

std::string DoubleAmpersands(const std::string& Text) {
    std::string r;
    for (char c : Text) {
        r += c;
        if (c == '&') r += '&';
    }
    return r;
}

} // namespace

std::vector<TRecentROMEntry> TGameLoadingControl::RecentROMs() const {
    std::vector<TRecentROMEntry> r;
    for (const TRecentROM& e : FSettings.RecentROMs()) {
        TRecentROMEntry Entry;
        Entry.Class = FindGameClassByShortName(e.Game, true);
        Entry.File = e.File;
        const std::string Game = Entry.Class ? Entry.Class->GameName() : e.Game;
        Entry.Caption = Format("&%u %s - %s", static_cast<unsigned>(r.size() + 1), DoubleAmpersands(Game).c_str(),
                               DoubleAmpersands(ElidePath(e.File)).c_str());
        r.push_back(std::move(Entry));
    }
    return r;
}

bool TGameLoadingControl::LoadRecentROM(size_t Index) {
    const std::vector<TRecentROMEntry> Entries = RecentROMs();
    if (Index >= Entries.size()) return false;
    const TRecentROMEntry& e = Entries[Index];
    std::error_code ec;
    if (e.Class && std::filesystem::exists(e.File, ec)) {
        if (const std::string Reason = NotAFileReason(e.File); !Reason.empty()) {
            FPrompter.Error(Format(Tr("GameLoading", "Cannot open \"%s\": %s.").c_str(), e.File.c_str(), Reason.c_str()));
            return false;
        }
    }
    if (!e.Class || !std::filesystem::is_regular_file(e.File, ec)) {
        FPrompter.Error(e.Class ? Format(Tr("GameLoading", "Cannot find file \"%s\".").c_str(), e.File.c_str())
                                : Format(Tr("GameLoading", "Unrecognized game: '%s'.").c_str(),
                                         FSettings.RecentROMs()[Index].Game.c_str()));
        FSettings.RemoveRecentROM(Index);
        return false;
    }
    return LoadGameFromMenu(e.Class, e.File);
}

void TGameLoadingControl::ClearRecentROMs() { FSettings.ClearRecentROMs(); }

void TGameLoadingControl::AddRecentROM(const TMCUClass& Game, const std::string& File) {
    std::error_code ec;
    const std::filesystem::path Absolute = std::filesystem::absolute(File, ec);
    FSettings.AddRecentROM(Game.ShortGameName(), ec ? File : Absolute.lexically_normal().string());
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
