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

inline qint64 pssKiB(qint64 pid)
{
    QFile rollup(QString("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression pss("^Pss:\\s+(\\d+) kB", QRegularExpression::MultilineOption);
    return pss.match(QString::fromLatin1(rollup.readAll())).captured(1).toLongLong();
}

inline qint64 treePssKiB(qint64 root)
{
    qint64 total = 0;
    for (qint64 pid : processTree(root))
        total += pssKiB(pid);
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
