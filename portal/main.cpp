// The demo portal and the test portal: one small web server on 127.0.0.1.
#include "fault_routes.h"
#include "hostile_routes.h"
#include "options.h"
#include "request_log.h"
#include "site_routes.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

namespace {

// The site folder the build lays out next to the executable.
std::string siteBesideExecutable()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / "site").string();
}

// Ends the server after seconds (0 = never); the caller calls finish() when it ends.
class Lifetime {
public:
    Lifetime(httplib::Server &server, std::atomic<bool> &stopping, int seconds)
    {
        if (seconds <= 0)
            return;
        thread_ = std::thread([this, &server, &stopping, seconds] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!finished_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) {
                stopping = true;
                server.stop();
            }
        });
    }
    void finish()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        finished_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
};

} // namespace

int main(int argc, char **argv)
{
    std::string error;
    const auto options = parseOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "tamsa_portal: %s\n%s", error.c_str(), usageText());
        return 2;
    }
    SiteSettings site{options->siteDir.empty() ? siteBesideExecutable() : options->siteDir, options->versionFile,
                      options->versionRedirect};
    if (!std::filesystem::is_directory(site.siteDir)) {
        std::fprintf(stderr, "tamsa_portal: no site folder %s\n", site.siteDir.c_str());
        return 1;
    }
    RequestLog log;
    if (!options->logFile.empty() && !log.open(options->logFile)) {
        std::fprintf(stderr, "tamsa_portal: cannot open log %s\n", options->logFile.c_str());
        return 1;
    }

    httplib::Server server;
    // Stalled and slow transfers each hold a worker; a browser plus a download test can
    // open more connections than the library's default pool of eight.
    server.new_task_queue = [] { return new httplib::ThreadPool(32); };
    // An idle kept-alive connection holds its worker this long and delays the end of the
    // lifetime by as much; reconnecting on loopback costs nothing.
    server.set_keep_alive_timeout(1);
    server.set_pre_routing_handler([&log](const httplib::Request &request, httplib::Response &) {
        log.append(request.target);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    // The library's default also sets SO_REUSEPORT, which lets a second server share the
    // port and silently take half of the requests; a busy port must be an error instead.
    server.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    std::atomic<bool> stopping{false};
    addSiteRoutes(server, site);
    addFaultRoutes(server, stopping);
    addHostileRoutes(server, stopping);

    // Loopback only: the demo and test portal are never reachable from elsewhere.
    const int port = options->port == 0 ? server.bind_to_any_port("127.0.0.1")
                                        : (server.bind_to_port("127.0.0.1", options->port) ? options->port : -1);
    if (port <= 0) {
        std::fprintf(stderr, "tamsa_portal: cannot listen on 127.0.0.1:%d\n", options->port);
        return 1;
    }
    std::printf("listening on %d\n", port);
    std::fflush(stdout);

    Lifetime lifetime(server, stopping, options->lifetimeSeconds);
    server.listen_after_bind();
    lifetime.finish();
    return 0;
}
