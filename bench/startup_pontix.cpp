// Pontix's own start-up, as the program runs it, ended at the first paint of the main window.
#include <QApplication>

#include "BenchSupport.h"
#include "Main.h"
#include "Seged.h"

int main(int argc, char *argv[])
{
    const auto start = bench::Clock::now();
    QApplication app(argc, argv);
    InitApplication();

    Tfrm_Main window;
    frm_Main = &window;
    bench::ExitAtFirstPaint probe(&window, start);
    window.show();
    return QApplication::exec();
}
