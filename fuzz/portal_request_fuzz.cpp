// Raw HTTP requests through the demo portal's routes (site and fault routes) without a socket.
// Whatever the request, no handler throws, the answer's header lines stay header lines (a
// Host or redirect target cannot start a header of its own), and nothing outside the site
// folder is served.
#include "fault_routes.h"
#include "fuzz_support.h"
#include "site_routes.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <string>

namespace {

const char kSecret[] = "secret-outside-the-site-folder";

class InputStream : public httplib::Stream {
public:
    InputStream(const uint8_t *data, size_t size) : data_(reinterpret_cast<const char *>(data)), left_(size) {}

    bool is_readable() const override { return true; }
    bool is_writable() const override { return written_.size() < kMostWritten; }
    ssize_t read(char *ptr, size_t size) override
    {
        const size_t n = std::min(size, left_);
        std::memcpy(ptr, data_, n);
        data_ += n;
        left_ -= n;
        return static_cast<ssize_t>(n);
    }
    // Bodies of any announced size are cut off here, as a client that goes away would.
    ssize_t write(const char *ptr, size_t size) override
    {
        if (!is_writable())
            return -1;
        written_.append(ptr, size);
        return static_cast<ssize_t>(size);
    }
    void get_remote_ip_and_port(std::string &ip, int &port) const override { ip = "127.0.0.1", port = 40000; }
    void get_local_ip_and_port(std::string &ip, int &port) const override { ip = "127.0.0.1", port = 8577; }
    socket_t socket() const override { return INVALID_SOCKET; }

    const std::string &written() const { return written_; }

private:
    static constexpr size_t kMostWritten = 1 << 20;
    const char *data_;
    size_t left_;
    std::string written_;
};

class Portal : public httplib::Server {
public:
    Portal()
    {
        const QString root = fuzzScratchFolder();
        QDir().mkpath(root + "/site/games");
        QDir().mkpath(root + "/site/css");
        writeScratchFile(root + "/site/games/games.txt",
                         "1001|snake.swf|贪吃蛇|snake\r\n1002|maze.swf|<b>\"Maze\"</b>&co|\r\n|x.swf|no id|\r\n");
        writeScratchFile(root + "/site/games/snake.swf", "FWS");
        writeScratchFile(root + "/site/css/portal.css", "body{}");
        writeScratchFile(root + "/secret.txt", kSecret);
        addSiteRoutes(*this, SiteSettings{(root + "/site").toStdString(), {}, {}});
        // Stopping from the start: routes that wait or stall give up at once.
        addFaultRoutes(*this, stopping_);
        set_exception_handler([](const httplib::Request &, httplib::Response &, std::exception_ptr) {
            fuzzFailed("no route throws", __FILE__, __LINE__);
        });
    }
    std::string answer(const uint8_t *data, size_t size)
    {
        InputStream stream(data, size);
        bool closed = false;
        process_request(stream, true, closed, nullptr);
        return stream.written();
    }

private:
    std::atomic<bool> stopping_{true};
};

// Every line of the header block but the status line is a header the portal or the library
// writes: a Host or redirect target with a line break in it would start one of its own.
bool headerLinesAreHeaders(const std::string &answer)
{
    static const char *const known[] = {"Accept-Ranges: ", "Connection: ", "Content-Encoding: ",
                                        "Content-Length: ", "Content-Range: ", "Content-Type: ",
                                        "Keep-Alive: ", "Location: ", "Transfer-Encoding: ", "Vary: "};
    const size_t end = answer.find("\r\n\r\n");
    if (end == std::string::npos)
        return answer.empty();
    for (size_t at = answer.find("\r\n") + 2; at < end + 2;) {
        const size_t next = answer.find("\r\n", at);
        const std::string line = answer.substr(at, next - at);
        const auto isKnown = [&line](const char *name) { return line.rfind(name, 0) == 0; };
        if (std::none_of(std::begin(known), std::end(known), isKnown))
            return false;
        at = next + 2;
    }
    return answer.rfind("HTTP/1.1 ", 0) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Portal portal;
    const std::string answer = portal.answer(data, size);
    FUZZ_CHECK(headerLinesAreHeaders(answer));
    // Pages echo parts of the request, so only a request that does not name the secret shows
    // whether it was read from its file.
    if (std::search(data, data + size, kSecret, kSecret + sizeof kSecret - 1) == data + size)
        FUZZ_CHECK(answer.find(kSecret) == std::string::npos);
    return 0;
}
