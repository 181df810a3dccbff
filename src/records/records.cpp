#include "records/records.h"

#include "records/list_page.h"
#include "base/file_io.h"

#include <algorithm>
#include <cstring>

namespace {

int capFor(const QString &fileName)
{
    return (fileName == "date_c.dat" || fileName == "date_n.dat") ? 100 : 2000;
}

// Fields come from portal links, which may hold "|" or line breaks. Stored escaped they can
// neither split a record nor start another one, and the name decoding turns them back.
QString recordFieldText(QString field)
{
    return field.replace(u'|', QStringLiteral("%7C"))
        .replace(u'\r', QStringLiteral("%0D"))
        .replace(u'\n', QStringLiteral("%0A"));
}

void chopCrLf(QByteArray &text)
{
    if (text.endsWith("\r\n"))
        text.chop(2);
}

// Lines rewritten with CR LF ends into one buffer sized once: every list change rewrites
// each line. A line of n bytes read with an end of e bytes takes n + 2 <= 2 (n + e) bytes
// when e >= 1, and at most 2 more for the last line without an end.
class CrLfLines {
public:
    CrLfLines(const QByteArray &from, qsizetype extra) : bytes_(2 * from.size() + extra + 4, Qt::Uninitialized)
    {
        to_ = bytes_.data();
    }
    void add(QByteArrayView line)
    {
        to_ = std::copy(line.begin(), line.end(), to_);
        *to_++ = '\r';
        *to_++ = '\n';
    }
    qsizetype size() const { return to_ - bytes_.constData(); }
    QByteArray take()
    {
        bytes_.truncate(size());
        return std::move(bytes_);
    }

private:
    QByteArray bytes_;
    char *to_;
};

} // namespace

QByteArrayView recordField(QByteArrayView line, int index)
{
    // memchr itself: every list change reads each line's fields, and the view's indexOf
    // costs as much again around it.
    const char *const end = line.data() + line.size();
    const char *start = line.data();
    const auto bar = [end](const char *from) {
        const void *found = from < end ? std::memchr(from, '|', end - from) : nullptr;
        return found ? static_cast<const char *>(found) : end;
    };
    for (int i = 0; i < index; ++i) {
        start = bar(start);
        if (start == end)
            return {};
        ++start;
    }
    return QByteArrayView(start, bar(start));
}

Records::Records(QString appFolder, std::function<void()> refreshListPane)
    : appFolder_(std::move(appFolder)), refreshListPane_(std::move(refreshListPane))
{
}

QString Records::listPageFor(const QString &fileName)
{
    if (fileName == "date_c.dat")
        return "c.htm";
    if (fileName == "date_n.dat")
        return "n.htm";
    return "d.htm";
}

void Records::AddRecord(const QString &name, const QString &id, const QString &address, int kind,
                        const QString &fileName) const
{
    const auto old = readWholeFile(pathOf(fileName));
    if (!old)
        return;
    const QString storedId = recordFieldText(id);
    const QByteArray newLine =
        (recordFieldText(name) + "|" + storedId + "|" + recordFieldText(address) + "|" + QString::number(kind))
            .toUtf8();
    const int cap = capFor(fileName);
    const QByteArray idBytes = storedId.toUtf8();

    // The new record, then every kept one; when none is kept an empty line follows it.
    CrLfLines text(*old, newLine.size() + 2);
    text.add(newLine);
    const qsizetype keptStart = text.size();
    int count = 0;
    forEachLine(*old, [&](QByteArrayView line) {
        if (++count > cap)
            return false;
        const qsizetype bar = line.indexOf('|');
        if (bar >= 0 && recordField(line.sliced(bar + 1), 0) != idBytes)
            text.add(line);
        return true;
    });
    if (text.size() == keptStart)
        text.add({});
    replaceRecords(fileName, text.take());
}

void Records::RemoveRecord(const QString &fileName, int lineNumber) const
{
    const auto old = readWholeFile(pathOf(fileName));
    if (!old)
        return;
    CrLfLines lines(*old, 0);
    int i = 1;
    forEachLine(*old, [&](QByteArrayView line) {
        if (i++ != lineNumber)
            lines.add(line);
        return true;
    });
    QByteArray text = lines.take();
    chopCrLf(text);
    chopCrLf(text);
    replaceRecords(fileName, text + "\r\n");
}

bool Records::BuildListPage(const QString &fileName) const
{
    const auto records = readWholeFile(pathOf(fileName));
    if (!records)
        return false;
    writeListPage(fileName, *records);
    return true;
}

void Records::replaceRecords(const QString &fileName, const QByteArray &text) const
{
    if (replaceFile(pathOf(fileName), text))
        writeListPage(fileName, text);
    else
        BuildListPage(fileName);
}

void Records::writeListPage(const QString &fileName, const QByteArray &records) const
{
    replaceFile(appFolder_ + "/" + listPageFor(fileName), listPageFromRecords(records));
    if (refreshListPane_)
        refreshListPane_();
}

bool Records::Clear(const QString &fileName) const
{
    if (!readWholeFile(pathOf(fileName)))
        return false;
    replaceRecords(fileName, "\r\n");
    return true;
}

QStringList Records::recordAt(const QString &fileName, int lineNumber) const
{
    const auto text = readWholeFile(pathOf(fileName));
    if (!text || lineNumber < 1)
        return {};
    const QList<QByteArray> lines = splitLines(*text);
    if (lineNumber > lines.size())
        return {};
    const QString line = QString::fromUtf8(lines.at(lineNumber - 1));
    return line.contains('|') ? line.split('|') : QStringList{};
}
