// Reading the program's pictures from its resources.
#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

// The picture at `resource` (":/assets/splash.jpg"): the pixels built in for it when there are
// any (":/pixels/assets/splash.jpg"), else its file decoded. Either way a file named "@2x" is
// drawn at a scale of 2.
QImage readPicture(const QString &resource);

// The picture at `resource`, laid out at `size`, with its "@2x" twin for a scaled screen, as
// QIcon(resource) holds them, but each read only when it is first drawn.
QIcon pictureIcon(const QString &resource, QSize size);
