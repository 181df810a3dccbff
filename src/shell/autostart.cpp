#include "shell/autostart.h"

#include "base/file_io.h"

#include <QDir>
#include <QFile>

namespace {

// Characters that oblige an Exec argument to be quoted; a carriage return is not among them,
// but quoting keeps it inside the one argument.
bool needsQuotes(QChar c) { return QStringView(u" \t\n\r\"'\\><~|&;$*?#()`").contains(c); }

// Tabs and line ends are the control characters a string value can carry, as escapes.
bool isCarriedControl(QChar c) { return c == '\t' || c == '\n' || c == '\r'; }

QString quoted(const QString &argument)
{
    QString out = "\"";
    for (QChar c : argument) {
        if (QStringView(u"\"`$\\").contains(c))
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// The string value escapes of the file format, applied over the quoting; "%" is doubled so
// that it is not taken for a field code.
QString escapedValue(const QString &value)
{
    QString out;
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '%': out += "%%"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

QString autostartFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + "/.config";
    return QDir::cleanPath(base + "/autostart");
}

std::optional<QString> desktopExecArgument(const QString &executable)
{
    if (!QDir::isAbsolutePath(executable))
        return std::nullopt;
    bool quote = false;
    for (QChar c : executable) {
        if ((c.unicode() < 0x20 || c.unicode() == 0x7F) && !isCarriedControl(c))
            return std::nullopt;
        quote = quote || needsQuotes(c);
    }
    return escapedValue(quote ? quoted(executable) : executable);
}

std::optional<QByteArray> autostartEntry(const QString &executable)
{
    const std::optional<QString> exec = desktopExecArgument(executable);
    if (!exec)
        return std::nullopt;
    const QString entry = "[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Tamsa游戏盒\n"
                          "Icon=" + QString::fromLatin1(kAutostartIconName) + "\n"
                          "Exec=" + *exec + "\n";
    return entry.toUtf8();
}

bool writeAutostartEntry(const QString &executable, const QString &folder)
{
    const std::optional<QByteArray> entry = autostartEntry(executable);
    return entry && QDir().mkpath(folder) && replaceFile(folder + "/" + kAutostartEntryName, *entry);
}

bool removeAutostartEntry(const QString &folder) { return QFile::remove(folder + "/" + kAutostartEntryName); }
