// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading the program's pictures from its resources.
#pragma once

#include <future>

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

// The picture at `resource`, laid out at `size`, with its "@2x" twin for a scaled screen, as
// QIcon(resource) holds them, but each read only when it is first drawn.
QIcon pictureIcon(const QString &resource, QSize size);

// The picture at `resource` as such an icon draws it on this screen (the "@2x" twin on a scaled
// screen), decoded on a thread of its own from now on: for a picture needed a little later, read
// meanwhile beside the program's other work. Taking it waits for the decoding if it is not done.
std::shared_future<QImage> readPictureMeanwhile(const QString &resource);
