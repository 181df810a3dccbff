#include "records/list_page.h"

#include "records/gb18030.h"
#include "records/records.h"
#include "records/unescape.h"
#include "base/file_io.h"

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

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<uchar>(b) < 0x80; });
}

// A decoded name must not become markup in a local page.
constexpr int kMostEscapedBytesPerUnit = 6; // "&quot;"

// One decoded character that is not a surrogate, escaped and encoded.
char *writeEscapedUnit(char *to, char16_t u)
{
    const char *entity = nullptr;
    switch (u) {
    case '&': entity = "&amp;"; break;
    case '<': entity = "&lt;"; break;
    case '>': entity = "&gt;"; break;
    case '"': entity = "&quot;"; break;
    default: return writeGb18030Bmp(to, u);
    }
    return std::copy(entity, entity + std::strlen(entity), to);
}

// The name of a record, decoded, escaped and encoded at `to`. Names are written by a script
// escape and so are ASCII: those are decoded straight from the file's bytes, unless they hold
// a surrogate, which needs the whole name to pair or be replaced.
char *writeName(char *to, QByteArrayView raw)
{
    if (isAscii(raw)) {
        char *const start = to;
        bool surrogate = false;
        forEachUnescapedUnit(QLatin1StringView(raw), [&](char16_t u) {
            surrogate = surrogate || QChar::isSurrogate(u);
            if (!surrogate)
                to = writeEscapedUnit(to, u);
        });
        if (!surrogate)
            return to;
        to = start;
    }
    const QString name = UnescapeText(QString::fromUtf8(raw));
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i].isHighSurrogate()) { // always paired here
            to = writeGb18030(to, QStringView(name).sliced(i, 2));
            ++i;
        } else {
            to = writeEscapedUnit(to, name[i].unicode());
        }
    }
    return to;
}

// Entries are made of short pieces: a copy of known size is a few moves, not a call.
template <std::size_t N> char *writeLiteral(char *to, const char (&text)[N])
{
    std::memcpy(to, text, N - 1);
    return to + N - 1;
}

char *writeShort(char *to, QByteArrayView bytes)
{
    for (const char b : bytes)
        *to++ = b;
    return to;
}

QByteArray gb18030Of(const char *utf8)
{
    QByteArray bytes;
    appendGb18030(bytes, QString::fromUtf8(utf8));
    return bytes;
}

} // namespace

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

    int lineNumber = 0;
    forEachLine(recordFileText, [&](QByteArrayView line) {
        ++lineNumber;
        const qsizetype nameEnd = line.indexOf('|');
        if (nameEnd < 0)
            return true;
        const QByteArrayView name = line.first(nameEnd);
        // A record without a kind field counts as an ordinary game.
        const QByteArrayView kind = recordField(line.sliced(nameEnd + 1), 2);
        const bool points = kind.size() == 1 && kind[0] == '0';
        if (name.isEmpty() && !points)
            return true;
        char number[16];
        const QByteArrayView n(number, std::to_chars(number, number + sizeof number, lineNumber).ptr - number);
        const QByteArrayView marker = points ? QByteArrayView(pointsMarker) : QByteArrayView();
        // UTF-8 never takes fewer bytes than UTF-16 units, so the name's bytes bound its units.
        const qsizetype at = page.size();
        page.resize(at + kEntryMarkup + 2 * n.size() + dot.size() + marker.size() +
                    name.size() * kMostEscapedBytesPerUnit);
        char *to = page.data() + at;
        to = writeLiteral(to, kEntryOpen);
        to = writeShort(to, n);
        to = writeLiteral(to, kEntryNameStart);
        to = writeShort(to, dot);
        to = writeShort(to, marker);
        to = writeName(to, name);
        to = writeLiteral(to, kEntryDelete);
        to = writeShort(to, n);
        to = writeLiteral(to, kEntryClose);
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
