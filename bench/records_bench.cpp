// AddRecord + BuildListPage on download lists of 200, 2,000 and 20,000 records, against simply
// reading and rewriting the same bytes. Each round times every column once, one after the
// other, so that the machine's slower and faster spells reach all of them alike; the figures
// are medians over the rounds.
//
//   records_bench [--rounds N]
#include "bench_support.h"
#include "records/list_page.h"
#include "records/records.h"
#include "base/file_io.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

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

double msOf(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e6;
}

// The value below which `share` of the times lie: 0.5 gives the median.
double quantile(std::vector<double> times, double share)
{
    std::sort(times.begin(), times.end());
    return times[std::min(times.size() - 1, std::size_t(share * double(times.size())))];
}

double median(const std::vector<double> &times) { return quantile(times, 0.5); }

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 2 && QString(argv[1]) == "--rounds" ? QString(argv[2]).toInt() : 51;
    QTemporaryDir dir;
    const Records records(dir.path());
    const QString file = dir.filePath("date_d.dat");
    const QString page = dir.filePath("d.htm");
    // Every replacement waits for its data to reach the disk, so the add's slowest rounds
    // (90th percentile) are shown too: the window must not wait a whole frame (16 ms).
    std::printf("records  add+page ms  add p90 ms  read+rewrite ms  ratio  page text ms  its writes ms\n");
    for (int count : {200, 2000, 20000}) {
        const QByteArray text = downloads(count);
        // A player's record change comes long after the previous write has reached the disk;
        // without the sync each round would wait for the last round's writeback instead.
        const auto setUp = [&] {
            replaceFile(file, text);
            ::sync();
        };
        setUp();
        records.AddRecord("%u65B0", "1", "1", 1, "date_d.dat");
        const QByteArray added = *readWholeFile(file);
        const QByteArray addedPage = *readWholeFile(page);

        std::vector<double> add, plain, pageText, writes;
        for (int i = 0; i < rounds; ++i) {
            setUp();
            add.push_back(msOf([&] { records.AddRecord("%u65B0", "1", "1", 1, "date_d.dat"); }));
            setUp();
            plain.push_back(msOf([&] {
                const auto bytes = readWholeFile(file);
                replaceFile(file, *bytes);
                replaceFile(page, *bytes);
            }));
            // Where the time goes: the page's text alone, and the add's two replacements alone
            // (the record file and its page, with the bytes the add writes).
            pageText.push_back(msOf([&] { listPageFromRecords(text); }));
            setUp();
            writes.push_back(msOf([&] {
                replaceFile(file, added);
                replaceFile(page, addedPage);
            }));
        }
        std::printf("%7d  %11.3f  %10.3f  %15.3f  %5.2f  %12.3f  %12.3f\n", count, median(add), quantile(add, 0.9),
                    median(plain), median(add) / median(plain), median(pageText), median(writes));
        if (count != 2000)
            continue;
        printRow("AddRecord + BuildListPage, 2,000 records, against reading and rewriting the bytes",
                 QList<double>(add.begin(), add.end()), QList<double>(plain.begin(), plain.end()), "ms", 3, "-");
        // The target counts the durable flush apart: the add's own work is its time less that of
        // its two replacements, round by round.
        QList<double> ownWork;
        for (std::size_t i = 0; i < add.size(); ++i)
            ownWork << add[i] - writes[i];
        printRow("AddRecord + BuildListPage, 2,000 records, less its two durable replacements", ownWork, {}, "ms", 3,
                 "<= 1 ms");
        printRow("the two durable replacements alone (record file and list page, each flushed to the disk)",
                 QList<double>(writes.begin(), writes.end()), {}, "ms", 3, "counted apart");
    }
    return 0;
}
