// Opening documents, links and mail addresses with the desktop's application for them, and
// starting programs. Failures raise std::runtime_error with the shell failure texts, which
// reach the user through the window's error box.
#pragma once

#include <string>

namespace tarvolin {

// The desktop's "open" of a local file, a link or a "mailto:" address; the busy cursor shows
// meanwhile.
void OpenDocument(const std::string& FileName);
// Starts a program with its parameters (split at spaces) in its own process.
void ShellExecuteProgram(const std::string& FileName, const std::string& Parameters, int ShowCmd);
// Starts the program's own executable again, without parameters (after a change of the
// interface language); the caller then ends this run.
void RestartProgram();

} // namespace tarvolin
