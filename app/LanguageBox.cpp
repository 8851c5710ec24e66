// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/LanguageBox.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>

namespace {
constexpr int Gap = 6;
constexpr int BoxWidth = 118;
// The panel's last row is as high as a check box: the box keeps to it.
constexpr int BoxHeight = 17;
// The label's text stands as the check boxes' texts beside it.
constexpr int LabelTop = 3;
} // namespace

LanguageBox::LanguageBox(LanguageChoice choice, QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(tr("Nyelv"), this))
    , m_box(new QComboBox(this))
{
    setObjectName(QStringLiteral("languageBox"));
    // Each language under its own name, so that a user who cannot read the language shown still
    // finds theirs.
    m_box->addItems({tr("automatikus"), QStringLiteral("magyar"), QStringLiteral("English")});
    m_box->setCurrentIndex(int(choice));
    m_label->adjustSize();
    m_box->setGeometry(m_label->width() + Gap, 0, BoxWidth, BoxHeight);
    m_label->move(0, LabelTop);
    m_label->setBuddy(m_box);
    m_box->setAccessibleName(m_label->text());
    const QString effect = tr("A felület nyelve, a következő indítástól. Automatikus: a rendszer nyelve "
                              "(LANGUAGE, LANG), magyar, ha az nem angol.");
    m_box->setToolTip(effect);
    m_box->setAccessibleDescription(effect);
    resize(m_box->geometry().right() + 1, std::max(BoxHeight, LabelTop + m_label->height()));
    connect(m_box, &QComboBox::currentIndexChanged, this, [this](int index) { emit chosen(LanguageChoice(index)); });
}

LanguageBox::~LanguageBox() = default;
