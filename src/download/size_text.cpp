#include "download/size_text.h"

#include <QLocale>

namespace {

// One decimal place, then every ".0" dropped, as the player has always seen sizes written.
QString oneDecimal(double value, bool groupThousands)
{
    QLocale locale(QLocale::English, QLocale::UnitedStates);
    locale.setNumberOptions(groupThousands ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', 1).remove(".0");
}

} // namespace

QString SizeText(qint64 n)
{
    if (n < 1024)
        return QString::number(n) + "b";
    if (n < 0x100000)
        return QString::number(n / 1024) + "k";
    if (n < 0x20000000)
        return oneDecimal(double(n / 1024) / 1024.0, false) + "M";
    return oneDecimal(double(n / 0x100000) / 1024.0, true) + "G";
}
