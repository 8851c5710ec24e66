#include <QApplication>
#include <QTest>

#include "Main.h"

class tst_Main : public QObject
{
    Q_OBJECT

private slots:
    void opensWithCaption();
};

void tst_Main::opensWithCaption()
{
    Tfrm_Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Pontix"));
    window.close();
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(tst_Main)
#include "tst_Main.moc"
