#pragma once

#include <QString>

#include <optional>

// The three local lists, in the order of their labels lc(0..2).
enum class ListKind { RecentlyPlayed, Favourites, Downloads };
constexpr int kListCount = 3;

struct ListInfo {
    const char *recordFile;
    const char *page;
    const char *caption; // "/n" stands for a line break
    const char *title;
    const char *clearText;
    const char *clearQuestion;
};

const ListInfo &listInfo(ListKind kind);

// The line number in an "open://n[/]" or "delk://n" link; nullopt when it is not a number.
std::optional<int> entryLineNumber(const QString &link, const QString &scheme);
