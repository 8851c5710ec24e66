// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/Pictures.h"

#include <cstdlib>

#include <QImage>
#include <QPixmap>

namespace {

QImage premultiplied(const QImage &image)
{
    QImage converted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    converted.setDevicePixelRatio(1);
    return converted;
}

bool samePixel(QRgb shown, QRgb expected)
{
    const int alpha = qAlpha(expected);
    if (qAlpha(shown) != alpha)
        return false;
    if (alpha == 255 || alpha == 0)
        return shown == expected;
    const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    return near(qRed(shown), qRed(expected)) && near(qGreen(shown), qGreen(expected))
        && near(qBlue(shown), qBlue(expected));
}

QString hex(QRgb pixel)
{
    return QStringLiteral("%1").arg(pixel, 8, 16, QLatin1Char('0'));
}

} // namespace

QString pictureDifference(const QImage &shown, const QImage &expected)
{
    if (shown.size() != expected.size()) {
        return QStringLiteral("%1 x %2 pixels, expected %3 x %4")
            .arg(shown.width())
            .arg(shown.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    const QImage got = premultiplied(shown);
    const QImage want = premultiplied(expected);
    for (int y = 0; y < want.height(); ++y) {
        const auto *gotLine = reinterpret_cast<const QRgb *>(got.constScanLine(y));
        const auto *wantLine = reinterpret_cast<const QRgb *>(want.constScanLine(y));
        for (int x = 0; x < want.width(); ++x) {
            if (!samePixel(gotLine[x], wantLine[x])) {
                return QStringLiteral("at %1,%2 premultiplied %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(hex(gotLine[x]), hex(wantLine[x]));
            }
        }
    }
    return {};
}

QString pictureDifference(const QPixmap &shown, const QPixmap &expected)
{
    return pictureDifference(shown.toImage(), expected.toImage());
}
