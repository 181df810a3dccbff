#include "records/list_page.h"
#include "records/unescape.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

QString decoded(const QByteArray &page) { return QStringDecoder("GB18030").decode(page); }

QString entriesOf(const QByteArray &records)
{
    const QString page = decoded(listPageFromRecords(records));
    const int from = page.indexOf("<ul>") + 4;
    return page.mid(from, page.indexOf("</ul>") - from);
}

} // namespace

TEST(UnescapeText, DecodesAsAScriptEscapeProducedIt)
{
    EXPECT_EQ(UnescapeText("%u8D2A%u5403%u86C7"), QString::fromUtf8("贪吃蛇"));
    EXPECT_EQ(UnescapeText("%41%42"), "AB");
    EXPECT_EQ(UnescapeText("100%"), "100%");
    EXPECT_EQ(UnescapeText("50%off"), "50off");
    EXPECT_EQ(UnescapeText("%u00e9"), QString::fromUtf8("é"));
    EXPECT_EQ(UnescapeText("%uZZZZ"), "%uZZZZ");
    EXPECT_EQ(UnescapeText("a+b"), "a+b");
    EXPECT_EQ(UnescapeText(""), "");
}

TEST(UnescapeText, EscapesNearTheEnd)
{
    EXPECT_EQ(UnescapeText("x%4"), "x%4");       // "%" within the last two characters stays
    EXPECT_EQ(UnescapeText("%u41"), "u41");      // "%u" too short: the "%" rule drops the "%"
    EXPECT_EQ(UnescapeText("%u4142"), "\u4142");
    EXPECT_EQ(UnescapeText("%u414"), "u414");
    EXPECT_EQ(UnescapeText("ab%u"), "ab%u");
}

TEST(UnescapeText, SurrogatesPairOrBecomeReplacementCharacters)
{
    EXPECT_EQ(UnescapeText("%uD83D%uDE00"), QString::fromUtf8("😀"));
    EXPECT_EQ(UnescapeText("%uD800x"), QString::fromUtf8("\xEF\xBF\xBDx"));
    EXPECT_EQ(UnescapeText("%uDE00%uD83D"), QString::fromUtf8("\xEF\xBF\xBD\xEF\xBF\xBD"));
}

TEST(ListPage, PageIsTheSixPiecesJoinedByCrLf)
{
    const QByteArray page = listPageFromRecords("\r\n");
    ASSERT_TRUE(page.endsWith("</script></body></html>\r\n"));
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                                "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"
                                "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><meta http-equiv="
                                "\"Content-Type\" content=\"text/html; charset=gb2312\" />"));
    EXPECT_EQ(page.count("\r\n"), 6);
    EXPECT_TRUE(page.contains("</ul></div>\r\n<script language='javascript'>var Ptr="));
    EXPECT_TRUE(page.contains("'t2';}}\r\nwindow.onload=$;\r\nfor(var i=0;"));
    EXPECT_TRUE(page.contains("\"t1\";};\r\nPtr[i].onmouseout"));
    EXPECT_FALSE(page.contains("<vod>"));
}

TEST(ListPage, EmptyListText)
{
    EXPECT_EQ(entriesOf("\r\n"), QString::fromUtf8("<div style=\"float:left;width:100%;text-align:center;"
                                                   "padding-top:30px;\">暂无记录</div>"));
    EXPECT_EQ(entriesOf(""), entriesOf("abc\r\n|\r\n"));
}

TEST(ListPage, EntriesCarryTheirLineNumbers)
{
    EXPECT_EQ(entriesOf("%u8D2A%u5403%u86C7|1|1|1\r\n\r\nB|2|2|0\r\n"),
              QString::fromUtf8("<li><a href=open://1>·贪吃蛇</a><em><a href=delk://1> </a></em></li>"
                                "<li><a href=open://3>·<font color=red>[积分]</font> B</a>"
                                "<em><a href=delk://3> </a></em></li>"));
}

