// Little-endian value encoders shared by every stored block (user data, debug sessions).
// Readers check each count and size against what the stream still holds before they
// allocate, and raise EStreamError on a short read or an oversized block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "base/translate.h"

namespace tarvolin {

// Texts of the stream errors.
// A text of stored data's failures in the interface language.
inline std::string TrStream(const char* Text) { return Tr("Stream", Text); }

extern const char* const StreamReadErrorText;     // "Stream read error"
extern const char* const StreamWriteErrorText;    // "Stream write error"
extern const char* const StreamBlockTooLargeText; // "Stream error! Contains more data than expected."
extern const char* const StreamNegativeCountText; // "Stream error! A stored count is negative (%d)."
extern const char* const StreamCountTooLargeText; // "Stream error! A stored count (%d) needs more data than is left."

void WriteInt32(std::ostream& S, int32_t Value);
void WriteUInt32(std::ostream& S, uint32_t Value);
void WriteWord(std::ostream& S, uint16_t Value);
void WriteByte(std::ostream& S, uint8_t Value);
void WriteBool(std::ostream& S, bool Value);
// int32 count of UTF-16 code units, then the units (UTF-16LE). The UTF-8 overload
// converts first; unpaired surrogates survive a round trip (they are kept in WTF-8 form).
void WriteString(std::ostream& S, const std::string& Utf8);
void WriteUTF16String(std::ostream& S, const std::u16string& Value);
// int32 count, then the values.
void WriteIntegerList(std::ostream& S, const std::vector<int32_t>& Values);
// int32 size, then the bytes.
void WriteSizedBlock(std::ostream& S, const void* Data, int32_t Size);
void WriteBytes(std::ostream& S, const void* Data, size_t Size);

int32_t ReadInt32(std::istream& S);
uint32_t ReadUInt32(std::istream& S);
uint16_t ReadWord(std::istream& S);
uint8_t ReadByte(std::istream& S);
bool ReadBool(std::istream& S);          // any non-zero byte is true
std::string ReadString(std::istream& S); // UTF-8 (WTF-8 for unpaired surrogates)
std::u16string ReadUTF16String(std::istream& S);
// Appends the stored values to Target.
void ReadIntegerList(std::istream& S, std::vector<int32_t>& Target);
// Reads a sized block into a target of Capacity bytes; returns the number of bytes stored
// (0 for a stored size of 0 or less). A stored size above Capacity raises
// "Stream error! Contains more data than expected."; bytes beyond the stored size are untouched.
int32_t ReadSizedBlock(std::istream& S, void* Target, size_t Capacity);
// An int32 count of items that take at least MinItemSize bytes each. A negative count, or one
// that the rest of a stream of known size cannot hold, raises EStreamError before anything
// is allocated for it.
int32_t ReadCount(std::istream& S, size_t MinItemSize);
// Exactly Size bytes, or EStreamError.
void ReadBytes(std::istream& S, void* Target, size_t Size);

// Bytes left between the read position and the end of a seekable stream; SIZE_MAX when
// the stream cannot tell.
size_t RemainingBytes(std::istream& S);

// UTF-8 <-> UTF-16 conversion used by the string primitives.
std::u16string Utf8ToUtf16(const std::string& Utf8);
std::string Utf16ToUtf8(const std::u16string& Utf16);

} // namespace tarvolin
