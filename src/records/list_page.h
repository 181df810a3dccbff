#pragma once

#include <QByteArray>
#include <QString>

// Decodes %uXXXX and %XX escapes as a browser's script escape produced them; a lone
// surrogate becomes U+FFFD. Never fails.
QString UnescapeText(const QString &s);

// The list page for the contents of a record file: GB18030 bytes under the page's
// "charset=gb2312" header, ending in CR LF.
QByteArray listPageFromRecords(const QByteArray &recordFileText);
