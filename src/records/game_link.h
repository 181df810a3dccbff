#pragma once

#include <QString>

#include <optional>

// The private link of a game: scheme + id + "$$$" + address + "$$$" + name, with one optional
// trailing "/". Links are plain text throughout; nothing here decodes or re-encodes them.
inline const QString kGameScheme = QStringLiteral("veloflash://");
inline const QString kPointsScheme = QStringLiteral("velojf://");

// A game link is a few hundred characters. A far longer one opens nothing: its name would be
// stored, shown and rewritten with every later change of a list.
constexpr qsizetype kLongestGameLink = 8192;

struct GameLinkFields {
    // A field that the link does not have is nullopt, so callers can keep their old value.
    std::optional<QString> id;
    std::optional<QString> address;
    std::optional<QString> name;
};

// Removes every occurrence of `scheme`, then one trailing "/", then splits at "$$$".
GameLinkFields splitGameLink(const QString &link, const QString &scheme);

// The scheme a game link starts with (case-sensitive), or an empty string.
QString gameLinkScheme(const QString &link);

// A record id: the text as a 32-bit integer written back in decimal ("007" gives "7").
std::optional<QString> recordId(const QString &idText);

// Only an id made of decimal digits that is also a record id may name a file in flash/;
// anything else never becomes a path.
bool isFileSafeId(const QString &id);

// Where the game pane plays a game from.
QString gamePageFor(const QString &id, const QString &address, const QString &programFolder,
                    const QString &portalBase, bool localFileExists);

// Program folder + "/flash/" + id + ".swf" for a file-safe id, else nothing.
std::optional<QString> downloadedGamePath(const QString &programFolder, const QString &id);
