// AddRecord + BuildListPage on download lists of 200, 2,000 and 20,000 records, against simply
// reading and rewriting the same bytes.
//
//   records_bench [--rounds N]
#include "records/records.h"
#include "startup/file_io.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

QByteArray downloads(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "%u8D2A%u5403%u86C7" + QByteArray::number(i) + "|" + QByteArray::number(10000 + i) + "|" +
                QByteArray::number(10000 + i) + "|1\r\n";
    return text;
}

template <class F> double medianMs(int rounds, F &&work)
{
    QList<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times << clock.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 2 && QString(argv[1]) == "--rounds" ? QString(argv[2]).toInt() : 51;
    QTemporaryDir dir;
    const Records records(dir.path());
    const QString file = dir.filePath("date_d.dat");
    std::printf("records  add+page ms  read+rewrite ms  ratio\n");
    for (int count : {200, 2000, 20000}) {
        const QByteArray text = downloads(count);
        const double add = medianMs(rounds, [&] {
            replaceFile(file, text);
            records.AddRecord("%u65B0", "1", "1", 1, "date_d.dat");
        });
        const double plain = medianMs(rounds, [&] {
            replaceFile(file, text);
            const auto bytes = readWholeFile(file);
            replaceFile(file, *bytes);
            replaceFile(dir.filePath("d.htm"), *bytes);
        });
        // Both sides include the set-up write of the list; subtract it once.
        const double setUp = medianMs(rounds, [&] { replaceFile(file, text); });
        std::printf("%7d  %11.3f  %15.3f  %5.2f\n", count, add - setUp, plain - setUp,
                    (add - setUp) / std::max(plain - setUp, 1e-6));
    }
    return 0;
}
