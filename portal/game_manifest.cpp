#include "game_manifest.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>

static std::vector<std::string> splitFields(const std::string &line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar - start));
        if (bar == std::string::npos)
            return fields;
        start = bar + 1;
    }
}

std::vector<GameEntry> readManifest(const std::string &path)
{
    std::vector<GameEntry> games;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields = splitFields(line);
        fields.resize(4);
        if (fields[0].empty() || fields[1].empty())
            continue;
        games.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    return games;
}

const GameEntry *findById(const std::vector<GameEntry> &games, const std::string &id)
{
    for (const GameEntry &game : games)
        if (game.id == id)
            return &game;
    return nullptr;
}

const GameEntry *findByKey(const std::vector<GameEntry> &games, const std::string &key)
{
    for (const GameEntry &game : games)
        if (!game.key.empty() && game.key == key)
            return &game;
    return nullptr;
}

// Decodes one code point at text[i], advancing i; a malformed sequence yields U+FFFD
// for its first byte, as a browser decoding the page would.
static char32_t nextCodePoint(const std::string &text, std::size_t &i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    i += length;
    return cp;
}

static bool keptByEscape(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    for (char kept : {'@', '*', '_', '+', '-', '.', '/'})
        if (c == static_cast<char32_t>(kept))
            return true;
    return false;
}

std::string scriptEscape(const std::string &utf8)
{
    std::string out;
    char buffer[8];
    // One UTF-16 unit: at most four digits, so "%uXXXX" fits the buffer.
    const auto unit = [&](char16_t value) {
        std::snprintf(buffer, sizeof buffer, "%%u%04X", static_cast<unsigned>(value));
        out += buffer;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = nextCodePoint(utf8, i);
        if (keptByEscape(c)) {
            out += static_cast<char>(c);
        } else if (c < 0x100) {
            std::snprintf(buffer, sizeof buffer, "%%%02X", static_cast<unsigned>(c));
            out += buffer;
        } else if (c < 0x10000) {
            unit(static_cast<char16_t>(c));
        } else {
            const char32_t v = c - 0x10000;
            unit(static_cast<char16_t>(0xD800 + (v >> 10)));
            unit(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        }
    }
    return out;
}
