#include "hostile_routes.h"

#include "request_host.h"
#include "site_pages.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

namespace {

const char kHtml[] = "text/html; charset=utf-8";
// Ids and addresses of an ordinary game of the test site, to show that the client still works.
const char kOrdinaryGame[] = "veloflash://1003$$$click$$$%u6B63%u5E38";

std::string page(const std::string &body)
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>hostile</title>"
           "<style>a.big{display:block;width:300px;height:60px;background:#ddd}</style></head>\n<body>" +
           body + "</body></html>\n";
}

// An attribute value that the parser gives back exactly: line breaks as character
// references, since the parser would turn a raw CR LF into LF.
std::string exactAttribute(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "&#13;";
        else if (c == '\n')
            out += "&#10;";
        else
            out += htmlEscape(std::string(1, c));
    }
    return out;
}

// A JavaScript string literal for ASCII text; anything but letters, digits and a few marks
// is written as \xHH, so it cannot end the string or the script.
std::string scriptString(const std::string &text)
{
    std::string out = "'";
    for (unsigned char c : text) {
        if (std::isalnum(c) || std::string_view(":/._-?=&$%#").find(static_cast<char>(c)) != std::string_view::npos) {
            out += static_cast<char>(c);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        }
    }
    return out + "'";
}

// A decimal parameter up to most; 0 when absent or not a number.
std::uint64_t countParam(const httplib::Request &request, const char *name, std::uint64_t most)
{
    const std::string text = request.get_param_value(name);
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::min<std::uint64_t>(std::stoull(text), most);
}

std::string bigLink(const std::string &id, const std::string &href, const std::string &text)
{
    return "<a class=\"big\" id=\"" + id + "\" href=\"" + exactAttribute(href) + "\">" + htmlEscape(text) + "</a>\n";
}

// Keeps a response open until the server stops or the client goes; then drops it.
bool holdOpen(httplib::DataSink &sink, const std::atomic<bool> &stopping)
{
    while (!stopping && sink.is_writable())
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return false;
}

void addLinkPages(httplib::Server &server)
{
    server.Get("/test/hostile/link", [](const httplib::Request &request, httplib::Response &response) {
        response.set_content(page(bigLink("link", request.get_param_value("href"), "link")), kHtml);
    });

    server.Get("/test/hostile/long-link", [](const httplib::Request &request, httplib::Response &response) {
        const std::uint64_t bytes = countParam(request, "bytes", 64 << 20);
        std::string name;
        name.reserve(bytes + 6);
        while (name.size() < bytes)
            name += "%u6D4B"; // 测
        name.resize(bytes);
        const std::string link = "veloflash://7$$$click$$$" + name;
        response.set_content(page(bigLink("long", link, "long") + bigLink("ordinary", kOrdinaryGame, "ordinary")),
                             kHtml);
    });
}

void addLoadPages(httplib::Server &server, const std::atomic<bool> &stopping)
{
    server.Get("/test/hostile/frames", [](const httplib::Request &request, httplib::Response &response) {
        std::string body = bigLink("ordinary", kOrdinaryGame, "ordinary");
        for (std::uint64_t i = countParam(request, "count", 10000); i > 0; --i)
            body += "<iframe src=\"/test/hostile/frame\" width=\"24\" height=\"24\"></iframe>";
        response.set_content(page(body), kHtml);
    });
    server.Get("/test/hostile/frame", [](const httplib::Request &, httplib::Response &response) {
        response.set_content("<!DOCTYPE html><p>frame</p>\n", kHtml);
    });

    server.Get("/test/hostile/popups", [](const httplib::Request &request, httplib::Response &response) {
        const std::string script =
            "<script>function burst() { let opened = 0; for (let i = 0; i < " +
            std::to_string(countParam(request, "count", 10000)) + "; ++i) if (window.open(" +
            scriptString(request.get_param_value("to")) +
            ")) ++opened; document.title = 'opened ' + opened; }\nburst();</script>";
        response.set_content(page("<button id=\"again\" onclick=\"burst()\" style=\"width:200px;height:60px\">again"
                                  "</button>" + script),
                             kHtml);
    });

    server.Get("/test/hostile/dialogs", [](const httplib::Request &request, httplib::Response &response) {
        const std::string script =
            "<script>window.onbeforeunload = () => 'stay';\nconst until = performance.now() + " +
            std::to_string(countParam(request, "ms", 60000)) +
            ";\nlet n = 0;\nwhile (performance.now() < until) { alert(n); confirm('c'); prompt('p', 'd'); n += 3; }\n"
            "document.title = 'dialogs ' + n;</script>";
        response.set_content(page(bigLink("ordinary", kOrdinaryGame, "ordinary") + script), kHtml);
    });

    // The head of the page arrives at once, so its link can be clicked; the rest of the length
    // it announces never does. (A chunked reply would sit in the server's compressor.)
    server.Get("/test/hostile/endless", [&stopping](const httplib::Request &, httplib::Response &response) {
        const std::string head = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>endless</title>"
                                 "<style>a.big{display:block;width:300px;height:60px;background:#ddd}</style>"
                                 "</head><body>" + bigLink("ordinary", kOrdinaryGame, "ordinary") +
                                 std::string(4096, ' '); // past the engine's first parse
        response.set_content_provider(head.size() + 1024 * 1024, kHtml,
                                      [head, &stopping](std::size_t offset, std::size_t, httplib::DataSink &sink) {
                                          if (offset == 0)
                                              return sink.write(head.data(), head.size());
                                          return holdOpen(sink, stopping);
                                      });
    });

    server.Get("/test/hostile/loop", [](const httplib::Request &request, httplib::Response &response) {
        response.set_redirect("http://" + requestHost(request) + "/test/hostile/loop", 302);
    });

    server.Get(R"(/test/hostile/(\d{1,12})\.swf)", [](const httplib::Request &request, httplib::Response &response) {
        const std::uint64_t size = std::stoull(request.matches[1]);
        // Begins as a Flash movie does, so that a download keeps it.
        response.set_content_provider(size, "application/x-shockwave-flash",
                                      [](std::size_t offset, std::size_t length, httplib::DataSink &sink) {
                                          static const std::string piece = "FWS" + std::string(64 * 1024, '\0');
                                          const std::size_t from = offset == 0 ? 0 : 3;
                                          return sink.write(piece.data() + from, std::min(length, piece.size() - from));
                                      });
    });
}

} // namespace

void addHostileRoutes(httplib::Server &server, const std::atomic<bool> &stopping)
{
    addLinkPages(server);
    addLoadPages(server, stopping);
}
