// Pictures as the pixels they decode to, the form in which the program builds in the pictures it
// shows at start: reading them back is a copy instead of a decode.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

// A header (the size, the pixel format, the scale the picture is drawn at) and the rows as the
// decoder gave them, four bytes a pixel; any other format is held as ARGB32.
QByteArray pixelsOf(const QImage &image);

// The picture held in such pixels, or a null image when they are not in that form (wrong mark,
// unknown format, a size that does not match the rows).
QImage imageFromPixels(QByteArrayView pixels);
