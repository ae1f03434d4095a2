// The one way the program writes a file: the data goes to a unique temporary file in the
// target's folder, which is renamed over the target only when it is complete. A failed write
// (full disk, no permission) leaves the previous file as it was.
#pragma once

#include <filesystem>
#include <string_view>

namespace tarvolin {

// Writes Data as FileName. An existing target keeps its permissions; a new one gets those of
// a freshly created file. Throws std::runtime_error "Cannot write file \"<name>\": <reason>".
void WriteFileReplacing(const std::filesystem::path& FileName, std::string_view Data);

} // namespace tarvolin
