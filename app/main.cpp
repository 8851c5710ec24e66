#include <QApplication>

#include "Main.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pontix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pontix"));

    Tfrm_Main window;
    frm_Main = &window;
    window.show();
    const int status = QApplication::exec();
    frm_Main = nullptr;
    return status;
}
