#include "fault_routes.h"

#include "request_host.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

const char kBytes[] = "application/octet-stream";
const char kFlash[] = "application/x-shockwave-flash";
const char kText[] = "text/plain; charset=utf-8";
constexpr std::size_t kPiece = 64 * 1024; // per write of a fast body
constexpr std::size_t kSlowPiece = 4096;  // per write of /test/slow
constexpr std::size_t kFilesDefaultSize = 4096;

// The pattern repeats every 256 bytes, so one buffer serves any offset.
const unsigned char *patternFrom(std::size_t offset)
{
    static const std::vector<unsigned char> table = [] {
        std::vector<unsigned char> bytes(kPiece + 256);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<unsigned char>((i * 31 + 7) & 255);
        return bytes;
    }();
    return table.data() + offset % 256;
}

bool writePattern(httplib::DataSink &sink, std::size_t offset, std::size_t length)
{
    length = std::min(length, kPiece);
    return sink.write(reinterpret_cast<const char *>(patternFrom(offset)), length);
}

// The pattern, except that the body begins with `head` (a file signature, say).
bool writeBody(httplib::DataSink &sink, const std::string &head, std::size_t offset, std::size_t length)
{
    if (offset < head.size())
        return sink.write(head.data() + offset, std::min(length, head.size() - offset));
    return writePattern(sink, offset, length);
}

// head=TEXT: up to 16 letters and digits that replace the body's first bytes.
std::optional<std::string> headParam(const httplib::Request &request)
{
    const std::string text = request.get_param_value("head");
    const bool plain = std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isalnum(c); });
    if (text.size() > 16 || !plain)
        return std::nullopt;
    return text;
}

// A size or count parameter: decimal digits only; absent gives fallback.
std::optional<std::uint64_t> numberParam(const httplib::Request &request, const char *name,
                                         std::optional<std::uint64_t> fallback = std::nullopt)
{
    if (!request.has_param(name))
        return fallback;
    const std::string text = request.get_param_value(name);
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoull(text);
}

void badRequest(httplib::Response &response, const std::string &why)
{
    response.status = 400;
    response.set_content(why + "\n", kText);
}

// Sleeps ms in short steps; false as soon as the server stops or the client is gone.
bool pause(std::uint64_t ms, httplib::DataSink &sink, const std::atomic<bool> &stopping)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
        if (stopping || !sink.is_writable())
            return false;
        const auto left = until - std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(50)));
    }
    return !stopping;
}

void serveBytes(httplib::Response &response, std::uint64_t size, bool chunked, const char *type,
                const std::string &head)
{
    if (size == 0)
        return response.set_content("", type);
    if (!chunked) {
        response.set_content_provider(size, type, [head](std::size_t offset, std::size_t length,
                                                         httplib::DataSink &sink) {
            return writeBody(sink, head, offset, length);
        });
        return;
    }
    response.set_chunked_content_provider(type, [size, head](std::size_t offset, httplib::DataSink &sink) {
        if (offset >= size) {
            sink.done();
            return true;
        }
        return writeBody(sink, head, offset, size - offset);
    });
}

// size announced, after bytes sent, then the connection cuts (abort) or goes quiet (stall).
void serveBroken(const httplib::Request &request, httplib::Response &response, bool stall,
                 const std::atomic<bool> &stopping)
{
    const auto size = numberParam(request, "size");
    const auto after = numberParam(request, "after", 0);
    if (!size || !after || *after >= *size)
        return badRequest(response, "need size=N and after=M with M < N");
    const std::uint64_t sent = *after;
    response.set_content_provider(*size, kBytes, [sent, stall, &stopping](std::size_t offset, std::size_t length,
                                                                          httplib::DataSink &sink) {
        if (offset < sent)
            return writePattern(sink, offset, std::min<std::uint64_t>(length, sent - offset));
        // Returning false makes the server drop the connection without the rest.
        // A stall keeps the connection open and silent until the client leaves or the
        // server stops.
        while (stall && pause(1000, sink, stopping)) {
        }
        return false;
    });
}

} // namespace

void addFaultRoutes(httplib::Server &server, const std::atomic<bool> &stopping)
{
    server.Get("/test/bytes", [](const httplib::Request &request, httplib::Response &response) {
        const auto size = numberParam(request, "size");
        const auto head = headParam(request);
        if (!size || !head)
            return badRequest(response, "need size=N, and head=TEXT of at most 16 letters and digits");
        serveBytes(response, *size, request.get_param_value("chunked") == "1", kBytes, *head);
    });

    server.Get("/files/[^/]+\\.swf", [](const httplib::Request &request, httplib::Response &response) {
        const auto size = numberParam(request, "size", kFilesDefaultSize);
        const auto head = headParam(request);
        if (!size || !head)
            return badRequest(response, "bad size or head");
        serveBytes(response, *size, false, kFlash, *head);
    });

    // A portal that answers a missing file with its error page and status 200.
    server.Get("/test/page", [](const httplib::Request &, httplib::Response &response) {
        response.set_content("<!DOCTYPE html>\n<html><head><title>404</title></head>"
                             "<body><h1>页面不存在</h1></body></html>\n",
                             "text/html; charset=utf-8");
    });

    server.Get("/test/zero", [](const httplib::Request &, httplib::Response &response) {
        response.set_content("", kBytes);
    });

    server.Get("/test/redirect", [](const httplib::Request &request, httplib::Response &response) {
        const std::string to = request.get_param_value("to");
        // A path on this server only; "//host/..." would lead elsewhere.
        if (to.empty() || to[0] != '/' || (to.size() > 1 && to[1] == '/') ||
            to.find_first_of("\r\n") != std::string::npos)
            return badRequest(response, "need to=/path");
        response.set_redirect("http://" + requestHost(request) + to, 302);
    });

    server.Get("/test/status", [](const httplib::Request &request, httplib::Response &response) {
        const auto code = numberParam(request, "code");
        if (!code || *code < 200 || *code > 599)
            return badRequest(response, "need code=200..599");
        response.status = static_cast<int>(*code);
        if (*code != 204 && *code != 304)
            response.set_content("status " + std::to_string(*code) + "\n", kText);
    });

    server.Get("/test/abort", [&stopping](const httplib::Request &request, httplib::Response &response) {
        serveBroken(request, response, false, stopping);
    });
    server.Get("/test/stall", [&stopping](const httplib::Request &request, httplib::Response &response) {
        serveBroken(request, response, true, stopping);
    });

    server.Get("/test/slow", [&stopping](const httplib::Request &request, httplib::Response &response) {
        const auto size = numberParam(request, "size");
        const auto ms = numberParam(request, "ms");
        const auto head = headParam(request);
        if (!size || !ms || *size == 0 || !head)
            return badRequest(response, "need size=N (N > 0) and ms=T, and head=TEXT of at most 16 letters and digits");
        const std::uint64_t gap = *ms;
        response.set_content_provider(*size, kBytes, [gap, head = *head, &stopping](std::size_t offset, std::size_t length,
                                                                                   httplib::DataSink &sink) {
            if (offset > 0 && !pause(gap, sink, stopping))
                return false;
            return writeBody(sink, head, offset, std::min(length, kSlowPiece));
        });
    });
}
