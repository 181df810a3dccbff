#include "records/list_page.h"

#include "records/gb18030.h"
#include "records/records.h"
#include "startup/file_io.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

const char kPieceHead[] =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\">"
    "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" /><title></title>"
    "<style>*{padding:0;margin:0;}img{border:0;}body,html{border:0px;background-color:#F5F5F5;"
    "font-size:12px;color:#000000;overflow-x:hidden;overflow-y:auto;}a:link,a:visited,a:active{"
    "color:#000000;text-decoration:none;}a:hover{color:red}.f{float:left;width:100%}.f li{float:left;"
    "list-style:none;width:33%;height:25px;line-height:25px;text-align:left;border-bottom:1px solid "
    "#CBD5E5;border-top:1px solid #ffffff; cursor:default}.f li a,.f li em{margin-left:10px;}.f li em{"
    "font-style:normal;background:url(i.gif) no-repeat;width:30px;}.f li img{}.f li.t2 em{display:none;}"
    ".f li.t1 em{}</style></head><body><div class=\"f\" id=\"tab\"><ul><vod></ul></div>";
// The pieces after the head, each on a line of its own.
const char *const kPiecesAfterHead[] = {
    "<script language='javascript'>var Ptr=document.getElementById('tab').getElementsByTagName('li');",
    "function $() {for (i=0;i<Ptr.length;i++){Ptr[i].className = 't2';}}",
    "window.onload=$;",
    "for(var i=0;i<Ptr.length;i++){Ptr[i].onmouseover=function(){this.className = \"t1\";};",
    "Ptr[i].onmouseout=function(){this.className=\"t2\";};}</script></body></html>",
};

const char kEmptyList[] =
    "<div style=\"float:left;width:100%;text-align:center;padding-top:30px;\">暂无记录</div>";
const char kPointsMarker[] = "<font color=red>[积分]</font> ";

// An entry: open, number, name start, "·", marker, name, delete, number, close.
const char kEntryOpen[] = "<li><a href=open://";
const char kEntryNameStart[] = ">";
const char kEntryDelete[] = "</a><em><a href=delk://";
const char kEntryClose[] = "> </a></em></li>";
// Each size counts a NUL too, so this is a little over what the markup takes.
constexpr qsizetype kEntryMarkup = sizeof kEntryOpen + sizeof kEntryNameStart + sizeof kEntryDelete + sizeof kEntryClose;

int hexValue(char16_t u)
{
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

char16_t unitAt(QStringView s, qsizetype i) { return s[i].unicode(); }
char16_t unitAt(QLatin1StringView s, qsizetype i) { return static_cast<uchar>(s[i].toLatin1()); }

// The value of `count` hex digits at s[at], or -1.
template <class Text> int hexRun(Text s, qsizetype at, int count)
{
    int value = 0;
    for (int k = 0; k < count; ++k) {
        const int digit = hexValue(unitAt(s, at + k));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

// Appends the decoded `s` to `out`; surrogates are left as they come. Templated so that the
// page can decode a record's ASCII name straight from the file's bytes.
template <class Text> void appendUnescaped(QString &out, Text s)
{
    // Decoding never lengthens the text; the buffer is cut to what was written.
    const qsizetype start = out.size();
    out.resize(start + s.size());
    QChar *to = out.data() + start;
    const qsizetype length = s.size();
    qsizetype p = 0; // 0-based: the rules' "p <= L - 5" is "p + 5 < L" here
    while (p < length) {
        const char16_t c = unitAt(s, p);
        if (c == '%' && p + 5 < length && unitAt(s, p + 1) == 'u') {
            const int value = hexRun(s, p + 2, 4);
            if (value >= 0) {
                *to++ = QChar(static_cast<char16_t>(value));
                p += 6;
            } else {
                *to++ = QChar(c);
                p += 1;
            }
        } else if (c == '%' && p + 2 < length) {
            const int value = hexRun(s, p + 1, 2);
            if (value >= 0) {
                *to++ = QChar(static_cast<char16_t>(value));
                p += 3;
            } else {
                p += 1; // the "%" is dropped
            }
        } else {
            *to++ = QChar(c);
            p += 1;
        }
    }
    out.truncate(to - out.constData());
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<uchar>(b) < 0x80; });
}

QString replaceLoneSurrogates(const QString &s)
{
    if (std::none_of(s.cbegin(), s.cend(), [](QChar c) { return c.isSurrogate(); }))
        return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            out += c;
            out += s.at(++i);
        } else if (c.isSurrogate()) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += c;
        }
    }
    return out;
}

