#pragma once

#include "game_manifest.h"

#include <string>
#include <vector>

// The site's generated pages, UTF-8 HTML. host is "name:port" as the page's links
// must name this server.

std::string htmlEscape(const std::string &text);

// Where a game is played from: its key, or the full address of its file on host.
std::string gameAddress(const GameEntry &game, const std::string &host);

// "veloflash://" + id + "$$$" + address + "$$$" + escaped name.
std::string gameLink(const GameEntry &game, const std::string &host,
                     const std::string &scheme = "veloflash://");

// Home page: the games in the page itself and, again, in the frame named "velomain".
std::string homePage(const std::vector<GameEntry> &games, const std::string &host);
// The "velomain" frame's page.
std::string framePage(const std::vector<GameEntry> &games, const std::string &host);
// A page whose whole surface is the Flash game at swfAddress.
std::string playerPage(const std::string &title, const std::string &swfAddress);
std::string infoPage(const GameEntry &game);
// A short page that only says text.
std::string messagePage(const std::string &title, const std::string &text);
