#include "base/translate.h"

namespace tarvolin {

namespace {
TTranslator Installed = nullptr;
}

void SetTranslator(TTranslator Translator) { Installed = Translator; }

std::string Tr(const char* Context, const char* SourceText) {
    if (Installed) return Installed(Context, SourceText);
    return SourceText;
}

std::string TrFor(TTextUse Use, const char* Context, const char* SourceText) {
    return Use == TTextUse::Shown ? Tr(Context, SourceText) : std::string(SourceText);
}

} // namespace tarvolin
