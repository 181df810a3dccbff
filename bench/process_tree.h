#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QString>

#include <unistd.h>

// A program and the engine's helper processes it started, read from /proc.

// The process and every descendant.
inline QList<qint64> processTree(qint64 root)
{
    QList<qint64> tree{root};
    for (int i = 0; i < tree.size(); ++i) {
        const QString taskDir = QString("/proc/%1/task").arg(tree[i]);
        for (const QString &task : QDir(taskDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile children(taskDir + "/" + task + "/children");
            if (!children.open(QIODevice::ReadOnly))
                continue;
            for (const QByteArray &child : children.readAll().split(' '))
                if (!child.trimmed().isEmpty())
                    tree << child.trimmed().toLongLong();
        }
    }
    return tree;
}

// A field of /proc/<pid>/smaps_rollup ("Pss", "Pss_Anon" ...) in KiB, 0 when unreadable.
inline qint64 rollupKiB(qint64 pid, const QString &field)
{
    QFile rollup(QString("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    const QRegularExpression line("^" + field + ":\\s+(\\d+) kB", QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(rollup.readAll())).captured(1).toLongLong();
}

// The field summed over the tree. "Pss" shares each page out among all processes that map it,
// other programs' included: the web engine's libraries count for less while other engine
// programs run. "Pss_Anon" and "Pss_Shmem" are memory of the tree's own.
inline qint64 treeRollupKiB(qint64 root, const QString &field)
{
    qint64 total = 0;
    for (qint64 pid : processTree(root))
        total += rollupKiB(pid, field);
    return total;
}

// CPU seconds (user + system, all threads) the process has used so far.
inline double cpuSeconds(qint64 pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The command name in parentheses may hold spaces; the fields after it start with state.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / sysconf(_SC_CLK_TCK);
}

// CPU seconds per process of the tree, to compare two readings process by process: a helper
// started in between counts whole, one that ended in between is lost.
inline QHash<qint64, double> treeCpuSeconds(qint64 root)
{
    QHash<qint64, double> seconds;
    for (qint64 pid : processTree(root))
        seconds.insert(pid, cpuSeconds(pid));
    return seconds;
}

// Share of one core the tree used between two readings taken `elapsed` seconds apart.
inline double coreShare(const QHash<qint64, double> &before, const QHash<qint64, double> &after, double elapsed)
{
    double used = 0;
    for (auto it = after.begin(); it != after.end(); ++it)
        used += it.value() - before.value(it.key(), 0);
    return elapsed > 0 ? used / elapsed : 0;
}
