#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What `make install` leaves under a prefix, installed from this build for a test.

// Output and exit code of a finished program (-1 when it could not run or timed out).
struct RunResult {
    int exitCode = -1;
    QString output; // standard output and error together
};
RunResult runProgram(const QString &program, const QStringList &args,
                     const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                     int msecs = 120000);

// Installs this build's install rules under prefix; true on success (else the output in error).
bool installBuild(const QString &prefix, QString *error);

// Every file and symbolic link under folder, relative to it, sorted.
QStringList filesUnder(const QString &folder);

// The value of key in the [Desktop Entry] group of a desktop entry file ("" when missing).
QString desktopEntryValue(const QString &file, const QString &key);

// The Exec value of a desktop entry as the program path it names: quoting and escapes undone.
QString execProgram(const QString &exec);
