// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/LazyIconEngine.h"

#include <algorithm>

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {

int area(const QSize &size)
{
    return size.width() * size.height();
}

} // namespace

void LazyIconEngine::addFile(const QString &fileName, const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    if (!fileName.isEmpty() && size.isValid())
        m_files.append({fileName, size, mode, state, false});
}

// The file an icon holding every file would draw the size from: among the files for the mode and
// state, or without any, the normal ones, the smallest that is large enough, else the largest.
qsizetype LazyIconEngine::bestFile(const QSize &size, QIcon::Mode mode, QIcon::State state) const
{
    const auto matches = [&](const File &file) { return file.mode == mode && file.state == state; };
    const bool own = std::any_of(m_files.cbegin(), m_files.cend(), matches);
    qsizetype best = -1;
    for (qsizetype i = 0; i < m_files.size(); ++i) {
        const File &file = m_files[i];
        if (own ? !matches(file) : (file.mode != QIcon::Normal || file.state != QIcon::Off))
            continue;
        if (best < 0) {
            best = i;
            continue;
        }
        const int a = area(m_files[best].size);
        const int b = area(file.size);
        if (std::min(a, b) >= area(size) ? b < a : b > a)
            best = i;
    }
    return best;
}

// The decoded icon draws from the best file it holds; holding the best of all files, it draws
// from that one, as an icon holding them all would.
QIcon &LazyIconEngine::decodedFor(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    const qsizetype best = bestFile(size, mode, state);
    if (best < 0 || m_files[best].decoded)
        return m_decoded;
    File &file = m_files[best];
    file.decoded = true;
    QImage image;
    if (m_meanwhile.valid() && best < m_meanwhile.get().size())
        image = m_meanwhile.get().at(best);
    if (image.isNull())
        image = QImage(file.name);
    m_decoded.addPixmap(QPixmap::fromImage(image), file.mode, file.state);
    // Once every file is in the decoded icon, the pictures decoded meanwhile are not needed.
    if (std::all_of(m_files.cbegin(), m_files.cend(), [](const File &each) { return each.decoded; }))
        m_meanwhile = {};
    return m_decoded;
}

QPixmap LazyIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    // At a ratio of 1 the decoded icon takes the size as it comes, in device pixels.
    return decodedFor(size, mode, state).pixmap(size, 1.0, mode, state);
}

void LazyIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    decodedFor(rect.size() * painter->device()->devicePixelRatio(), mode, state)
        .paint(painter, rect, Qt::AlignCenter, mode, state);
}

// The best file's size, scaled down to fit where it is larger; known without decoding.
QSize LazyIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    const qsizetype best = bestFile(size, mode, state);
    if (best < 0)
        return QSize();
    QSize actual = m_files[best].size;
    if (actual.width() > size.width() || actual.height() > size.height())
        actual.scale(size, Qt::KeepAspectRatio);
    return actual;
}

QList<QSize> LazyIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    QList<QSize> sizes;
    for (const File &file : std::as_const(m_files)) {
        if (file.mode == mode && file.state == state)
            sizes.append(file.size);
    }
    return sizes;
}

bool LazyIconEngine::isNull()
{
    return m_files.isEmpty();
}

QIconEngine *LazyIconEngine::clone() const
{
    return new LazyIconEngine(*this);
}

QString LazyIconEngine::key() const
{
    return QStringLiteral("LazyIconEngine");
}

void LazyIconEngine::readAllMeanwhile()
{
    QStringList names;
    for (const File &file : std::as_const(m_files))
        names.append(file.name);
    // The toolkit's image readers may be used from any thread.
    m_meanwhile = std::async(std::launch::async, [names] {
        QList<QImage> images;
        for (const QString &name : names)
            images.append(QImage(name));
        return images;
    }).share();
}
