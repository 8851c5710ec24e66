#include "Main.h"

#include <QApplication>
#include <QIcon>

#include "Seged.h"

int main(int argc, char *argv[])
{
    // The executable's folder is known only once the application object exists; the folders
    // are fixed before anything reads the settings file, that is before the main window.
    QApplication app(argc, argv);
    InitFolders();
    QApplication::setApplicationName(QStringLiteral("Pontix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pontix"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 72, 96})
        icon.addFile(QStringLiteral(":/assets/icon/pontix-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    Tfrm_Main window;
    frm_Main = &window;
    window.show();
    const int status = QApplication::exec();
    frm_Main = nullptr;
    return status;
}
