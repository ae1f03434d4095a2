// printf-style formatting of the texts the program shows.
#pragma once

#include <string>

namespace tarvolin {

std::string Format(const char* Fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Hex2(unsigned Value); // "0A"
std::string Hex1(unsigned Value); // "A"
std::string ToLowerASCII(std::string Text);

// Text from outside (a token of a file, a file name) as a message may show it: control
// characters (C0, DEL and the C1 range, which terminals take as commands) written as \n, \r,
// \t or \xNN, and at most MaxBytes bytes of the text kept (cut at a character boundary and
// marked "... (N bytes)").
std::string PrintableText(const std::string& Text, size_t MaxBytes = 200);

} // namespace tarvolin
