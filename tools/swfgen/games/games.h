// The demo games: playable movies the portal lists and serves.
#pragma once

#include "bit_writer.h"

#include <string>

namespace swfgen {

Bytes catchGame();
Bytes dodgeGame();
Bytes clickGame();
Bytes snakeGame();

struct GameEntry {
    int id;              // portal game id; the file is <id>.swf
    std::string name;    // shown to the player, UTF-8
    std::string key;     // the portal's app page key, ASCII
    Bytes (*build)();
};

const std::vector<GameEntry>& demoGames();

// games.txt: one line "id|file|name|key" per game.
std::string gameManifest();

} // namespace swfgen
