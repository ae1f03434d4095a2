// An HTTP GET over libcurl: the status code and its text, the raw headers of the final
// response and the body, read in chunks of 32 KiB. Only http and https are spoken, also on
// redirects; the body is bounded; every wait has a time limit; a caller on another thread
// can stop the transfer through its progress object.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "base/task_progress.h"

namespace tarvolin {

// The request could not be made or was broken off (no connection, a name that does not
// resolve, a certificate that does not check out, a time limit, a truncated or oversized
// body, the user's cancel). The message says what happened.
class EHttpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:109.0) Gecko/20100101 Firefox/111.0": what the
// ROM downloads and the address check send; servers of ROM archives answer browsers.
extern const char* const BrowserUserAgent;
// The message of a request that the user cancelled (English; Tr("Download", ...) translates it).
extern const char* const RequestCancelledText;

struct THttpOptions {
    std::string UserAgent = BrowserUserAgent;
    long ConnectTimeoutSeconds = 20;
    // The whole transfer (0 = no limit) and the longest stretch without a single byte.
    long TotalTimeoutSeconds = 300;
    long StallTimeoutSeconds = 30;
    // A body larger than this ends the request with an error, or, with TruncateBody, ends the
    // reading at the bound (the response then has Truncated set).
    uint64_t MaxBodyBytes = 8u << 20;
    bool TruncateBody = false;
    int MaxRedirects = 10;
    bool IgnoreCertificateErrors = false;
};

struct THttpResponse {
    long StatusCode = 0;     // 0 when the server sent no readable status
    std::string StatusText;  // "Not Found"; the usual text of the code when the server sent none
    std::string RawHeaders;  // the final response's header lines, each ending in CR LF
    std::string Body;        // read only for status 200
    bool Truncated = false;
};

// GETs URL without any cache. Progress (may be null) hears the bytes received and is asked
// whether to stop. Throws EHttpError.
THttpResponse HttpGet(const std::string& URL, const THttpOptions& Options, TTaskProgress* Progress = nullptr);

// The part of a status line after the code ("HTTP/1.1 404 Not Found" -> "Not Found"), and the
// usual reason text of a code when a server (HTTP/2) sends none.
std::string StatusTextOfLine(const std::string& StatusLine);
std::string UsualStatusText(long Code);

} // namespace tarvolin
