// The two command-line ROM conversions. Both write a ".seq" file next to the input: the
// bytes of every 64-byte page put in the order in which the chip's step counter visits
// them, so that a dump reads as straight-line code.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvolin {

// A conversion that could not be done; the message names the file and the reason.
class EConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest input a conversion reads: a ROM dump is 1856 bytes and its text form a few
// dozen kilobytes, so a file past one megabyte is no ROM; it is refused with its size before
// it is read.
constexpr uint64_t ConverterInputLimit = 1u << 20;

// The output file of a conversion: the input path with its extension replaced by ".seq".
std::filesystem::path SeqFileName(const std::filesystem::path& Input);

// Reorders a raw dump of any length, page by page. A final partial page is reordered for
// the positions it has; sources past the end of the data read as zero.
std::vector<uint8_t> DeLFSR(const std::vector<uint8_t>& Raw);

// Parses the text of a ROM given as a list of byte values separated by ", " and stored
// inverted, into a 1856-byte chip-order buffer (unfilled bytes zero) and reorders it.
// A token that is not a number, or more than 1856 values, is an EConversionError
// (SourceName names the text in messages).
std::vector<uint8_t> DeJAVA(const std::string& Text, const std::string& SourceName);

// Reads Input, converts it and writes the ".seq" file (through a temporary file renamed
// over the target). Returns the path written. Throws EConversionError.
std::filesystem::path ConvertDeLFSRFile(const std::filesystem::path& Input);
std::filesystem::path ConvertDeJAVAFile(const std::filesystem::path& Input);

// The program's command line: when argv[1] is "/DeLFSR" or "/DeJAVA" (in any letter case)
// runs that conversion on argv[2], reports errors on standard error, sets ExitCode
// (0 done, 1 failed, 2 bad arguments) and returns true; otherwise returns false.
bool RunCommandLineConversion(int argc, char** argv, int& ExitCode);

} // namespace tarvolin
