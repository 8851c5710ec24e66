// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QTest>

#include "controls/uEditEx.h"

namespace {

// Where the text stands in the box as shown: the caret's x before its first and after its
// last character.
QPair<int, int> textSpan(TEditEx &edit)
{
    edit.repaint(); // the line edit places its text when it paints
    const int saved = edit.cursorPosition();
    const bool hadSelection = edit.hasSelectedText();
    const int selStart = edit.selectionStart();
    const int selLength = edit.selectedText().size();
    edit.setCursorPosition(0);
    const int left = edit.inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    edit.setCursorPosition(edit.text().size());
    const int right = edit.inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    if (hadSelection)
        edit.setSelection(selStart, selLength);
    else
        edit.setCursorPosition(saved);
    return {left, right};
}

} // namespace

class tst_uEditEx : public QObject
{
    Q_OBJECT

private slots:
    void leftAlignedByDefault();
    void placement_data();
    void placement();
    void changeKeepsTextSelectionAndFocus();
    void sameValueChangesNothing();
};

void tst_uEditEx::leftAlignedByDefault()
{
    TEditEx edit;
    QCOMPARE(edit.Alignment(), taLeftJustify);
    QCOMPARE(edit.QLineEdit::alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

void tst_uEditEx::placement_data()
{
    QTest::addColumn<TAlignment>("alignment");
    QTest::newRow("left") << taLeftJustify;
    QTest::newRow("right") << taRightJustify;
    QTest::newRow("centre") << taCenter;
}

void tst_uEditEx::placement()
{
    QFETCH(TAlignment, alignment);
    TEditEx edit;
    edit.resize(200, 30);
    edit.setText(QStringLiteral("180"));
    edit.setAlignment(alignment);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    const auto [left, right] = textSpan(edit);
    QVERIFY(right > left);
    const int middle = edit.width() / 2;
    switch (alignment) {
    case taLeftJustify:
        QVERIFY2(left < 12, qPrintable(QString::number(left)));
        break;
    case taRightJustify:
        QVERIFY2(right > edit.width() - 12, qPrintable(QString::number(right)));
        break;
    case taCenter:
        QVERIFY2(std::abs((left + right) / 2 - middle) <= 2, qPrintable(QString::number((left + right) / 2)));
        break;
    }
}

void tst_uEditEx::changeKeepsTextSelectionAndFocus()
{
    QWidget window;
    TEditEx *edit = new TEditEx(&window);
    edit->setGeometry(10, 10, 200, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("145"));
    edit->setSelection(1, 2);
    const auto before = textSpan(*edit);

    edit->setAlignment(taCenter);
    QCOMPARE(edit->text(), QStringLiteral("145"));
    QCOMPARE(edit->selectedText(), QStringLiteral("45"));
    QVERIFY(edit->hasFocus());
    const auto after = textSpan(*edit);
    QVERIFY(after.first > before.first + 20);

    // Typing goes on where it was.
    QTest::keyClicks(edit, QStringLiteral("8"));
    QCOMPARE(edit->text(), QStringLiteral("18"));
}

void tst_uEditEx::sameValueChangesNothing()
{
    QWidget window;
    TEditEx *edit = new TEditEx(&window);
    edit->setGeometry(10, 10, 200, 30);
    edit->setAlignment(taCenter);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("99"));
    edit->selectAll();
    const QImage before = edit->grab().toImage();

    edit->setAlignment(taCenter);
    QCOMPARE(edit->Alignment(), taCenter);
    QCOMPARE(edit->selectedText(), QStringLiteral("99"));
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->grab().toImage(), before);
}

QTEST_MAIN(tst_uEditEx)
#include "tst_uEditEx.moc"
