#include "gif_writer.h"

#include <QHash>
#include <QList>

namespace {

void putWord(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// Codes of `width` bits, least significant bit first, cut into sub-blocks of 255 bytes.
class CodeStream {
public:
    void put(int code, int width)
    {
        bits_ |= quint32(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.append(char(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }

    QByteArray finishBlocks()
    {
        if (count_ > 0)
            bytes_.append(char(bits_ & 0xFF));
        QByteArray blocks;
        for (qsizetype at = 0; at < bytes_.size(); at += 255) {
            const QByteArray chunk = bytes_.mid(at, 255);
            blocks.append(char(chunk.size()));
            blocks.append(chunk);
        }
        blocks.append(char(0));
        return blocks;
    }

private:
    QByteArray bytes_;
    quint32 bits_ = 0;
    int count_ = 0;
};

} // namespace

std::optional<QByteArray> encodeGif(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QList<QRgb> palette{qRgb(0, 0, 0)}; // 0: transparent
    QHash<QRgb, int> indexOf;
    QByteArray pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 128) {
                pixels.append(char(0));
                continue;
            }
            const QRgb colour = pixel | 0xFF000000u;
            auto found = indexOf.constFind(colour);
            if (found == indexOf.constEnd()) {
                if (palette.size() == 256)
                    return std::nullopt;
                found = indexOf.insert(colour, int(palette.size()));
                palette.append(colour);
            }
            pixels.append(char(*found));
        }
    }

    int paletteBits = 1;
    while ((1 << paletteBits) < palette.size())
        ++paletteBits;
    const int minimumCodeSize = std::max(2, paletteBits);

    QByteArray out("GIF89a");
    putWord(out, image.width());
    putWord(out, image.height());
    out.append(char(0x80 | ((paletteBits - 1) << 4) | (paletteBits - 1))); // global colour table
    out.append(char(0));                                                    // background colour
    out.append(char(0));                                                    // square pixels
    for (int i = 0; i < (1 << paletteBits); ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : 0;
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    out.append("\x21\xF9\x04\x01", 4); // graphic control: transparent colour present
    putWord(out, 0);                   // no delay
    out.append(char(0));               // transparent colour index
    out.append(char(0));
    out.append(char(0x2C));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, image.width());
    putWord(out, image.height());
    out.append(char(0)); // no local table, not interlaced

    // After a clear code every literal but the first adds a table entry; the width grows
    // once the table reaches 2^(size + 1) entries, so restart after 2^size − 2 literals.
    const int clear = 1 << minimumCodeSize;
    const int width = minimumCodeSize + 1;
    const int literalsPerRun = clear - 2;
    CodeStream codes;
    for (qsizetype at = 0; at < pixels.size(); ++at) {
        if (at % literalsPerRun == 0)
            codes.put(clear, width);
        codes.put(quint8(pixels[at]), width);
    }
    codes.put(clear + 1, width); // end of information
    out.append(char(minimumCodeSize));
    out.append(codes.finishBlocks());
    out.append(char(0x3B));
    return out;
}
