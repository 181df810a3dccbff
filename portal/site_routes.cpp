#include "site_routes.h"

#include "game_manifest.h"
#include "request_host.h"
#include "site_pages.h"

#include <fstream>
#include <sstream>

namespace {

const char kHtml[] = "text/html; charset=utf-8";
const char kText[] = "text/plain; charset=utf-8";
// No exit recommendation, no ad window, version 1.0.
const char kDefaultVersionFile[] = "0====0====1.0";

bool readWholeFile(const std::string &path, std::string &out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    out = bytes.str();
    return true;
}

// "flash.htm?" + address: the address is everything after the first "?", unchanged.
std::string rawQuery(const httplib::Request &request)
{
    const std::size_t mark = request.target.find('?');
    return mark == std::string::npos ? std::string() : request.target.substr(mark + 1);
}

bool isWebAddress(const std::string &address)
{
    return address.rfind("http://", 0) == 0 || address.rfind("https://", 0) == 0;
}

void replyPage(httplib::Response &response, int status, const std::string &page)
{
    response.status = status;
    response.set_content(page, kHtml);
}

} // namespace

void addSiteRoutes(httplib::Server &server, const SiteSettings &settings)
{
    // Read at every request, so games added while the server runs show up.
    const std::string manifest = settings.siteDir + "/games/games.txt";

    server.Get("/", [manifest](const httplib::Request &request, httplib::Response &response) {
        replyPage(response, 200, homePage(readManifest(manifest), requestHost(request)));
    });
    server.Get("/velomain.html", [manifest](const httplib::Request &request, httplib::Response &response) {
        replyPage(response, 200, framePage(readManifest(manifest), requestHost(request)));
    });

    server.Get("/flash.htm", [](const httplib::Request &request, httplib::Response &response) {
        const std::string address = rawQuery(request);
        // Only a web address may become the embedded file: anything else (javascript:,
        // file:, a bare word) is refused rather than put into the page.
        if (!isWebAddress(address))
            return replyPage(response, 400, messagePage("在线游戏", "无法播放这个游戏地址。"));
        replyPage(response, 200, playerPage("在线游戏", address));
    });

    server.Get("/app/app.asp", [manifest](const httplib::Request &request, httplib::Response &response) {
        const std::vector<GameEntry> games = readManifest(manifest);
        const GameEntry *game = findByKey(games, request.get_param_value("id"));
        if (!game)
            return replyPage(response, 404, messagePage("在线游戏", "没有找到这个游戏。"));
        replyPage(response, 200, playerPage(game->name, "/games/" + game->file));
    });

    server.Get("/app/flash_info.asp", [manifest](const httplib::Request &request, httplib::Response &response) {
        const std::vector<GameEntry> games = readManifest(manifest);
        const GameEntry *game = findById(games, request.get_param_value("id"));
        if (!game)
            return replyPage(response, 404, messagePage("游戏介绍", "暂无这个游戏的介绍。"));
        replyPage(response, 200, infoPage(*game));
    });

    server.Get("/tj/tj.asp", [](const httplib::Request &, httplib::Response &response) {
        response.set_content("ok", kText);
    });

    const std::string versionFile = settings.versionFile;
    const std::string versionRedirect = settings.versionRedirect;
    server.Get("/lib/wen.txt", [versionFile, versionRedirect](const httplib::Request &request,
                                                              httplib::Response &response) {
        if (!versionRedirect.empty())
            return response.set_redirect("http://" + requestHost(request) + versionRedirect, 302);
        std::string text = kDefaultVersionFile;
        if (!versionFile.empty() && !readWholeFile(versionFile, text)) {
            response.status = 404;
            return response.set_content("no version file", kText);
        }
        response.set_content(text, kText);
    });

    server.set_file_extension_and_mimetype_mapping("swf", "application/x-shockwave-flash");
    server.set_file_extension_and_mimetype_mapping("html", kHtml);
    server.set_mount_point("/", settings.siteDir);
}
