// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/DisplayAccessible.h"

#include <QPointer>
#include <QStringList>

#include "display/Display.h"
#include "sheet/ResultView.h"

namespace {

constexpr int Band = 0;
constexpr int WholeHalf = -1;
constexpr int GameStatistics = 7;

int partKey(int half, int item)
{
    return half * 100 + item + 1;
}

SpectatorDisplayAccessible *readersOf(SpectatorDisplay *display)
{
    return display ? dynamic_cast<SpectatorDisplayAccessible *>(QAccessible::queryAccessibleInterface(display))
                   : nullptr;
}

// A statistic's value as said: a dash stands for none.
QString spokenValue(const QString &value)
{
    return value == QStringLiteral("–") ? SpectatorDisplay::tr("nincs") : value;
}

// One text of the display: the band, a half, or a text in a half.
class DisplayPartAccessible final : public QAccessibleInterface
{
public:
    DisplayPartAccessible(SpectatorDisplay *display, int half, int item)
        : m_display(display)
        , m_half(half)
        , m_item(item)
    { }

    bool isValid() const override { return !m_display.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_display ? m_display->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        SpectatorDisplayAccessible *readers = readersOf(m_display);
        if (!readers || m_half == Band || m_item == WholeHalf)
            return readers;
        return readers->child(m_half);
    }
    int childCount() const override { return isHalf() ? SpectatorDisplayAccessible::HalfItems : 0; }
    QAccessibleInterface *child(int index) const override
    {
        if (!isHalf() || index < 0 || index >= SpectatorDisplayAccessible::HalfItems)
            return nullptr;
        SpectatorDisplayAccessible *readers = readersOf(m_display);
        return readers ? readers->part(m_half, index) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child)
                return i;
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface *item = child(i);
            if (item && item->rect().contains(x, y))
                return item;
        }
        return nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        SpectatorDisplayAccessible *readers = readersOf(m_display);
        if (!readers)
            return {};
        if (t == QAccessible::Name)
            return readers->textOf(m_half, m_item);
        if (t == QAccessible::Description && isHalf())
            return SpectatorDisplay::tr("%1. játékos").arg(m_half);
        return {};
    }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        if (!m_display)
            return {};
        QRect local;
        if (m_half == Band) {
            local = m_display->matchBand();
        } else {
            const SpectatorDisplay::Parts &parts = m_display->parts(m_half);
            switch (m_item) {
            case WholeHalf:
                local = parts.area;
                break;
            case 0:
                local = parts.band;
                break;
            case 1:
                local = parts.figure;
                break;
            case 2:
                local = parts.route;
                break;
            default:
                local = parts.labels[size_t(m_item - 3)] | parts.values[size_t(m_item - 3)];
                break;
            }
        }
        return QRect(m_display->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return isHalf() ? QAccessible::Grouping : QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        // The halves are covered while the result sheet shows in their place.
        state.invisible = !m_display || !m_display->isVisible() || (m_half != Band && m_display->showsSheet());
        return state;
    }

private:
    bool isHalf() const { return m_half != Band && m_item == WholeHalf; }

    const QPointer<SpectatorDisplay> m_display;
    const int m_half;
    const int m_item;
};

QAccessibleInterface *displayFactory(const QString &, QObject *object)
{
    if (auto *display = qobject_cast<SpectatorDisplay *>(object))
        return new SpectatorDisplayAccessible(display);
    return nullptr;
}

} // namespace

SpectatorDisplayAccessible::SpectatorDisplayAccessible(SpectatorDisplay *display)
    : QAccessibleWidget(display, QAccessible::Window)
    , m_following(
          QObject::connect(display, &SpectatorDisplay::shownTextsChanged, display, [this] { shownTextsChanged(); }))
{ }

