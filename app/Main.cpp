#include "Main.h"

Tfrm_Main *frm_Main = nullptr;

Tfrm_Main::Tfrm_Main(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Pontix"));
    resize(1070, 480);
}

Tfrm_Main::~Tfrm_Main() = default;
