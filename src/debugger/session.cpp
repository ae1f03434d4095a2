#include "debugger/session.h"

#include "base/translate.h"

namespace tarvolin {

bool TSessionControl::MayCloseGame() {
    if (!IsSessionModified()) return true;
    const TMessageResult r = FPrompter.Message(
        TMessageKind::Warning, Tr("Session", "This debug session was modified.\nDo you want to SAVE it?"),
        TMessageButtons::YesNoCancel);
    if (r == TMessageResult::Cancel) return false;
    if (r == TMessageResult::Yes && (!OnSaveSession || !OnSaveSession())) return false;
    return true;
}

} // namespace tarvolin
