#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Whole-file reads and atomic replacements: a crash mid-write leaves the old file intact.
std::optional<QByteArray> readWholeFile(const QString &path);
bool replaceFile(const QString &path, const QByteArray &bytes);

// Lines of a text file as the record readers count them: CR LF, LF or CR end a line,
// and a final line ending does not start another (empty) line.
QList<QByteArray> splitLines(const QByteArray &text);

// The same lines, handed to `visit` one by one without copying, until it returns false.
void forEachLine(QByteArrayView text, const std::function<bool(QByteArrayView line)> &visit);
