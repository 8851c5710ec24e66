// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A field-bound label's link for tests, without the widget.
#pragma once

#include <QString>

#include "db/FieldDataLink.h"

class TDataSource;

// A field link as the main window's labels have them: its caption follows its link, and it
// counts how often it was updated.
struct LabelLink
{
    LabelLink(TDataSource *source, const char *field);

    TFieldDataLink link;
    QString caption = QStringLiteral("(never set)");
    int updates = 0;
};
