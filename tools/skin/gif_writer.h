#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

// A GIF89a file of one frame: a palette of the image's colours (at most 255), colour 0 for
// every pixel less than half opaque, marked transparent. Qt reads GIF but cannot write it.
// The LZW stream only ever emits literal codes and restarts the code table before its code
// width would grow: larger than a compressing encoder, but every decoder reads it and it
// needs no string table. Nothing for an image of more than 255 colours.
std::optional<QByteArray> encodeGif(const QImage &image);
