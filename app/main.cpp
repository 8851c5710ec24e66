#include "app/Main.h"

#include <QApplication>

#include "app/Seged.h"

int main(int argc, char *argv[])
{
    // The executable's folder is known only once the application object exists.
    QApplication app(argc, argv);
    InitApplication();

    Tfrm_Main window;
    frm_Main = &window;
    window.show();
    const int status = QApplication::exec();
    frm_Main = nullptr;
    return status;
}
