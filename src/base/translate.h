// The interface texts in the interface language. The English texts are built in; the desktop
// program installs the translation of the chosen language at start, so code without Qt
// translates through this one function. The headless tool installs nothing and speaks English.
//
// A text is known by its context (the part of the program that shows it) and its English
// text; the translation tools find both in Tr and TR_NOOP calls, whose arguments must be
// string literals.
#pragma once

#include <string>

namespace tarvolin {

// Marks a text for translation where it is kept (a table); Tr translates it where it is shown.
#define TR_NOOP(Context, Text) Text

using TTranslator = std::string (*)(const char* Context, const char* SourceText);

// Installs the translator (nullptr: English).
void SetTranslator(TTranslator Translator);
// SourceText in the interface language; SourceText itself when no translation is known.
std::string Tr(const char* Context, const char* SourceText);

// Where a text goes: what the window shows is in the interface language; what the program
// writes into files (listings, traces, sessions) stays English whatever the interface speaks.
enum class TTextUse { Shown, Written };
// A text marked with TR_NOOP in Context: translated when Shown, as it is when Written.
std::string TrFor(TTextUse Use, const char* Context, const char* SourceText);

} // namespace tarvolin
