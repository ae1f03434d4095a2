#include "app/ui/useful_links_dlg.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QVBoxLayout>

#include <string_view>

#include "app/rom_address_check.h"
#include "app/ui/link_label.h"
#include "base/interface_language.h"
#include "base/options.h"
#include "base/ui/shell_starter.h"
#include "debugger/prompter.h"
#include "debugger/task_runner.h"

namespace tarvolin {

namespace {

constexpr int LinksWidth = 760;
constexpr int RussianExtraWidth = 80;
const char* const HomePageText = QT_TRANSLATE_NOOP("tarvolin::TUsefulLinksDlg", "Home page of this debugger");

QString HomePage() {
    QString Server = QString::fromStdString(Options().UpdateServer);
    if (Server.isEmpty()) return {};
    if (!Server.endsWith('/')) Server += '/';
    return Server + "Tarvolin/";
}

} // namespace

const std::vector<TUsefulLink>& UsefulLinks() {
    // Documents whose copies move around are found through a search of the Internet Archive.
    static const std::vector<TUsefulLink> Links = {
        // The descriptions are marked for translation and shown with tr().
        {QT_TRANSLATE_NOOP("tarvolin::TUsefulLinksDlg", "SHARP SM-5A Datasheet"),
         "https://archive.org/search?query=Sharp+SM-5A+microcomputer"},
        {QT_TRANSLATE_NOOP("tarvolin::TUsefulLinksDlg", "SHARP Semiconductor Data Book (1986)"),
         "https://archive.org/search?query=Sharp+Semiconductor+Data+Book+1986"},
        {QT_TRANSLATE_NOOP("tarvolin::TUsefulLinksDlg",
                           "Однокристальные ЭВМ серии КБ1013 (error-fixed transcription of an article from the "
                           "magazine below)"),
         "https://archive.org/search?query=КБ1013"},
        {QT_TRANSLATE_NOOP("tarvolin::TUsefulLinksDlg",
                           "\"Микропроцессорные средства и системы №5, 1987\" magazine (pages 5-18)"),
         "https://archive.org/search?query=Микропроцессорные+средства+и+системы+1987"},
        {QT_TRANSLATE_NOOP("tarvolin::TUsefulLinksDlg",
                           "КБ1013ВК1-2 chip decapped and scanned in high resolution - 24565 x 19999 pixels (use the "
                           "button Скачать)"),
         "https://www.google.com/search?q=КБ1013ВК1-2+decapped"},
        {QT_TRANSLATE_NOOP("tarvolin::TUsefulLinksDlg",
                           "MAME - multi-purpose emulation framework for Windows / Mac OS / Linux (emulates many "
                           "vintage handheld games)"),
         "https://www.mamedev.org/"},
        {QT_TRANSLATE_NOOP("tarvolin::TUsefulLinksDlg",
                           "Emulators of the Elektronika handheld games for Android (their authors are named on each "
                           "app's page)"),
         "https://play.google.com/store/search?q=Elektronika%20IM&c=apps"},
        {QT_TRANSLATE_NOOP("tarvolin::TUsefulLinksDlg",
                           "Emulators of the Elektronika handheld games for iOS (their authors are named on each app's "
                           "page)"),
         "https://www.google.com/search?q=Elektronika+handheld+game+emulator+iOS+App+Store"},
        {HomePageText, ""},
    };
    return Links;
}

TUsefulLinksDlg::TUsefulLinksDlg(TPrompter& Prompter, TTaskRunner& Tasks, QWidget* Parent)
    : QDialog(Parent), FPrompter(Prompter), FTasks(Tasks) {
    setWindowTitle(tr("Useful Links"));
    setModal(true);
    FMenu = new QMenu(this);
    QAction* Copy = FMenu->addAction(tr("&Copy link"));
    connect(Copy, &QAction::triggered, this, [] {
        if (TLinkLabel* Link = TLinkLabel::LinkUnderMenu()) QGuiApplication::clipboard()->setText(Link->text());
    });

    auto* Layout = new QVBoxLayout(this);
    Layout->setSpacing(1);
    for (const TUsefulLink& Entry : UsefulLinks()) {
        const QString Description = tr(Entry.Description);
        QLabel* Label = nullptr;
        if (std::string_view(Entry.Description) == HomePageText) {
            FHome = new TDoubleClickLabel(Description, this);
            FHome->OnDoubleClick = [this](Qt::KeyboardModifiers Modifiers) {
                if (ShiftAndCtrlHeld(Modifiers)) CheckROMAddresses();
            };
            Label = FHome;
        } else {
            Label = new QLabel(Description, this);
        }
        Label->setWordWrap(true);
        const QString Address = *Entry.Link ? QString::fromUtf8(Entry.Link) : HomePage();
        auto* Link = new TLinkLabel(
            Address.isEmpty() ? tr("no home page configured (the setting UpdateServer is empty)") : Address, this);
        Link->setTextInteractionFlags(Qt::NoTextInteraction);
        if (Address.isEmpty()) {
            Link->setEnabled(false);
            Link->setCursor(Qt::ArrowCursor);
        } else {
            Link->SetPopupMenu(FMenu);
            Link->OnClick = [this](const QString& Text) {
                try {
                    OpenDocument(Text.toStdString());
                } catch (const std::exception& e) {
                    FPrompter.Error(e.what());
                }
            };
        }
        FLinks.push_back(Link);
        Layout->addWidget(Label);
        Layout->addWidget(Link);
        Layout->addSpacing(8);
    }
    const int Width = LinksWidth + (RussianUIActive() ? RussianExtraWidth : 0);
    // Wrapped descriptions need the height that the fixed width gives them.
    setFixedWidth(Width);
    setFixedHeight(Layout->totalHeightForWidth(Width));
}

void TUsefulLinksDlg::CheckROMAddresses() {
    std::string Text;
    THttpOptions Http;
    Http.IgnoreCertificateErrors = Options().IgnoreCertificateErrors;
    try {
        FTasks.RunTask(tr("Checking ROM download addresses...").toStdString(),
                       [&](TTaskProgress& Progress) { Text = CheckROMDownloadAddresses(Http, Progress); });
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
        return;
    }
    FPrompter.Information(Text);
}

} // namespace tarvolin
