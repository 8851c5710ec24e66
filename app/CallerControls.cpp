// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CallerControls.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "caller/Caller.h"

CallerBox::CallerBox(CallerSetting setting, QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(tr("Bemondó"), this))
    , m_box(new QComboBox(this))
{
    setObjectName(QStringLiteral("callerBox"));
    // The label stands on the box's middle, as the exact-checkout box's text beside it.
    m_label->adjustSize();
    m_label->move(0, 5);
    m_box->addItems({tr("ki"), tr("magyar"), tr("angol")});
    m_box->setCurrentIndex(int(setting));
    m_box->setGeometry(62, 0, 118, 25);
    m_box->setAccessibleName(m_label->text());
    m_box->setAccessibleDescription(tr("A pontszámok bemondása: ki, magyarul vagy angolul"));
    m_label->setBuddy(m_box);
    resize(m_box->geometry().right() + 1, m_box->height());
    connect(m_box, &QComboBox::currentIndexChanged, this, [this](int index) { emit chosen(CallerSetting(index)); });
}

CallerBox::~CallerBox() = default;

void CallerBox::showSetting(CallerSetting setting)
{
    const QSignalBlocker quiet(m_box);
    m_box->setCurrentIndex(int(setting));
}

CallerStatus::CallerStatus(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("callerStatus"));
    setAccessibleName(tr("Bemondó"));
}

CallerStatus::~CallerStatus() = default;

void CallerStatus::showState(const Caller &caller)
{
    const QString reason = caller.silenceReason();
    setText(reason);
    setVisible(!reason.isEmpty());
}
