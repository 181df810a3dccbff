#include "gif_writer.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace {

QImage decode(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "gif");
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// A pattern of `colours` colours (index 0 transparent) over w × h.
QImage pattern(int w, int h, int colours)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = (x * 7 + y * 13) % colours;
            image.setPixel(x, y, c == 0 ? qRgba(0, 0, 0, 0) : qRgb(c * 37 % 256, c * 91 % 256, c));
        }
    return image;
}

void expectSamePixels(const QImage &expected, const QImage &decoded)
{
    ASSERT_EQ(decoded.size(), expected.size());
    int wrong = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb e = expected.pixel(x, y);
            const QRgb d = decoded.pixel(x, y);
            wrong += qAlpha(e) == 0 ? qAlpha(d) != 0 : d != e;
        }
    EXPECT_EQ(wrong, 0);
}

} // namespace

TEST(GifWriter, RoundTripsThroughQtsReaderAtEveryCodeSize)
{
    // 3, 16 and 200 colours: code sizes 2, 4 and 8, runs of 2, 14 and 254 literals between
    // table restarts; the sizes leave partial runs and partial sub-blocks at the end.
    for (const auto &[w, h, colours] : {std::tuple{10, 10, 3}, std::tuple{37, 23, 16}, std::tuple{61, 45, 200}}) {
        const QImage image = pattern(w, h, colours);
        const auto gif = encodeGif(image);
        ASSERT_TRUE(gif) << colours;
        EXPECT_TRUE(gif->startsWith("GIF89a"));
        EXPECT_TRUE(gif->endsWith(';'));
        expectSamePixels(image, decode(*gif));
    }
}

TEST(GifWriter, RefusesMoreThan255Colours)
{
    EXPECT_FALSE(encodeGif(pattern(40, 40, 300)));
}

TEST(GifWriter, ShippedDeleteIconIsATinyTransparentGif)
{
    QFile file(QStringLiteral(GAMEBOX_SOURCE_DIR) + "/resources/app/i.gif");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_LT(bytes.size(), 200);
    const QImage icon = decode(bytes);
    ASSERT_EQ(icon.size(), QSize(10, 10));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    const QRgb body = icon.pixel(1, 5);
    EXPECT_EQ(qAlpha(body), 255);
    EXPECT_GT(qRed(body), qGreen(body) + 100);
    EXPECT_EQ(icon.pixel(4, 4), qRgb(255, 255, 255)); // the cross
}
