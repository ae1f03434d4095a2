#include "net/http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>

#include "base/text_format.h"
#include "base/translate.h"

namespace tarvolin {

const char* const BrowserUserAgent = "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:109.0) Gecko/20100101 Firefox/111.0";
const char* const RequestCancelledText = TR_NOOP("Download", "The request was cancelled.");

namespace {

// Bytes handed over per read of the body.
constexpr long ChunkSize = 32768;

void InitCurlOnce() {
    static std::once_flag Once;
    std::call_once(Once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TEasyCloser {
    void operator()(CURL* C) const { curl_easy_cleanup(C); }
};
struct TListCloser {
    void operator()(curl_slist* L) const { curl_slist_free_all(L); }
};

struct TTransfer {
    CURL* Curl = nullptr;
    THttpResponse* Response = nullptr;
    const THttpOptions* Options = nullptr;
    TTaskProgress* Progress = nullptr;
    bool NotOK = false;     // the final status is not 200: the body is not wanted
    bool Truncated = false; // the bound was reached and the options allow cutting the body
    bool TooLarge = false;
    bool Cancelled = false;
};

bool StartsWithNoCase(const std::string& Text, const char* Prefix) {
    for (size_t i = 0; Prefix[i]; ++i)
        if (i >= Text.size() || std::tolower(static_cast<unsigned char>(Text[i])) != Prefix[i]) return false;
    return true;
}

size_t OnHeader(char* Data, size_t Size, size_t Count, void* User) {
    auto* T = static_cast<TTransfer*>(User);
    const size_t n = Size * Count;
    std::string Line(Data, n);
    if (Line.rfind("HTTP/", 0) == 0) {
        // A new response begins (after a redirect): only the last one's headers count.
        T->Response->RawHeaders.clear();
        std::string Trimmed = Line;
        while (!Trimmed.empty() && (Trimmed.back() == '\r' || Trimmed.back() == '\n')) Trimmed.pop_back();
        T->Response->StatusText = StatusTextOfLine(Trimmed);
    }
    if (Line == "\r\n" || Line == "\n") return n; // the blank line that ends the headers
    while (!Line.empty() && (Line.back() == '\r' || Line.back() == '\n')) Line.pop_back();
    T->Response->RawHeaders += Line + "\r\n";
    return n;
}

size_t OnBody(char* Data, size_t Size, size_t Count, void* User) {
    auto* T = static_cast<TTransfer*>(User);
    const size_t n = Size * Count;
    long Code = 0;
    curl_easy_getinfo(T->Curl, CURLINFO_RESPONSE_CODE, &Code);
    if (Code != 200) {
        T->NotOK = true;
        return 0; // ends the transfer; only the status is wanted
    }
    std::string& Body = T->Response->Body;
    const uint64_t Max = T->Options->MaxBodyBytes;
    if (Body.size() + n > Max) {
        if (T->Options->TruncateBody) {
            Body.append(Data, static_cast<size_t>(Max - Body.size()));
            T->Truncated = true;
        } else {
            T->TooLarge = true;
        }
        return 0;
    }
    Body.append(Data, n);
    return n;
}

int OnProgress(void* User, curl_off_t Total, curl_off_t Now, curl_off_t, curl_off_t) {
    auto* T = static_cast<TTransfer*>(User);
    if (!T->Progress) return 0;
    if (T->Progress->Cancelled()) {
        T->Cancelled = true;
        return 1;
    }
    T->Progress->Progress(static_cast<uint64_t>(std::max<curl_off_t>(Now, 0)),
                          static_cast<uint64_t>(std::max<curl_off_t>(Total, 0)));
    return 0;
}

} // namespace

std::string StatusTextOfLine(const std::string& StatusLine) {
    // "HTTP/1.1 404 Not Found": the text after the version and the code.
    const size_t Version = StatusLine.find(' ');
    if (Version == std::string::npos) return {};
    size_t Code = StatusLine.find_first_not_of(' ', Version);
    if (Code == std::string::npos) return {};
    const size_t Text = StatusLine.find(' ', Code);
    if (Text == std::string::npos) return {};
    std::string s = StatusLine.substr(Text + 1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    return s;
}

std::string UsualStatusText(long Code) {
    switch (Code) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 410: return "Gone";
    case 429: return "Too Many Requests";
    case 500: return "Internal Server Error";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return {};
    }
}

THttpResponse HttpGet(const std::string& URL, const THttpOptions& Options, TTaskProgress* Progress) {
    if (!StartsWithNoCase(URL, "http://") && !StartsWithNoCase(URL, "https://"))
        throw EHttpError(
            Format(Tr("Download", "The address \"%s\" is not an http or https address.").c_str(), URL.c_str()));
    InitCurlOnce();
    std::unique_ptr<CURL, TEasyCloser> Curl(curl_easy_init());
    if (!Curl) throw EHttpError(Tr("Download", "Cannot start an HTTP request (out of memory)."));
    CURL* C = Curl.get();

    THttpResponse Response;
    TTransfer T;
    T.Curl = C;
    T.Response = &Response;
    T.Options = &Options;
    T.Progress = Progress;

    std::unique_ptr<curl_slist, TListCloser> Headers(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    curl_slist_append(Headers.get(), "Pragma: no-cache");
    char ErrorBuffer[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(C, CURLOPT_URL, URL.c_str());
    curl_easy_setopt(C, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(C, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(C, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(C, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(C, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(C, CURLOPT_MAXREDIRS, static_cast<long>(Options.MaxRedirects));
    curl_easy_setopt(C, CURLOPT_USERAGENT, Options.UserAgent.c_str());
    curl_easy_setopt(C, CURLOPT_HTTPHEADER, Headers.get());
    curl_easy_setopt(C, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(C, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(C, CURLOPT_BUFFERSIZE, ChunkSize);
    curl_easy_setopt(C, CURLOPT_CONNECTTIMEOUT, Options.ConnectTimeoutSeconds);
    curl_easy_setopt(C, CURLOPT_TIMEOUT, Options.TotalTimeoutSeconds);
    curl_easy_setopt(C, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(C, CURLOPT_LOW_SPEED_TIME, Options.StallTimeoutSeconds);
    if (!Options.TruncateBody)
        curl_easy_setopt(C, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(Options.MaxBodyBytes));
    const long Verify = Options.IgnoreCertificateErrors ? 0L : 1L;
    curl_easy_setopt(C, CURLOPT_SSL_VERIFYPEER, Verify);
    curl_easy_setopt(C, CURLOPT_SSL_VERIFYHOST, Options.IgnoreCertificateErrors ? 0L : 2L);
    curl_easy_setopt(C, CURLOPT_ERRORBUFFER, ErrorBuffer);
    curl_easy_setopt(C, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(C, CURLOPT_HEADERDATA, &T);
    curl_easy_setopt(C, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(C, CURLOPT_WRITEDATA, &T);
    curl_easy_setopt(C, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(C, CURLOPT_XFERINFODATA, &T);
    curl_easy_setopt(C, CURLOPT_NOPROGRESS, 0L);

    const CURLcode Result = curl_easy_perform(C);
    const std::string MaxText = std::to_string(Options.MaxBodyBytes);
    long FinalCode = 0;
    curl_easy_getinfo(C, CURLINFO_RESPONSE_CODE, &FinalCode);
    if (T.Cancelled) throw EHttpError(Tr("Download", RequestCancelledText));
    // The size bound also meets the announced length of an error page, whose body is not wanted.
    if (Result == CURLE_FILESIZE_EXCEEDED && FinalCode != 200) T.NotOK = true;
    else if (T.TooLarge || Result == CURLE_FILESIZE_EXCEEDED)
        throw EHttpError(Format(Tr("Download", "The server sent more than %s bytes; the transfer was stopped.").c_str(),
                                MaxText.c_str()));
    const bool StoppedOnPurpose =
        (Result == CURLE_WRITE_ERROR || Result == CURLE_FILESIZE_EXCEEDED) && (T.NotOK || T.Truncated);
    if (Result != CURLE_OK && !StoppedOnPurpose) {
        std::string Text = ErrorBuffer[0] ? ErrorBuffer : curl_easy_strerror(Result);
        if (Text.empty()) Text = Format(Tr("Download", "Error %d").c_str(), static_cast<int>(Result));
        throw EHttpError(Text);
    }
    Response.StatusCode = FinalCode;
    if (Response.StatusText.empty()) Response.StatusText = UsualStatusText(Response.StatusCode);
    if (Response.StatusCode != 200) Response.Body.clear();
    Response.Truncated = T.Truncated;
    return Response;
}

} // namespace tarvolin
