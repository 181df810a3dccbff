#pragma once

#include <string>
#include <vector>

// One game of the site's manifest games/games.txt, a line "id|file|name|key".
// A game with a key is played through app/app.asp?id=<key>; one without is linked
// by the full address of its file under games/.
struct GameEntry {
    std::string id;
    std::string file;
    std::string name; // UTF-8
    std::string key;
};

// Games of the manifest in file order. A missing file gives none; lines without an id
// or a file are skipped.
std::vector<GameEntry> readManifest(const std::string &path);

const GameEntry *findById(const std::vector<GameEntry> &games, const std::string &id);
const GameEntry *findByKey(const std::vector<GameEntry> &games, const std::string &key);

// UTF-8 text escaped as a browser's script escape() does: letters, digits and @*_+-./
// stay, other characters below 256 become %XX, the rest %uXXXX per UTF-16 unit.
std::string scriptEscape(const std::string &utf8);
