#include "records/gb18030.h"

#include <QStringEncoder>

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace {

// List pages are rebuilt on every record change and the converter costs about a hundred
// nanoseconds a character, so each BMP character's bytes are kept once converted. GB18030 is
// stateless, so a character's bytes do not depend on its neighbours. Zero means "not yet": no
// character outside ASCII encodes to a single zero byte.
std::atomic<std::uint32_t> bmpBytes[0x10000];

std::uint32_t packed(const QByteArray &bytes)
{
    std::uint32_t value = 0;
    for (const char b : bytes)
        value = value << 8 | static_cast<std::uint8_t>(b);
    return value;
}

// GB18030 has one-, two- and four-byte sequences whose lead byte is never zero, so the size
// of the packed value tells the length.
char *writePacked(char *to, std::uint32_t value)
{
    if (value >= 0x1000000)
        *to++ = char(value >> 24), *to++ = char(value >> 16);
    else if (value >= 0x10000)
        *to++ = char(value >> 16);
    if (value >= 0x100)
        *to++ = char(value >> 8);
    *to++ = char(value);
    return to;
}

char *writeBytes(char *to, const QByteArray &bytes)
{
    return std::copy(bytes.cbegin(), bytes.cend(), to);
}

QByteArray convert(QStringView text)
{
    QStringEncoder gb18030("GB18030");
    return gb18030.encode(text);
}

} // namespace

char *writeGb18030Bmp(char *to, char16_t c)
{
    if (c < 0x80) {
        *to++ = char(c);
        return to;
    }
    std::uint32_t value = bmpBytes[c].load(std::memory_order_relaxed);
    if (value == 0) {
        value = packed(convert(QStringView(&c, 1)));
        bmpBytes[c].store(value, std::memory_order_relaxed);
    }
    return writePacked(to, value);
}

char *writeGb18030(char *to, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (!QChar::isSurrogate(c)) {
            to = writeGb18030Bmp(to, c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            to = writeBytes(to, convert(text.sliced(i, 2)));
            ++i;
        } else {
            to = writeBytes(to, convert(text.sliced(i, 1)));
        }
    }
    return to;
}

void appendGb18030(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size() * kMostGb18030BytesPerUnit);
    out.truncate(writeGb18030(out.data() + start, text) - out.constData());
}
