// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Sentences spoken by the screen reader, wherever the keyboard focus is.
#pragma once

#include <QWidget>

// A notification for assistive technology that is never seen: it has no size and paints
// nothing. Each sentence becomes its accessible name and the notification shows anew, which a
// screen reader speaks at once (Orca does for a notification that shows). A changed name or
// description of the focused control would not do: Qt 6.4 tells such a change without its new
// text, and Orca speaks nothing for it.
class Announcer final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Announcer)

public:
    explicit Announcer(QWidget *parent = nullptr);
    ~Announcer() override;

    // Says the sentence while assistive technology listens; costs nothing otherwise.
    void announce(const QString &sentence);
};
