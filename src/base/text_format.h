// printf-style formatting of the texts the program shows.
#pragma once

#include <string>

namespace tarvolin {

std::string Format(const char* Fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Hex2(unsigned Value); // "0A"
std::string Hex1(unsigned Value); // "A"
std::string ToLowerASCII(std::string Text);

} // namespace tarvolin
