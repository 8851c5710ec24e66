// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's widgets for the caller: its choice in the settings panel and, in the status
// bar, why it is silent.
#pragma once

#include <QLabel>
#include <QWidget>

#include "settings/Settings.h"

class Caller;
class QComboBox;

// "Bemondó" and a box of off, Hungarian and English, in the order of CallerSetting.
class CallerBox final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CallerBox)

public:
    explicit CallerBox(CallerSetting setting, QWidget *parent = nullptr);
    ~CallerBox() override;

    QComboBox *box() const { return m_box; }
    // Shows the setting, reporting nothing.
    void showSetting(CallerSetting setting);

signals:
    // The operator chose another setting.
    void chosen(CallerSetting setting);

private:
    QLabel *const m_label;
    QComboBox *const m_box;
};

// Why the caller cannot speak, in one line; hidden while it speaks or is off.
class CallerStatus final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CallerStatus)

public:
    explicit CallerStatus(QWidget *parent = nullptr);
    ~CallerStatus() override;

    void showState(const Caller &caller);
};
