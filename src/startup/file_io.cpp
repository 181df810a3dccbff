#include "startup/file_io.h"

#include "startup/part_file.h"

#include <QFile>

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
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char c = text.at(i);
        if (c == '\r' || c == '\n') {
            if (!visit(text.sliced(start, i - start)))
                return;
            i += (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        visit(text.sliced(start));
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
