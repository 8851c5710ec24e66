// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "app/Main.h"
#include "app/Seged.h"
#include "controls/uEditEx.h"
#include "tests/support/MainWindowFixture.h"

namespace {

// The texts of a menu's entries without their keys ("&Undo\tCtrl+Z" is "&Undo").
QStringList entries(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions()) {
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0);
    }
    return texts;
}

} // namespace

// The program-wide start-up: after it the toolkit's own texts speak Hungarian like the window.
class tst_Seged : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void editBoxMenus_data();
    void editBoxMenus();
    void dialogButtons_data();
    void dialogButtons();

private:
    MainWindowFixture m_main;
};

void tst_Seged::initTestCase()
{
    const QString catalogue = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_hu.qm");
    QVERIFY2(QFile::exists(catalogue),
        qPrintable(catalogue + QStringLiteral(" is missing: scripts/setup installs qt6-translations-l10n")));
    InitApplication();
}

void tst_Seged::cleanup()
{
    m_main.close();
}

void tst_Seged::editBoxMenus_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("entry box") << QStringLiteral("EditEx1");
    QTest::newRow("player 1's name") << QStringLiteral("ComboBox1");
    QTest::newRow("start score") << QStringLiteral("Edit1");
}

// The menu an edit box opens on a right click.
void tst_Seged::editBoxMenus()
{
    QFETCH(QString, box);
    QVERIFY(m_main.open());
    Tfrm_Main &w = *m_main.window();
    QLineEdit *edit = box == QStringLiteral("EditEx1") ? w.EditEx1
        : box == QStringLiteral("ComboBox1")           ? w.ComboBox1->lineEdit()
                                                       : w.Edit1;
    QVERIFY(edit);
    const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    QCOMPARE(entries(*menu),
        (QStringList {QStringLiteral("&Visszavonás"), QStringLiteral("Új&ra"), QStringLiteral("&Kivágás"),
            QStringLiteral("&Másolás"), QStringLiteral("&Beillesztés"), QStringLiteral("Törlés"),
            QStringLiteral("Összes kijelölése")}));
}

void tst_Seged::dialogButtons_data()
{
    QTest::addColumn<QDialogButtonBox::StandardButton>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("cancel") << QDialogButtonBox::Cancel << QStringLiteral("Mégse");
    QTest::newRow("yes") << QDialogButtonBox::Yes << QStringLiteral("&Igen");
    QTest::newRow("no") << QDialogButtonBox::No << QStringLiteral("&Nem");
    QTest::newRow("close") << QDialogButtonBox::Close << QStringLiteral("Bezárás");
}

// The standard buttons of the toolkit's dialogs.
void tst_Seged::dialogButtons()
{
    QFETCH(QDialogButtonBox::StandardButton, button);
    QDialogButtonBox buttons(button);
    QTEST(buttons.button(button)->text(), "text");
}

QTEST_MAIN(tst_Seged)
#include "tst_Seged.moc"
