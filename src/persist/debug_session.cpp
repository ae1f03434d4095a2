#include "persist/debug_session.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/errors.h"
#include "base/text_format.h"
#include "base/safe_file.h"
#include "persist/stream.h"

namespace tarvolin {

const char* const DebugSessionSignature = "Vornmix";
const char* const InvalidSessionSignatureText = TR_NOOP("Stream", "Error loading debug session - invalid signature.");

void TDebugSession::RegisterStreamMethods(TLoadMethod LoadMethod, TSaveMethod SaveMethod) {
    FLoadFromStreamMethods.push_back(std::move(LoadMethod));
    FSaveToStreamMethods.push_back(std::move(SaveMethod));
}

void TDebugSession::LoadFromStream(std::istream& S) const {
    char Signature[7];
    S.read(Signature, sizeof Signature);
    if (S.gcount() != sizeof Signature || std::memcmp(Signature, DebugSessionSignature, sizeof Signature) != 0)
        throw EStreamError(TrStream(InvalidSessionSignatureText));
    if (ReadInt32(S) < 1) return;
    for (const TLoadMethod& Load : FLoadFromStreamMethods)
        if (Load) Load(S);
}

void TDebugSession::Open(const std::filesystem::path& FileName) {
    // A session holds at most the 20 MB sound buffer and a few kilobytes besides; a larger
    // file, a folder or a named pipe is refused before it is read.
    std::string Bytes;
    try {
        Bytes = ReadFileBounded(FileName, DebugSessionFileLimit);
    } catch (const std::runtime_error& e) {
        throw EStreamError(e.what());
    }
    std::istringstream File(std::move(Bytes));
    LoadFromStream(File);
    FFileName = FileName.string();
}

std::string TDebugSession::SaveToString() const {
    std::ostringstream S;
    WriteBytes(S, DebugSessionSignature, 7);
    WriteInt32(S, DebugSessionContainerVersion);
    for (const TSaveMethod& Save : FSaveToStreamMethods)
        if (Save) Save(S);
    return std::move(S).str();
}

void TDebugSession::Save() {
    WriteFileReplacing(FFileName, SaveToString());
    FModified = false;
}

void TDebugSession::SaveAs(const std::filesystem::path& FileName) {
    WriteFileReplacing(FileName, SaveToString());
    FFileName = FileName.string();
    FModified = false;
}

} // namespace tarvolin