// A decoded name must not become markup in a local page.
constexpr int kMostEscapedBytesPerUnit = 6; // "&quot;"

char *writeEscapedName(char *to, QStringView name)
{
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char *entity = nullptr;
        switch (name[i].unicode()) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '"': entity = "&quot;"; break;
        default: continue;
        }
        to = writeGb18030(to, name.sliced(runStart, i - runStart));
        to = std::copy(entity, entity + std::strlen(entity), to);
        runStart = i + 1;
    }
    return writeGb18030(to, name.sliced(runStart));
}

char *writeBytes(char *to, QByteArrayView bytes) { return std::copy(bytes.begin(), bytes.end(), to); }

QByteArray gb18030Of(const char *utf8)
{
    QByteArray bytes;
    appendGb18030(bytes, QString::fromUtf8(utf8));
    return bytes;
}

} // namespace

QString UnescapeText(const QString &s)
{
    QString result;
    appendUnescaped(result, QStringView(s));
    return replaceLoneSurrogates(result);
}

QByteArray listPageFromRecords(const QByteArray &recordFileText)
{
    // Built as bytes in one buffer, without a string per record: the page is rebuilt on every
    // record change and is mostly ASCII markup.
    static const QByteArray dot = gb18030Of("·");
    static const QByteArray pointsMarker = gb18030Of(kPointsMarker);
    const QByteArrayView head(kPieceHead);
    const qsizetype vod = head.indexOf("<vod>");
    QByteArray page;
    page.reserve(sizeof(kPieceHead) + 512 + recordFileText.size() * 3);
    page += head.first(vod);
    const qsizetype entriesStart = page.size();

    QString name; // reused: its capacity outlives each record
    int lineNumber = 0;
    forEachLine(recordFileText, [&](QByteArrayView line) {
        ++lineNumber;
        const qsizetype nameEnd = line.indexOf('|');
        if (nameEnd < 0)
            return true;
        const QByteArrayView raw = line.first(nameEnd);
        name.resize(0);
        if (isAscii(raw))
            appendUnescaped(name, QLatin1StringView(raw));
        else
            appendUnescaped(name, QStringView(QString::fromUtf8(raw)));
        name = replaceLoneSurrogates(name);
        // A record without a kind field counts as an ordinary game.
        const bool points = recordField(line, 3) == "0";
        if (name.isEmpty() && !points)
            return true;
        char number[16];
        const QByteArrayView n(number, std::to_chars(number, number + sizeof number, lineNumber).ptr - number);
        const QByteArrayView marker = points ? QByteArrayView(pointsMarker) : QByteArrayView();
        const qsizetype at = page.size();
        page.resize(at + kEntryMarkup + 2 * n.size() + dot.size() + marker.size() +
                    name.size() * kMostEscapedBytesPerUnit);
        char *to = page.data() + at;
        for (const QByteArrayView part : {QByteArrayView(kEntryOpen), n, QByteArrayView(kEntryNameStart), QByteArrayView(dot), marker})
            to = writeBytes(to, part);
        to = writeEscapedName(to, name);
        for (const QByteArrayView part : {QByteArrayView(kEntryDelete), n, QByteArrayView(kEntryClose)})
            to = writeBytes(to, part);
        page.truncate(to - page.constData());
        return true;
    });
    if (page.size() == entriesStart)
        appendGb18030(page, QString::fromUtf8(kEmptyList));

    page += head.sliced(vod + 5);
    for (const char *piece : kPiecesAfterHead) {
        page += "\r\n";
        page += piece;
    }
    page += "\r\n";
    return page;
}
