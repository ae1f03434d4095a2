// The one way the program writes files: the bytes go to a unique temporary file in the
// target's folder, which is renamed onto the target only when it is complete, so a failed
// write (full disk, no permission) never leaves a truncated or half-replaced file behind.
#pragma once

#include <filesystem>
#include <string_view>

namespace tarvolin {

// Writes Data as FileName, replacing an existing file as a whole. Throws std::runtime_error
// ("Cannot write file "<FileName>": <reason>"); the target is then left as it was.
void WriteFileReplacing(const std::filesystem::path& FileName, std::string_view Data);

// Writes Data as a new file and never replaces one: FileName when no such file exists, else
// the first free "<stem> (2)<ext>", "<stem> (3)<ext>", ... in the same folder. A file of one of
// these names that already holds exactly Data is taken as it is. Returns the path that holds
// Data. Throws std::runtime_error like WriteFileReplacing.
std::filesystem::path WriteNewFile(const std::filesystem::path& FileName, std::string_view Data);

} // namespace tarvolin