TEST(ListPage, EmptyNamesAndShortRecords)
{
    // An empty name with kind 1 gives no entry but uses up its line number.
    EXPECT_EQ(entriesOf("|1|1|1\r\nA|2|2|1\r\n"),
              QString::fromUtf8("<li><a href=open://2>·A</a><em><a href=delk://2> </a></em></li>"));
    EXPECT_EQ(entriesOf("|1|1|0\r\n"),
              QString::fromUtf8("<li><a href=open://1>·<font color=red>[积分]</font> </a>"
                                "<em><a href=delk://1> </a></em></li>"));
    EXPECT_EQ(entriesOf("A|1\r\n"),
              QString::fromUtf8("<li><a href=open://1>·A</a><em><a href=delk://1> </a></em></li>"));
}

TEST(ListPage, DecodedNamesCannotInjectMarkup)
{
    const QString entries = entriesOf("%3Cscript%3Ealert(1)%3C/script%3E%26%22|1|1|1\r\n");
    EXPECT_TRUE(entries.contains("·&lt;script&gt;alert(1)&lt;/script&gt;&amp;&quot;</a>"));
    EXPECT_FALSE(entries.contains("<script"));
}

TEST(ListPage, EveryDecodedCharacterSurvivesTheEncoding)
{
    const QString entries = entriesOf("%u00e9%uD83D%uDE00%u20AC%uAC00|1|1|1\r\n");
    EXPECT_TRUE(entries.contains(QString::fromUtf8("·é😀€가</a>")));
}

TEST(ListPage, NamesThatAreNotOnlyEscapes)
{
    // Raw UTF-8 beside escapes, a lone surrogate beside a pair, markup in either form.
    EXPECT_TRUE(entriesOf("\xE8\xB4\xAA%u5403<%3E|1|1|1\r\n").contains(QString::fromUtf8("·贪吃&lt;&gt;</a>")));
    EXPECT_TRUE(entriesOf("a%uD800b%uD83D%uDE00\"|1|1|1\r\n").contains(QString::fromUtf8("·a\uFFFDb😀&quot;</a>")));
    EXPECT_TRUE(entriesOf("\xFF%u8D2A|1|1|1\r\n").contains(QString::fromUtf8("·\uFFFD贪</a>")));
}

TEST(ListPage, WholePageByteForByte)
{
    const QByteArray head =
        R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">)"
        R"(<html xmlns="http://www.w3.org/1999/xhtml"><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312" />)"
        R"(<title></title><style>*{padding:0;margin:0;}img{border:0;}body,html{border:0px;background-color:#F5F5F5;)"
        R"(font-size:12px;color:#000000;overflow-x:hidden;overflow-y:auto;}a:link,a:visited,a:active{color:#000000;)"
        R"(text-decoration:none;}a:hover{color:red}.f{float:left;width:100%}.f li{float:left;list-style:none;width:33%;)"
        R"(height:25px;line-height:25px;text-align:left;border-bottom:1px solid #CBD5E5;border-top:1px solid #ffffff; )"
        R"(cursor:default}.f li a,.f li em{margin-left:10px;}.f li em{font-style:normal;background:url(i.gif) no-repeat;)"
        R"(width:30px;}.f li img{}.f li.t2 em{display:none;}.f li.t1 em{}</style></head><body><div class="f" id="tab"><ul>)";
    // 贪吃蛇 and 积分 in GB18030.
    const QByteArray entries = "<li><a href=open://1>\xA1\xA4\xCC\xB0\xB3\xD4\xC9\xDF</a><em><a href=delk://1> </a></em></li>"
                               "<li><a href=open://2>\xA1\xA4<font color=red>[\xBB\xFD\xB7\xD6]</font> x</a>"
                               "<em><a href=delk://2> </a></em></li>";
    const QByteArray expected =
        head + entries + "</ul></div>\r\n"
        "<script language='javascript'>var Ptr=document.getElementById('tab').getElementsByTagName('li');\r\n"
        "function $() {for (i=0;i<Ptr.length;i++){Ptr[i].className = 't2';}}\r\n"
        "window.onload=$;\r\n"
        "for(var i=0;i<Ptr.length;i++){Ptr[i].onmouseover=function(){this.className = \"t1\";};\r\n"
        "Ptr[i].onmouseout=function(){this.className=\"t2\";};}</script></body></html>\r\n";
    EXPECT_EQ(listPageFromRecords("%u8D2A%u5403%u86C7|1|1|1\r\nx|2|2|0\r\n"), expected);
}
