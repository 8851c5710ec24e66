// The program's widget style: the desktop's own, with one icon looked up late.
#pragma once

#include <QProxyStyle>

// Draws everything as the style it wraps does. A tool bar asks for its overflow arrow the moment
// it is built, and the style reads that arrow from a picture file, which loads every picture
// format the toolkit knows; here the arrow is asked of the wrapped style only when it is first
// drawn or measured, which for a tool bar wide enough to show its buttons is never.
class AppStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppStyle)

public:
    // Takes `base` over; without one, wraps the style the application would use.
    explicit AppStyle(QStyle *base = nullptr);
    ~AppStyle() override = default;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
        const QWidget *widget = nullptr) const override;
};
