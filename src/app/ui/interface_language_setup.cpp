#include "app/ui/interface_language_setup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "base/interface_language.h"
#include "base/program_folder.h"
#include "base/translate.h"
#include "persist/language_choice.h"

namespace tarvolin {

namespace {

std::string QtTranslate(const char* Context, const char* SourceText) {
    return QCoreApplication::translate(Context, SourceText).toStdString();
}

} // namespace

bool SetUpInterfaceLanguage(const TSettingsStore& Store) {
    SetRussianUIActive(false);
    if (!RussianChosenFor(Store, ExecutablePath().string())) return false;
    // The program's own Russian texts, built into the program.
    auto* Texts = new QTranslator(QCoreApplication::instance());
    if (!Texts->load(":/i18n/tarvolin_ru.qm") || !QCoreApplication::installTranslator(Texts)) {
        delete Texts;
        return false;
    }
    // Qt's own texts (standard buttons, file dialogs) where the system has them.
    auto* QtTexts = new QTranslator(QCoreApplication::instance());
    if (QtTexts->load(QLocale(QLocale::Russian), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(QtTexts);
    else
        delete QtTexts;
    SetTranslator(&QtTranslate);
    SetRussianUIActive(true);
    return true;
}

} // namespace tarvolin
