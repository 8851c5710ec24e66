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
LazyIconEngine::File *LazyIconEngine::bestFile(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    const auto matches = [&](const File &file) { return file.mode == mode && file.state == state; };
    const bool own = std::any_of(m_files.cbegin(), m_files.cend(), matches);
    File *best = nullptr;
    for (File &file : m_files) {
        if (own ? !matches(file) : (file.mode != QIcon::Normal || file.state != QIcon::Off))
            continue;
        if (!best) {
            best = &file;
            continue;
        }
        const int a = area(best->size);
        const int b = area(file.size);
        if (std::min(a, b) >= area(size) ? b < a : b > a)
            best = &file;
    }
    return best;
}

// The decoded icon draws from the best file it holds; holding the best of all files, it draws
// from that one, as an icon holding them all would.
QIcon &LazyIconEngine::decodedFor(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    File *best = bestFile(size, mode, state);
    if (best && !best->decoded) {
        best->decoded = true;
        m_decoded.addPixmap(QPixmap::fromImage(QImage(best->name)), best->mode, best->state);
    }
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
    const File *best = bestFile(size, mode, state);
    if (!best)
        return QSize();
    QSize actual = best->size;
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
