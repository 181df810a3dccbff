#include "site_pages.h"

std::string htmlEscape(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string gameAddress(const GameEntry &game, const std::string &host)
{
    return game.key.empty() ? "http://" + host + "/games/" + game.file : game.key;
}

std::string gameLink(const GameEntry &game, const std::string &host, const std::string &scheme)
{
    return scheme + game.id + "$$$" + gameAddress(game, host) + "$$$" + scriptEscape(game.name);
}

static std::string pageHead(const std::string &title)
{
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
           "<title>" + htmlEscape(title) + "</title>"
           "<link rel=\"stylesheet\" href=\"/css/portal.css\"></head>\n";
}

// The games played from a portal key are also offered as points games.
static std::vector<GameEntry> pointsGames(const std::vector<GameEntry> &games)
{
    std::vector<GameEntry> keyed;
    for (const GameEntry &game : games)
        if (!game.key.empty())
            keyed.push_back(game);
    return keyed;
}

// idPrefix keeps the page's links and the frame's links apart for whoever looks them up.
static std::string gameList(const std::vector<GameEntry> &games, const std::string &host,
                            const std::string &idPrefix, const std::string &scheme = "veloflash://")
{
    if (games.empty())
        return "<li class=\"empty\">游戏正在上架中，请稍后再来</li>\n";
    std::string items;
    for (const GameEntry &game : games)
        items += "<li><a id=\"" + htmlEscape(idPrefix + game.id) + "\" href=\"" +
                 htmlEscape(gameLink(game, host, scheme)) + "\">" + htmlEscape(game.name) + "</a></li>\n";
    return items;
}

std::string homePage(const std::vector<GameEntry> &games, const std::string &host)
{
    return pageHead("Tamsa小游戏 - 首页") +
           "<body class=\"home\">\n"
           "<div class=\"top\"><span class=\"logo\">Tamsa小游戏</span>"
           "<span class=\"slogan\">好玩的在线小游戏，天天更新</span></div>\n"
           "<div class=\"nav\"><a href=\"/\">首页</a><a href=\"/yy/\">网页游戏</a>"
           "<a href=\"/music/\">在线音乐</a></div>\n"
           "<div class=\"box\"><h2>最新小游戏</h2><ul class=\"games\">\n" +
           gameList(games, host, "game-") +
           "</ul></div>\n"
           "<div class=\"box\"><h2>积分游戏</h2><ul class=\"games\">\n" +
           gameList(pointsGames(games), host, "jf-game-", "velojf://") +
           "</ul></div>\n"
           "<div class=\"box\"><h2>热门推荐</h2>"
           "<iframe name=\"velomain\" src=\"/velomain.html\" frameborder=\"0\"></iframe></div>\n"
           "<div class=\"foot\">点击游戏名称即可开始游戏 · Tamsa游戏盒</div>\n"
           "</body></html>\n";
}

std::string framePage(const std::vector<GameEntry> &games, const std::string &host)
{
    return pageHead("热门推荐") + "<body class=\"frame\"><ul class=\"games\">\n" +
           gameList(games, host, "frame-game-") + "</ul></body></html>\n";
}

std::string playerPage(const std::string &title, const std::string &swfAddress)
{
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>" +
           htmlEscape(title) +
           "</title><style>html,body{margin:0;height:100%;overflow:hidden;background:#000}"
           "embed{display:block;width:100%;height:100%}</style></head>\n<body>"
           "<embed src=\"" + htmlEscape(swfAddress) +
           "\" type=\"application/x-shockwave-flash\" width=\"100%\" height=\"100%\" quality=\"high\">"
           "</body></html>\n";
}

std::string infoPage(const GameEntry &game)
{
    const std::string name = htmlEscape(game.name);
    return pageHead(game.name + " - 游戏介绍") + "<body class=\"info\">\n<h1>" + name +
           "</h1>\n<p class=\"id\">游戏编号：" + htmlEscape(game.id) + "</p>\n<p>《" + name +
           "》是本站收录的一款在线小游戏，无需安装，打开即玩。</p>\n"
           "<h2>操作说明</h2>\n<p>游戏载入后，先用鼠标点击游戏画面，再按游戏中的提示操作。</p>\n"
           "</body></html>\n";
}

std::string messagePage(const std::string &title, const std::string &text)
{
    return pageHead(title) + "<body class=\"info\"><p>" + htmlEscape(text) + "</p></body></html>\n";
}
