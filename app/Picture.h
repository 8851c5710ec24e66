// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading the program's pictures from its resources.
#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

// The picture at `resource`, laid out at `size`, with its "@2x" twin for a scaled screen, as
// QIcon(resource) holds them, but each read only when it is first drawn.
QIcon pictureIcon(const QString &resource, QSize size);
