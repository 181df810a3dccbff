// A record file as the fuzzer writes it, its list page, then AddRecord, RemoveRecord and
// Clear as the rest of the input orders them. The page bytes go into a buffer sized by hand;
// here every entry is also built the slow way, as text, and the two must agree.
//
// Input: the record file up to the first NUL byte; after it, the list changes.
#include "fuzz_support.h"
#include "records/list_page.h"
#include "records/records.h"
#include "records/unescape.h"
#include "base/file_io.h"

#include <QStringEncoder>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// Lines as the record readers count them: CR LF, LF or CR end a line, and a final line end
// does not start another line.
QList<QByteArray> linesOf(const QByteArray &text)
{
    QList<QByteArray> lines;
    QByteArray line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.append(line);
        line.clear();
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

QList<QByteArray> withoutTrailingEmptyLines(QList<QByteArray> lines)
{
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString htmlEscaped(QString s)
{
    return s.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;").replace('"', "&quot;");
}

QByteArray expectedEntries(const QByteArray &records)
{
    const QString marker = QString::fromUtf8("<font color=red>[积分]</font> ");
    QString entries;
    int n = 0;
    for (const QByteArray &line : linesOf(records)) {
        ++n;
        if (!line.contains('|'))
            continue;
        const QList<QByteArray> fields = line.split('|');
        const bool points = fields.size() > 3 && fields[3] == "0";
        if (fields[0].isEmpty() && !points)
            continue;
        const QString number = QString::number(n);
        entries += "<li><a href=open://" + number + QString::fromUtf8(">·") + (points ? marker : QString()) +
                   htmlEscaped(UnescapeText(QString::fromUtf8(fields[0]))) + "</a><em><a href=delk://" + number +
                   "> </a></em></li>";
    }
    if (entries.isEmpty())
        entries = QString::fromUtf8("<div style=\"float:left;width:100%;text-align:center;padding-top:30px;\">"
                                    "暂无记录</div>");
    return QStringEncoder("GB18030").encode(entries);
}

void checkPage(const QByteArray &page, const QByteArray &records)
{
    FUZZ_CHECK(page.endsWith("</script></body></html>\r\n"));
    // GB18030 has no "<" inside a character, so the list ends at the first "</ul>".
    const qsizetype from = page.indexOf("<ul>") + 4;
    const qsizetype to = page.indexOf("</ul>", from);
    FUZZ_CHECK(from >= 4 && to >= from);
    FUZZ_CHECK(page.sliced(from, to - from) == expectedEntries(records));
}

QByteArray readFile(const QString &path)
{
    const auto bytes = readWholeFile(path);
    FUZZ_CHECK(bytes.has_value());
    return *bytes;
}

bool isPlainField(const QString &field)
{
    return !field.contains('|') && !field.contains('\r') && !field.contains('\n');
}

void checkAdded(const QByteArray &before, const QByteArray &after, int cap, const QStringList &fields)
{
    const QList<QByteArray> lines = linesOf(after);
    FUZZ_CHECK(!lines.isEmpty());
    const QList<QByteArray> stored = lines[0].split('|');
    FUZZ_CHECK(stored.size() == 4);
    for (int i = 0; i < 4; ++i)
        FUZZ_CHECK(!isPlainField(fields[i]) || stored[i] == fields[i].toUtf8());

    QList<QByteArray> expected{lines[0]};
    const QList<QByteArray> old = linesOf(before);
    for (qsizetype i = 0; i < old.size() && i < cap; ++i) {
        if (old[i].contains('|') && old[i].split('|')[1] != stored[1])
            expected.append(old[i]);
    }
    if (expected.size() == 1)
        expected.append(QByteArray());
    FUZZ_CHECK(lines == expected);
}

void checkRemoved(const QByteArray &before, const QByteArray &after, int lineNumber)
{
    QList<QByteArray> expected = linesOf(before);
    if (lineNumber >= 1 && lineNumber <= expected.size())
        expected.removeAt(lineNumber - 1);
    FUZZ_CHECK(withoutTrailingEmptyLines(linesOf(after)) == withoutTrailingEmptyLines(expected));
}

// Every line of a rewritten record file ends with CR LF.
void checkLineEnds(QByteArray text)
{
    FUZZ_CHECK(text.endsWith("\r\n"));
    text.replace("\r\n", "");
    FUZZ_CHECK(!text.contains('\r') && !text.contains('\n'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString app = [] {
        const QString folder = fuzzScratchFolder() + "/app";
        QDir().mkpath(folder);
        return folder;
    }();
    const QByteArray input = fuzzBytes(data, size);
    const qsizetype nul = input.indexOf('\0');
    const QByteArray recordText = nul < 0 ? input : input.first(nul);
    FuzzedDataProvider ops(data + (nul < 0 ? size : nul + 1), nul < 0 ? 0 : size - nul - 1);

    checkPage(listPageFromRecords(recordText), recordText);
    if (ops.remaining_bytes() == 0)
        return 0;

    const QString file = QString::fromLatin1(Records::kRecordFiles[ops.ConsumeIntegralInRange<int>(0, 2)]);
    const int cap = file == "date_d.dat" ? 2000 : 100;
    const Records records(app);
    writeScratchFile(records.pathOf(file), recordText);
    FUZZ_CHECK(records.BuildListPage(file));
    const QString pagePath = app + "/" + Records::listPageFor(file);
    FUZZ_CHECK(readFile(pagePath) == listPageFromRecords(recordText));

    // A few changes an input keep each input quick (each is two file replacements); the record
    // file before them can be any history's result.
    QByteArray before = recordText;
    for (int change = 0; change < 4 && ops.remaining_bytes() > 0; ++change) {
        const int op = ops.ConsumeIntegralInRange<int>(0, 2);
        QStringList fields;
        int lineNumber = 0;
        switch (op) {
        case 0: {
            for (int i = 0; i < 3; ++i)
                fields.append(QString::fromStdString(ops.ConsumeRandomLengthString(48)));
            const int kind = ops.ConsumeIntegralInRange<int>(-1, 2);
            fields.append(QString::number(kind));
            records.AddRecord(fields[0], fields[1], fields[2], kind, file);
            break;
        }
        case 1:
            lineNumber = ops.ConsumeIntegralInRange<int>(-1, 130);
            records.RemoveRecord(file, lineNumber);
            break;
        default:
            FUZZ_CHECK(records.Clear(file));
        }
        const QByteArray after = readFile(records.pathOf(file));
        if (op == 0)
            checkAdded(before, after, cap, fields);
        else if (op == 1)
            checkRemoved(before, after, lineNumber);
        else
            FUZZ_CHECK(after == "\r\n");
        checkLineEnds(after);
        // The page is built from the bytes just written, not read back: both must agree.
        const QByteArray page = readFile(pagePath);
        FUZZ_CHECK(page == listPageFromRecords(after));
        checkPage(page, after);
        before = after;
    }
    return 0;
}
