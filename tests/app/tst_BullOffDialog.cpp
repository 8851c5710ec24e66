// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The bull-off question before a new match: each answer from the keyboard and the mouse.
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/BullOffDialog.h"

using namespace Qt::StringLiterals;

class tst_BullOffDialog : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void namesAsTyped();
};

namespace {

QPushButton *buttonNamed(QDialog &dialog, const QString &text)
{
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

void tst_BullOffDialog::answers_data()
{
    QTest::addColumn<bool>("player1Starts");
    QTest::addColumn<QString>("action"); // Enter, Esc, or the text of the button clicked
    QTest::addColumn<int>("answer"); // -1 for none, else BullOff

    QTest::newRow("Enter keeps the starter") << true << u"Enter"_s << int(BullOff::KeepStarter);
    QTest::newRow("Enter keeps the second player as starter") << false << u"Enter"_s << int(BullOff::KeepStarter);
    QTest::newRow("player 1 won it") << false << u"Anna"_s << int(BullOff::Player1);
    QTest::newRow("player 2 won it") << true << u"Béla"_s << int(BullOff::Player2);
    QTest::newRow("kept by a click") << false << u"Marad a kezdő (Béla)"_s << int(BullOff::KeepStarter);
    QTest::newRow("Esc starts no match") << true << u"Esc"_s << -1;
    QTest::newRow("Mégse starts no match") << true << u"Mégse"_s << -1;
}

void tst_BullOffDialog::answers()
{
    QFETCH(bool, player1Starts);
    QFETCH(QString, action);

    std::optional<BullOff> answer;
    bool asked = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        asked = true;
        if (action == u"Enter")
            QTest::keyClick(dialog, Qt::Key_Return);
        else if (action == u"Esc")
            QTest::keyClick(dialog, Qt::Key_Escape);
        else if (QPushButton *button = buttonNamed(*dialog, action))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            dialog->done(QDialog::Rejected);
    });
    answer = BullOffDialog::ask(u"Anna"_s, u"Béla"_s, player1Starts, nullptr);
    QVERIFY(asked);
    QTEST(answer ? int(*answer) : -1, "answer");
}

// A name holding "&" is shown as typed, not as a shortcut letter.
void tst_BullOffDialog::namesAsTyped()
{
    BullOffDialog dialog(u"Kis & Nagy"_s, u"Béla"_s, true, nullptr);
    QVERIFY(buttonNamed(dialog, u"Kis && Nagy"_s));
    QVERIFY(buttonNamed(dialog, u"Marad a kezdő (Kis && Nagy)"_s));
}

QTEST_MAIN(tst_BullOffDialog)
#include "tst_BullOffDialog.moc"
