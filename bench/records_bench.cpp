// AddRecord + BuildListPage on download lists of 200, 2,000 and 20,000 records, against simply
// reading and rewriting the same bytes.
//
//   records_bench [--rounds N]
#include "records/list_page.h"
#include "records/records.h"
#include "startup/file_io.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#include <unistd.h>

namespace {

QByteArray downloads(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "%u8D2A%u5403%u86C7" + QByteArray::number(i) + "|" + QByteArray::number(10000 + i) + "|" +
                QByteArray::number(10000 + i) + "|1\r\n";
    return text;
}

// Median time of `work`, each round after an untimed `setUp`.
template <class S, class F> double medianMs(int rounds, S &&setUp, F &&work)
{
    QList<double> times;
    for (int i = 0; i < rounds; ++i) {
        setUp();
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
    std::printf("records  add+page ms  read+rewrite ms  ratio  page text ms  its writes ms\n");
    for (int count : {200, 2000, 20000}) {
        const QByteArray text = downloads(count);
        // A player's record change comes long after the previous write has reached the disk;
        // without the sync each round would wait for the last round's writeback instead.
        const auto setUp = [&] {
            replaceFile(file, text);
            ::sync();
        };
        const double add = medianMs(rounds, setUp, [&] { records.AddRecord("%u65B0", "1", "1", 1, "date_d.dat"); });
        const double plain = medianMs(rounds, setUp, [&] {
            const auto bytes = readWholeFile(file);
            replaceFile(file, *bytes);
            replaceFile(dir.filePath("d.htm"), *bytes);
        });
        // Where the time goes: the page's text alone, and the add's two replacements alone
        // (the record file and its page, with the bytes the add writes).
        const double page = medianMs(rounds, [] {}, [&] { listPageFromRecords(text); });
        records.AddRecord("%u65B0", "1", "1", 1, "date_d.dat");
        const QByteArray added = *readWholeFile(file);
        const QByteArray addedPage = *readWholeFile(dir.filePath("d.htm"));
        const double writes = medianMs(rounds, setUp, [&] {
            replaceFile(file, added);
            replaceFile(dir.filePath("d.htm"), addedPage);
        });
        std::printf("%7d  %11.3f  %15.3f  %5.2f  %12.3f  %12.3f\n", count, add, plain, add / plain, page, writes);
    }
    return 0;
}
