#include "app/AppStyle.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

namespace {

// Stands in for one of a style's own icons and asks the style for it the first time the icon
// is drawn, measured or copied out.
class StyleIconEngine final : public QIconEngine
{
public:
    StyleIconEngine(QStyle *style, QStyle::StandardPixmap which, Qt::LayoutDirection direction)
        : m_style(style)
        , m_which(which)
        , m_direction(direction)
    { }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    // The overflow arrow is never empty: answered without looking, since a button asks this
    // while it lays itself out.
    bool isNull() override { return m_style.isNull(); }

    QIconEngine *clone() const override { return new StyleIconEngine(*this); }

    QString key() const override { return QStringLiteral("StyleIconEngine"); }

private:
    QIcon &icon()
    {
        if (!m_asked && m_style) {
            m_asked = true;
            QStyleOption option;
            option.direction = m_direction;
            m_icon = m_style->standardIcon(m_which, &option);
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    Qt::LayoutDirection m_direction;
    bool m_asked = false;
    QIcon m_icon;
};

} // namespace

AppStyle::AppStyle(QStyle *base)
    : QProxyStyle(base)
{ }

QIcon AppStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton && standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    const Qt::LayoutDirection direction = option ? option->direction
        : widget                                 ? widget->layoutDirection()
                                                 : QGuiApplication::layoutDirection();
    return QIcon(new StyleIconEngine(baseStyle(), standardIcon, direction));
}
