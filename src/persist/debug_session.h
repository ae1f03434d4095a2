// A debug session file: the 7-byte signature "Vornmix", a container version, then one block
// per registered writer in registration order. The session knows its file name and whether
// the state it stands for changed since it was last written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tarvolin {

extern const char* const DebugSessionSignature;          // "Vornmix"
extern const char* const InvalidSessionSignatureText;    // "Error loading debug session - invalid signature."
constexpr int32_t DebugSessionContainerVersion = 1;
// The largest session file read: the 20 MB sound buffer and room to spare for the rest.
constexpr uint64_t DebugSessionFileLimit = 64u << 20;

class TDebugSession {
public:
    using TLoadMethod = std::function<void(std::istream&)>;
    using TSaveMethod = std::function<void(std::ostream&)>;

    const std::string& FileName() const { return FFileName; }
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    void RegisterStreamMethods(TLoadMethod LoadMethod, TSaveMethod SaveMethod);

    // Reads the file: signature, container version and, for version 1 or more, every
    // registered reader in order. The file name is taken only when all of it was read.
    // Throws EStreamError (or the readers' errors); a missing file is reported by name.
    void Open(const std::filesystem::path& FileName);
    // Writes the whole file through a temporary file renamed over the target, then clears
    // Modified. A failure leaves the previous file as it was and Modified as it was.
    void Save();
    // Save under another name; the name is kept only when the file was written.
    void SaveAs(const std::filesystem::path& FileName);

    // The bytes Save writes.
    std::string SaveToString() const;
    // Reads a session from a stream (signature, version, readers).
    void LoadFromStream(std::istream& S) const;

private:
    std::string FFileName;
    bool FModified = false;
    std::vector<TLoadMethod> FLoadFromStreamMethods;
    std::vector<TSaveMethod> FSaveToStreamMethods;
};

} // namespace tarvolin
