// SizeText for every 64-bit count: a number and one unit, and the number read back lies within
// the rounding of the count it stands for.
#include "download/size_text.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(qint64))
        return 0;
    qint64 n;
    std::memcpy(&n, data, sizeof n);
    const QString text = SizeText(n);
    FUZZ_CHECK(!text.isEmpty());
    const QChar unit = text.back();
    QString number = text.chopped(1);
    if (n < 1024) {
        FUZZ_CHECK(text == QString::number(n) + "b");
        return 0;
    }
    FUZZ_CHECK(!number.endsWith(".0"));
    // Thousands are grouped only in the giga unit.
    FUZZ_CHECK(unit == 'G' || !number.contains(','));
    number.remove(',');
    bool ok = false;
    const double value = number.toDouble(&ok);
    FUZZ_CHECK(ok && value > 0);
    const double scale = unit == 'k' ? 1024.0 : unit == 'M' ? 1048576.0 : unit == 'G' ? 1073741824.0 : 0.0;
    FUZZ_CHECK(scale > 0);
    // Whole kilobytes, or one decimal of the unit after whole kilo- or megabytes.
    const double slack = unit == 'k' ? 1024.0 : 0.05 * scale + scale / 1024.0;
    FUZZ_CHECK(std::fabs(value * scale - double(n)) <= slack + double(n) * 1e-12);
    FUZZ_CHECK(unit == (n < 0x100000 ? 'k' : n < 0x20000000 ? 'M' : 'G'));
    return 0;
}
