// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The caption-following field link of the label tests.

#include "tests/support/LabelLink.h"

#include "db/Field.h"

LabelLink::LabelLink(TDataSource *source, const char *field)
{
    link.OnDataChange = [this] {
        caption = link.Field() ? link.Field()->DisplayText() : QString();
        ++updates;
    };
    link.setFieldName(QString::fromLatin1(field));
    link.setDataSource(source);
}
