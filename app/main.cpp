#include "app/Main.h"

#include <QApplication>

#include "app/CloseOnSignal.h"
#include "app/Seged.h"

int main(int argc, char *argv[])
{
    CloseOnSignal closeOnSignal; // before the application object starts any thread
    // The executable's folder is known only once the application object exists.
    QApplication app(argc, argv);
    InitApplication();

    Tfrm_Main window;
    frm_Main = &window;
    window.show();
    closeOnSignal.watch(&window);
    const int status = QApplication::exec();
    frm_Main = nullptr;
    return status;
}
