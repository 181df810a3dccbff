#include "installed_tree.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>

RunResult runProgram(const QString &program, const QStringList &args, const QProcessEnvironment &env, int msecs)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(msecs)) {
        process.kill();
        process.waitForFinished(5000);
        return {-1, QString::fromUtf8(process.readAll()) + process.errorString()};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

bool installBuild(const QString &prefix, QString *error)
{
    const RunResult result = runProgram("cmake", {"--install", GAMEBOX_BINARY_DIR, "--prefix", prefix});
    if (result.exitCode != 0 && error)
        *error = result.output;
    return result.exitCode == 0;
}

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(folder.size() + 1);
    files.sort();
    return files;
}

QString desktopEntryValue(const QString &file, const QString &key)
{
    QFile entry(file);
    if (!entry.open(QIODevice::ReadOnly))
        return {};
    bool inGroup = false;
    for (const QByteArray &raw : entry.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith('['))
            inGroup = line == "[Desktop Entry]";
        else if (inGroup && line.startsWith(key + "="))
            return line.mid(key.size() + 1);
    }
    return {};
}

QString execProgram(const QString &exec)
{
    // The file format's escapes first (\\ stands for \), then the command line's quoting.
    QString value;
    for (int i = 0; i < exec.size(); ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size() && exec[i + 1] == '\\')
            ++i;
        value += exec[i];
    }
    value.replace("%%", "%");
    if (!value.startsWith('"'))
        return value.section(' ', 0, 0);
    QString program;
    for (int i = 1; i < value.size() && value[i] != '"'; ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            ++i;
        program += value[i];
    }
    return program;
}
