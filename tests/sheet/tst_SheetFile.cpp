// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The result sheet saved as PDF and PNG, and saving that fails: the reason told, nothing left
// behind, a file that stood there before untouched.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "sheet/ResultView.h"
#include "sheet/ResultWindow.h"
#include "sheet/SheetFile.h"
#include "tests/support/GameOnTable.h"
#include "tests/support/OtherUser.h"
#include <sys/stat.h>

using namespace Qt::StringLiterals;

class tst_SheetFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void saved_data();
    void saved();
    void notSaved_data();
    void notSaved();
    void readOnlyFolder();
    void windowTellsWhy();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<GameOnTable> m_game;
};

void tst_SheetFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_game = std::make_unique<GameOnTable>(501);
    QCOMPARE(m_game->play(u"180 100 180 140 141 d3 n 60 100 60 100 60 100"_s), QString());
}

void tst_SheetFile::saved_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("PDF") << u"sheet.pdf"_s;
    QTest::newRow("PNG") << u"sheet.png"_s;
    QTest::newRow("the suffix in capitals") << u"Eredmény.PDF"_s;
}

// A PDF file is a PDF document; a PNG file a picture of an A4 page across at 150 dots an inch.
void tst_SheetFile::saved()
{
    QFETCH(QString, name);
    ResultView view(m_game->match);
    const QString path = m_dir->filePath(name);
    QCOMPARE(SaveResultSheet(view, path), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (name.endsWith(u"png"_s, Qt::CaseInsensitive)) {
        const QImage image(path);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), SheetPictureSize);
    } else {
        QVERIFY(file.read(5).startsWith("%PDF-"));
        QVERIFY(file.size() > 1000);
        file.seek(file.size() - 8);
        QVERIFY(file.readAll().contains("%%EOF"));
    }
    // Only the file: no temporary one left beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {name});
}

void tst_SheetFile::notSaved_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a folder that does not exist") << u"missing/sheet.pdf"_s;
    QTest::newRow("a folder that does not exist, PNG") << u"missing/sheet.png"_s;
    QTest::newRow("a file in place of the folder") << u"plain/sheet.png"_s;
    QTest::newRow("neither PDF nor PNG") << u"sheet.txt"_s;
    QTest::newRow("no suffix") << u"sheet"_s;
}

void tst_SheetFile::notSaved()
{
    QFETCH(QString, name);
    QFile plain(m_dir->filePath(u"plain"_s));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    ResultView view(m_game->match);
    QVERIFY(!SaveResultSheet(view, m_dir->filePath(name)).isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {u"plain"_s});
}

// In a folder its user may not write to, neither a new file nor the one there is touched; as the
// superuser may write anywhere, the save runs as nobody then.
void tst_SheetFile::readOnlyFolder()
{
    const QString folder = m_dir->filePath(u"locked"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString existing = folder + u"/old.png"_s;
    QFile old(existing);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("before");
    old.close();
    QVERIFY(::chmod(QFile::encodeName(existing).constData(), 0444) == 0);
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    ResultView view(m_game->match);
    const QString failed = runUnprivileged([&] {
        for (const QString &name : {u"new.pdf"_s, u"new.png"_s, u"old.png"_s}) {
            if (SaveResultSheet(view, folder + u'/' + name).isEmpty())
                return u"saved %1 in a read-only folder"_s.arg(name);
        }
        return QString();
    });
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList {u"old.png"_s});
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("before"));
}

// The window shows where the sheet went, or why it did not go.
void tst_SheetFile::windowTellsWhy()
{
    ResultWindow window(m_game->match);
    const QString error = window.saveTo(m_dir->filePath(u"missing/sheet.pdf"_s));
    QVERIFY(!error.isEmpty());
    QCOMPARE(window.message(), error);
    QVERIFY(window.message().startsWith(u"Nem sikerült menteni"_s));
    QCOMPARE(window.saveTo(m_dir->filePath(u"sheet.png"_s)), QString());
    QVERIFY(window.message().startsWith(u"Mentve: "_s));
    QVERIFY(QFile::exists(m_dir->filePath(u"sheet.png"_s)));
}

QTEST_MAIN(tst_SheetFile)
#include "tst_SheetFile.moc"
