#pragma once

#include <QString>
#include <QStringList>

// Helpers of the installation tests.

// Output and exit code of a finished program (-1 when it could not run or timed out).
struct RunResult {
    int exitCode = -1;
    QString output; // standard output and error together
};
RunResult runProgram(const QString &program, const QStringList &args, int msecs = 120000);

// Every file and symbolic link under folder, relative to it, sorted.
QStringList filesUnder(const QString &folder);
