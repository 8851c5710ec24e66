// Decodes one picture and writes the pixels it decodes to, which the program builds in beside
// the picture's file: bake_picture PICTURE PIXELS. Run by the build.
#include <cstdio>

#include <QCoreApplication>
#include <QImage>
#include <QSaveFile>

#include "app/Pixels.h"

int main(int argc, char *argv[])
{
    // The image readers are plugins, found through the application.
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: bake_picture PICTURE PIXELS\n");
        return 2;
    }
    const QImage image(arguments[1]);
    if (image.isNull()) {
        std::fprintf(stderr, "bake_picture: cannot decode %s\n", qPrintable(arguments[1]));
        return 1;
    }
    QSaveFile out(arguments[2]);
    if (!out.open(QIODevice::WriteOnly) || out.write(pixelsOf(image)) < 0 || !out.commit()) {
        std::fprintf(
            stderr, "bake_picture: cannot write %s: %s\n", qPrintable(arguments[2]), qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
