#include "base/file_io.h"

#include "base/part_file.h"

#include <QFile>

#include <algorithm>
#include <cstring>

std::optional<QByteArray> readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool replaceFile(const QString &path, const QByteArray &bytes)
{
    PartFile file(path);
    return file.open() && file.write(bytes.constData(), bytes.size()) && file.commit();
}

void forEachLine(QByteArrayView text, const std::function<bool(QByteArrayView line)> &visit)
{
    // memchr finds each kind of line end far faster than a loop over every byte; the next
    // one of each kind is looked for again only once the lines have passed it.
    const char *const end = text.data() + text.size();
    const auto next = [end](const char *from, char c) {
        const void *found = std::memchr(from, c, end - from);
        return found ? static_cast<const char *>(found) : end;
    };
    if (text.isEmpty())
        return;
    const char *start = text.data();
    const char *nextCr = next(start, '\r');
    const char *nextLf = next(start, '\n');
    while (start < end) {
        if (nextCr < start)
            nextCr = next(start, '\r');
        if (nextLf < start)
            nextLf = next(start, '\n');
        const char *stop = std::min(nextCr, nextLf);
        if (!visit(QByteArrayView(start, stop)))
            return;
        if (stop == end)
            return;
        start = stop + (*stop == '\r' && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
    }
}

QList<QByteArray> splitLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    forEachLine(text, [&lines](QByteArrayView line) {
        lines.append(line.toByteArray());
        return true;
    });
    return lines;
}
