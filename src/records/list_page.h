#pragma once

#include <QByteArray>

// The list page for the contents of a record file: GB18030 bytes under the page's
// "charset=gb2312" header, ending in CR LF.
QByteArray listPageFromRecords(const QByteArray &recordFileText);
