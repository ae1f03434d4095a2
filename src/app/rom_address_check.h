// The check of the ROM download addresses of the catalogue (a hidden aid for whoever keeps the
// ROM archive server): which addresses answer, and why the others do not.
#pragma once

#include <string>

#include "base/task_progress.h"
#include "net/http_client.h"

namespace tarvolin {

// True when URL answers with status 200; otherwise ErrorText says why ("HTTP status code:
// 404 ('Not Found')", "Cannot retrieve HTTP status code." or the failure of the request).
bool CheckURL(const std::string& URL, std::string& ErrorText, const THttpOptions& Options,
              TTaskProgress* Progress = nullptr);

// Tries the ROM_URL of the games that have their own ROM set, in catalogue order, and returns
// the text of the information box: the reachable addresses ("TMH06 - <url>"), a line feed,
// then the failing ones, each followed by CR LF, three spaces and the reason; "(none)" for an
// empty group. Stops early (listing the rest as cancelled) when Progress is cancelled.
std::string CheckROMDownloadAddresses(const THttpOptions& Options, TTaskProgress& Progress);

} // namespace tarvolin
