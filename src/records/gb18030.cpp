#include "records/gb18030.h"

#include <QStringEncoder>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace {

// List pages are rebuilt on every record change and the converter costs about a hundred
// nanoseconds a character, so each BMP character's bytes are kept once converted. GB18030 is
// stateless, so a character's bytes do not depend on its neighbours. An entry holds the bytes,
// first byte lowest, and their count above them; zero means "not yet".
std::atomic<std::uint64_t> bmpBytes[0x10000];

std::uint64_t entryFor(const QByteArray &bytes)
{
    std::uint32_t value = 0;
    for (qsizetype i = 0; i < bytes.size() && i < 4; ++i)
        value |= std::uint32_t(static_cast<std::uint8_t>(bytes[i])) << (8 * i);
    return value | std::uint64_t(std::min<qsizetype>(bytes.size(), 4)) << 32;
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
    std::uint64_t entry = bmpBytes[c].load(std::memory_order_relaxed);
    if (entry == 0) {
        entry = entryFor(convert(QStringView(&c, 1)));
        bmpBytes[c].store(entry, std::memory_order_relaxed);
    }
    // All four bytes at once, without a branch on the length; the caller has the room.
    qToLittleEndian(std::uint32_t(entry), to);
    return to + (entry >> 32);
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