SpectatorDisplayAccessible::~SpectatorDisplayAccessible()
{
    QObject::disconnect(m_following);
    const QList<QAccessible::Id> ids = m_parts.values();
    m_parts.clear();
    for (const QAccessible::Id id : ids)
        QAccessible::deleteAccessibleInterface(id);
}

SpectatorDisplay *SpectatorDisplayAccessible::display() const
{
    return static_cast<SpectatorDisplay *>(widget());
}

QString SpectatorDisplayAccessible::textOf(int half, int item) const
{
    const SpectatorDisplay *d = display();
    if (half == Band) {
        QString band = d->matchBandText();
        band.replace(QStringLiteral("·"), QStringLiteral(","));
        band = band.simplified().replace(QStringLiteral(" ,"), QStringLiteral(","));
        // A band of sets names its sets and legs itself.
        if (d->showsMatchWinner() || d->showsSets())
            return band;
        return SpectatorDisplay::tr("Legek: %1").arg(band);
    }
    const QStringList shown = d->shownTexts(half);
    if (item == WholeHalf)
        return shown[0];
    switch (item) {
    case 0: {
        QString name = shown[0];
        if (d->marksThrower(half))
            name += SpectatorDisplay::tr(", következik");
        if (d->marksStarter(half))
            name += SpectatorDisplay::tr(", kezdte a leget");
        return name;
    }
    case 1:
        return SpectatorDisplay::tr("Kell még: %1").arg(shown[1]);
    case 2:
        if (shown[2] == SpectatorDisplay::checkedOutCaption())
            return shown[2];
        // Setting up, "T20 → 441": the aim and what it leaves, in words.
        if (const QStringList setUp = shown[2].split(QStringLiteral(" \u2192 ")); setUp.size() == 2)
            return SpectatorDisplay::tr("Előkészítés: %1, marad %2").arg(setUp[0], setUp[1]);
        return SpectatorDisplay::tr("Kiszálló: %1").arg(shown[2].isEmpty() ? SpectatorDisplay::tr("nincs") : shown[2]);
    default: {
        const int statistic = item - 3;
        const QString value
            = statistic < GameStatistics ? shown[3 + statistic] : d->matchTexts(half)[statistic - GameStatistics];
        return QStringLiteral("%1: %2").arg(SpectatorDisplay::statisticLabel(statistic), spokenValue(value));
    }
    }
}

QAccessibleInterface *SpectatorDisplayAccessible::part(int half, int item) const
{
    const int key = partKey(half, item);
    if (const auto found = m_parts.constFind(key); found != m_parts.cend())
        return QAccessible::accessibleInterface(found.value());
    auto *made = new DisplayPartAccessible(display(), half, item);
    m_parts.insert(key, QAccessible::registerAccessibleInterface(made));
    return made;
}

// The band and the two halves, and the result sheet while it shows: its table is read as a table.
int SpectatorDisplayAccessible::childCount() const
{
    return display()->showsSheet() ? 4 : 3;
}

QAccessibleInterface *SpectatorDisplayAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (index == 3)
        return QAccessible::queryAccessibleInterface(display()->sheetView());
    return index == 0 ? part(Band, 0) : part(index, WholeHalf);
}

int SpectatorDisplayAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (int i = 0; i < childCount(); ++i) {
        if (this->child(i) == child)
            return i;
    }
    return -1;
}

QAccessibleInterface *SpectatorDisplayAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface *part = child(i);
        if (part->rect().contains(x, y))
            return part;
    }
    return nullptr;
}

void SpectatorDisplayAccessible::shownTextsChanged()
{
    const bool first = m_told.isEmpty();
    for (int half = 0; half <= 2; ++half) {
        for (int item = half == Band ? 0 : WholeHalf; item < (half == Band ? 1 : HalfItems); ++item) {
            const QString text = textOf(half, item);
            QString &told = m_told[partKey(half, item)];
            if (told == text)
                continue;
            told = text;
            if (first)
                continue;
            QAccessibleEvent event(part(half, item), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void InstallDisplayAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(displayFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
