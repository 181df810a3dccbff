#pragma once

#include <QString>

#include <optional>

// The list panel keeps no variable for the current list: its title text tells.
struct ListInfo {
    const char *recordFile;
    const char *page;
    const char *caption; // "/n" stands for a line break
    const char *title;
    const char *clearText;
    const char *clearQuestion;
};

const ListInfo &listInfo(int index); // 0 recently played, 1 favourites, 2 downloads

// The record file that opening or deleting an entry acts on.
QString listFileForEntries(const QString &title);
// The record file that clearing acts on, and its question.
const ListInfo &listForClearing(const QString &title);

// The line number in an "open://n[/]" or "delk://n" link; nullopt when it is not a number.
std::optional<int> entryLineNumber(const QString &link, const QString &scheme);
