#include "records/list_page.h"

#include "records/records.h"
#include "startup/file_io.h"

#include <QStringBuilder>
#include <QStringEncoder>

#include <algorithm>

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
const char *const kPieces[] = {
    kPieceHead,
    "<script language='javascript'>var Ptr=document.getElementById('tab').getElementsByTagName('li');",
    "function $() {for (i=0;i<Ptr.length;i++){Ptr[i].className = 't2';}}",
    "window.onload=$;",
    "for(var i=0;i<Ptr.length;i++){Ptr[i].onmouseover=function(){this.className = \"t1\";};",
    "Ptr[i].onmouseout=function(){this.className=\"t2\";};}</script></body></html>",
};

const char kEmptyList[] =
    "<div style=\"float:left;width:100%;text-align:center;padding-top:30px;\">暂无记录</div>";
const char kPointsMarker[] = "<font color=red>[积分]</font> ";

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The value of `count` hex digits at s[at], or -1.
int hexRun(const QString &s, qsizetype at, int count)
{
    int value = 0;
    for (int k = 0; k < count; ++k) {
        const int digit = hexValue(s.at(at + k));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
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
QString escapeHtml(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c == '&' || c == '<' || c == '>' || c == '"'; }))
        return text;
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// GB18030 keeps ASCII as it is, so only the other characters go through the converter: the
// page is mostly markup.
QByteArray encodeGb18030(const QString &text)
{
    QStringEncoder gb18030("GB18030");
    QByteArray out;
    out.reserve(text.size() + text.size() / 4);
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype j = i;
        const bool ascii = text.at(i).unicode() < 0x80;
        while (j < text.size() && (text.at(j).unicode() < 0x80) == ascii)
            ++j;
        if (ascii)
            out += QStringView(text).sliced(i, j - i).toLatin1();
        else
            out += QByteArray(gb18030.encode(QStringView(text).sliced(i, j - i)));
        i = j;
    }
    return out;
}

} // namespace

QString UnescapeText(const QString &s)
{
    const qsizetype length = s.size();
    QString result;
    result.reserve(length);
    qsizetype p = 0; // 0-based: the rules' "p <= L - 5" is "p + 5 < L" here
    while (p < length) {
        const QChar c = s.at(p);
        if (c == '%' && p + 5 < length && s.at(p + 1) == 'u') {
            const int value = hexRun(s, p + 2, 4);
            if (value >= 0) {
                result += QChar(static_cast<char16_t>(value));
                p += 6;
            } else {
                result += c;
                p += 1;
            }
        } else if (c == '%' && p + 2 < length) {
            const int value = hexRun(s, p + 1, 2);
            if (value >= 0) {
                result += QChar(static_cast<char16_t>(value));
                p += 3;
            } else {
                p += 1; // the "%" is dropped
            }
        } else {
            result += c;
            p += 1;
        }
    }
    return replaceLoneSurrogates(result);
}

QByteArray listPageFromRecords(const QByteArray &recordFileText)
{
    QString entries;
    int lineNumber = 0;
    forEachLine(recordFileText, [&](QByteArrayView line) {
        ++lineNumber;
        const qsizetype nameEnd = line.indexOf('|');
        if (nameEnd < 0)
            return true;
        QString display = escapeHtml(UnescapeText(QString::fromUtf8(line.first(nameEnd))));
        // A record without a kind field counts as an ordinary game.
        if (recordField(line, 3) == "0")
            display.prepend(QString::fromUtf8(kPointsMarker));
        if (display.isEmpty())
            return true;
        const QString n = QString::number(lineNumber);
        entries += QLatin1String("<li><a href=open://") % n % QLatin1Char('>') % QChar(0x00B7) % display %
                   QLatin1String("</a><em><a href=delk://") % n % QLatin1String("> </a></em></li>");
        return true;
    });
    if (entries.isEmpty())
        entries = QString::fromUtf8(kEmptyList);

    QString page;
    for (const char *piece : kPieces) {
        if (!page.isEmpty())
            page += QLatin1String("\r\n");
        page += QString::fromUtf8(piece);
    }
    page.replace(QLatin1String("<vod>"), entries);
    page += QLatin1String("\r\n");
    return encodeGb18030(page);
}
