#pragma once

#include <QByteArray>
#include <QStringView>

// GB18030 has an encoding for every character. A lone surrogate has none and gets the
// converter's substitute, so callers replace those first.

// No UTF-16 unit takes more than four bytes: a pair takes four, any other unit up to four.
constexpr int kMostGb18030BytesPerUnit = 4;

// Writes `text` at `to`, which has room for kMostGb18030BytesPerUnit bytes a unit, and returns
// the end of what was written.
char *writeGb18030(char *to, QStringView text);

// The same for one character of the BMP that is not a surrogate. It may write up to four
// bytes at `to` whatever the character's length.
char *writeGb18030Bmp(char *to, char16_t c);

void appendGb18030(QByteArray &out, QStringView text);
