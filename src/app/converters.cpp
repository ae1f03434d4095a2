// "/DeLFSR" and "/DeJAVA": raw and text ROM dumps rewritten in step-counter order.
#include "app/converters.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "core/step_tables.h"
#include "base/safe_file.h"
#include "base/text_format.h"
#include "base/types.h"
#include "disasm/listing.h"

namespace tarvolin {

std::filesystem::path SeqFileName(const std::filesystem::path& Input) {
    std::filesystem::path p = Input;
    p.replace_extension(".seq");
    return p;
}

std::vector<uint8_t> DeLFSR(const std::vector<uint8_t>& Raw) { return ReorderPages(Raw.data(), Raw.size()); }

namespace {

// A whole number as the text ROM format writes them: decimal, or hexadecimal after "$",
// optionally signed, nothing after the digits. The value must fit 32 bits.
bool ParseToken(const std::string& Token, long long& Value) {
    size_t i = 0;
    while (i < Token.size() && (Token[i] == ' ' || Token[i] == '\t')) ++i;
    bool negative = false;
    if (i < Token.size() && (Token[i] == '+' || Token[i] == '-')) negative = Token[i++] == '-';
    int base = 10;
    if (i < Token.size() && Token[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < Token.size() && Token[i] == '0' && (Token[i + 1] == 'x' || Token[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= Token.size()) return false;
    long long v = 0;
    for (; i < Token.size(); ++i) {
        const char c = Token[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL) return false;
    }
    if (base == 10 && v > (negative ? 0x80000000LL : 0x7FFFFFFFLL)) return false;
    Value = negative ? -v : v;
    return true;
}

std::vector<uint8_t> ReadAll(const std::filesystem::path& Input) {
    try {
        const std::string Data = ReadFileBounded(Input, ConverterInputLimit);
        return std::vector<uint8_t>(Data.begin(), Data.end());
    } catch (const std::runtime_error& e) {
        throw EConversionError(e.what());
    }
}

std::filesystem::path WriteSeq(const std::filesystem::path& Input, const std::vector<uint8_t>& Data) {
    const std::filesystem::path Output = SeqFileName(Input);
    if (SameFile(Input, Output))
        throw EConversionError("The input \"" + Input.string() + "\" already has the extension .seq; its conversion would overwrite it");
    try {
        WriteFileReplacing(Output, std::string(Data.begin(), Data.end()));
    } catch (const std::runtime_error& e) {
        throw EConversionError(e.what());
    }
    return Output;
}

} // namespace

std::vector<uint8_t> DeJAVA(const std::string& Text, const std::string& SourceName) {
    std::vector<uint8_t> buffer(ROMSize, 0);
    size_t count = 0, start = 0;
    int tokenNo = 0;
    for (;;) {
        const size_t sep = Text.find(", ", start);
        const std::string token = Text.substr(start, sep == std::string::npos ? std::string::npos : sep - start);
        if (!token.empty()) {
            ++tokenNo;
            long long v = 0;
            if (!ParseToken(token, v))
                throw EConversionError(SourceName + ": value " + std::to_string(tokenNo) + ": '" + PrintableText(token, 64) +
                                       "' is not a valid integer value");
            if (count >= static_cast<size_t>(ROMSize))
                throw EConversionError(SourceName + ": more than " + std::to_string(ROMSize) +
                                       " values; a ROM holds " + std::to_string(ROMSize) + " bytes");
            buffer[count++] = static_cast<uint8_t>((static_cast<unsigned long long>(v) & 0xFF) ^ 0xFF);
        }
        if (sep == std::string::npos) break;
        start = sep + 2;
    }
    return ReorderPages(buffer.data(), buffer.size());
}

std::filesystem::path ConvertDeLFSRFile(const std::filesystem::path& Input) {
    const std::vector<uint8_t> raw = ReadAll(Input);
    return WriteSeq(Input, DeLFSR(raw));
}

std::filesystem::path ConvertDeJAVAFile(const std::filesystem::path& Input) {
    const std::vector<uint8_t> raw = ReadAll(Input);
    const std::string text(raw.begin(), raw.end());
    return WriteSeq(Input, DeJAVA(text, Input.string()));
}

namespace {

bool SameIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

} // namespace

bool RunCommandLineConversion(int argc, char** argv, int& ExitCode) {
    if (argc < 2 || !argv[1]) return false;
    const bool lfsr = SameIgnoringCase(argv[1], "/DeLFSR");
    const bool java = SameIgnoringCase(argv[1], "/DeJAVA");
    if (!lfsr && !java) return false;
    if (argc != 3 || !argv[2] || !*argv[2]) {
        std::cerr << "usage: " << (argc > 0 && argv[0] ? argv[0] : "tarvolin") << " " << (lfsr ? "/DeLFSR" : "/DeJAVA")
                  << " FILE\n";
        ExitCode = 2;
        return true;
    }
    try {
        const auto out = lfsr ? ConvertDeLFSRFile(argv[2]) : ConvertDeJAVAFile(argv[2]);
        std::cout << "Wrote " << out.string() << "\n";
        ExitCode = 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        ExitCode = 1;
    }
    return true;
}

} // namespace tarvolin
