// A small HTTP server on 127.0.0.1 for the tests: canned answers by path, answered one
// connection at a time on a thread of its own, stopped by its destructor.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <zip.h>

namespace tarvolin::test {

struct TCannedAnswer {
    std::string Bytes;   // sent as they are
    int StallMs = 0;     // then wait this long before closing (a slow server)
};

// A complete answer with Content-Length (or a shorter body than announced, for truncation).
inline std::string HttpAnswer(int Code, const std::string& Reason, const std::string& Body,
                              const std::string& ExtraHeaders = {}, size_t AnnouncedLength = std::string::npos) {
    return "HTTP/1.1 " + std::to_string(Code) + " " + Reason + "\r\n" + ExtraHeaders +
           "Content-Length: " + std::to_string(AnnouncedLength == std::string::npos ? Body.size() : AnnouncedLength) +
           "\r\nConnection: close\r\n\r\n" + Body;
}

class TLocalHttpServer {
public:
    TLocalHttpServer() {
        FSocket = ::socket(AF_INET, SOCK_STREAM, 0);
        int One = 1;
        ::setsockopt(FSocket, SOL_SOCKET, SO_REUSEADDR, &One, sizeof One);
        sockaddr_in A{};
        A.sin_family = AF_INET;
        A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        A.sin_port = 0;
        if (::bind(FSocket, reinterpret_cast<sockaddr*>(&A), sizeof A) != 0 || ::listen(FSocket, 8) != 0)
            throw std::runtime_error("test server: cannot listen on 127.0.0.1");
        socklen_t Len = sizeof A;
        ::getsockname(FSocket, reinterpret_cast<sockaddr*>(&A), &Len);
        FPort = ntohs(A.sin_port);
        FThread = std::thread([this] { Serve(); });
    }
    ~TLocalHttpServer() {
        FStop = true;
        FThread.join();
        ::close(FSocket);
    }

    // "http://127.0.0.1:<port>/"
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(FPort) + "/"; }
    // Path includes the query ("/download.php?file=x").
    void Route(const std::string& Path, TCannedAnswer Answer) {
        std::lock_guard Lock(FMutex);
        FRoutes[Path] = std::move(Answer);
    }
    void Route(const std::string& Path, const std::string& Bytes) { Route(Path, TCannedAnswer{Bytes, 0}); }
    // Every request seen: its request line and headers.
    std::vector<std::string> Requests() const {
        std::lock_guard Lock(FMutex);
        return FRequests;
    }

private:
    void Serve() {
        while (!FStop) {
            pollfd P{FSocket, POLLIN, 0};
            if (::poll(&P, 1, 50) <= 0) continue;
            const int C = ::accept(FSocket, nullptr, nullptr);
            if (C < 0) continue;
            Answer(C);
            ::close(C);
        }
    }
    void Answer(int C) {
        std::string Request;
        char Buffer[4096];
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (Request.find("\r\n\r\n") == std::string::npos && std::chrono::steady_clock::now() < Deadline) {
            pollfd P{C, POLLIN, 0};
            if (::poll(&P, 1, 50) <= 0) continue;
            const ssize_t n = ::recv(C, Buffer, sizeof Buffer, 0);
            if (n <= 0) return;
            Request.append(Buffer, size_t(n));
        }
        const size_t Space = Request.find(' ');
        const std::string Path = Request.substr(Space + 1, Request.find(' ', Space + 1) - Space - 1);
        TCannedAnswer A{HttpAnswer(404, "Not Found", "no such page"), 0};
        {
            std::lock_guard Lock(FMutex);
            FRequests.push_back(Request);
            if (auto it = FRoutes.find(Path); it != FRoutes.end()) A = it->second;
        }
        size_t Sent = 0;
        while (Sent < A.Bytes.size()) {
            const ssize_t n = ::send(C, A.Bytes.data() + Sent, A.Bytes.size() - Sent, MSG_NOSIGNAL);
            if (n <= 0) return;
            Sent += size_t(n);
        }
        // Stalls until the time is up, the client has gone or the server stops.
        for (int Waited = 0; Waited < A.StallMs && !FStop; Waited += 20) {
            pollfd P{C, POLLIN, 0};
            if (::poll(&P, 1, 20) > 0 && ::recv(C, Buffer, sizeof Buffer, 0) <= 0) break;
        }
    }

    int FSocket = -1;
    int FPort = 0;
    std::atomic<bool> FStop{false};
    mutable std::mutex FMutex;
    std::map<std::string, TCannedAnswer> FRoutes;
    std::vector<std::string> FRequests;
    std::thread FThread;
};

// A zip archive holding the given files (deflated), made with libzip.
inline std::string MakeZip(const std::vector<std::pair<std::string, std::string>>& Files) {
    char Name[] = "/tmp/tarvolin_test_zip_XXXXXX";
    const int Fd = ::mkstemp(Name);
    ::close(Fd);
    int Error = 0;
    zip_t* Z = zip_open(Name, ZIP_CREATE | ZIP_TRUNCATE, &Error);
    if (!Z) throw std::runtime_error("test zip: cannot create");
    for (const auto& [Entry, Data] : Files) {
        zip_source_t* S = zip_source_buffer(Z, Data.data(), Data.size(), 0);
        const zip_int64_t i = zip_file_add(Z, Entry.c_str(), S, ZIP_FL_OVERWRITE);
        zip_set_file_compression(Z, zip_uint64_t(i), ZIP_CM_DEFLATE, 9);
    }
    if (zip_close(Z) != 0) throw std::runtime_error("test zip: cannot write");
    std::string Bytes;
    if (FILE* F = std::fopen(Name, "rb")) {
        char B[4096];
        size_t n;
        while ((n = std::fread(B, 1, sizeof B, F)) > 0) Bytes.append(B, n);
        std::fclose(F);
    }
    ::unlink(Name);
    return Bytes;
}

// A test image of Size bytes that is not all one value.
inline std::string TestROM(size_t Size = 1856) {
    std::string s(Size, '\0');
    for (size_t i = 0; i < Size; ++i) s[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return s;
}

} // namespace tarvolin::test
