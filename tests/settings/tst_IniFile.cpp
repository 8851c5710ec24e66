// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstddef>
#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "settings/IniFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include <unistd.h>

using namespace Qt::StringLiterals;

class tst_IniFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void readString_data();
    void readString();
    void readGivesDefaultsWhenNothingToRead();
    void readLongValue();
    void readSeveralMegabytes();
    void readUnreadableFile();

    void writeNewFile();
    void writeValues_data();
    void writeValues();
    void writtenReadsBack_data();
    void writtenReadsBack();
    void writeKeepsOtherLines_data();
    void writeKeepsOtherLines();
    void writeSeveralMegabytes();
    void writeKeepsPermissions();
    void writeThroughLink();
    void writeFails_data();
    void writeFails();
    void writeFailsMidway();
    void writeRefusesUnstorableText_data();
    void writeRefusesUnstorableText();

private:
    QString iniPath() const { return m_dir->filePath(u"Pontix.ini"_s); }
    QStringList folderEntries() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

// Bytes of a literal that may hold NUL bytes, without the closing NUL.
template <std::size_t N> QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

// Many sections and keys, every byte value among them, and a line break every 60 bytes or so.
QByteArray bulkyContent(qsizetype size)
{
    QByteArray bytes;
    bytes.reserve(size + 100);
    QRandomGenerator random(501);
    int section = 0;
    while (bytes.size() < size) {
        bytes += "[Section" + QByteArray::number(section++) + "]\n";
        for (int k = 0; k < 20; ++k)
            bytes += "Key" + QByteArray::number(k) + '=' + QByteArray::number(random.generate()) + '\n';
        bytes += "Indul=1\n";
    }
    return bytes;
}

} // namespace

void tst_IniFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_IniFile::cleanup()
{
    // Undo read-only marks so that the folder can go.
    if (QFileInfo(iniPath()).isFile())
        QFile::setPermissions(iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_dir.reset();
}

QStringList tst_IniFile::folderEntries() const
{
    return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

void tst_IniFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<qint32>("expected");

    // Read with a default of 42, so that a default can be told from a value read.
    QTest::newRow("0x prefix") << "0x1F5"_ba << 501;
    QTest::newRow("0X prefix, lower-case digits") << "0X1f5"_ba << 501;
    QTest::newRow("dollar prefix") << "$12D"_ba << 301;
    QTest::newRow("decimal") << "301"_ba << 301;
    QTest::newRow("blanks around") << " \t 301 \t "_ba << 301;
    QTest::newRow("leading zeros") << "007"_ba << 7;
    QTest::newRow("negative") << "-12"_ba << -12;
    QTest::newRow("plus sign") << "+12"_ba << 12;
    QTest::newRow("negative hex") << "-$10"_ba << -16;
    QTest::newRow("negative 0x") << "-0x10"_ba << -16;
    QTest::newRow("largest") << "2147483647"_ba << 2147483647;
    QTest::newRow("largest hex") << "$7FFFFFFF"_ba << 2147483647;
    QTest::newRow("smallest") << "-2147483648"_ba << qint32(-2147483647 - 1);
    QTest::newRow("smallest hex") << "-$80000000"_ba << qint32(-2147483647 - 1);
    QTest::newRow("letters") << "abc"_ba << 42;
    QTest::newRow("empty") << ""_ba << 42;
    QTest::newRow("above largest") << "2147483648"_ba << 42;
    QTest::newRow("below smallest") << "-2147483649"_ba << 42;
    QTest::newRow("hex above largest") << "$80000000"_ba << 42;
    QTest::newRow("far beyond range") << "99999999999999999999999"_ba << 42;
    QTest::newRow("0x alone") << "0x"_ba << 42;
    QTest::newRow("dollar alone") << "$"_ba << 42;
    QTest::newRow("sign alone") << "-"_ba << 42;
    QTest::newRow("not a hex digit") << "0x1G"_ba << 42;
    QTest::newRow("hex digit without prefix") << "1F5"_ba << 42;
    QTest::newRow("trailing letters") << "12abc"_ba << 42;
    QTest::newRow("space inside") << "1 2"_ba << 42;
    QTest::newRow("space after sign") << "- 5"_ba << 42;
    QTest::newRow("decimal point") << "1.5"_ba << 42;
    QTest::newRow("two signs") << "--5"_ba << 42;
    QTest::newRow("NUL inside") << ("30"_ba + '\0' + "1"_ba) << 42;
}

void tst_IniFile::readInteger()
{
    QFETCH(QByteArray, value);
    QFETCH(qint32, expected);
    putFile(iniPath(), "[Def]\nIndul=" + value + "\nKellKiszallo=1\n");
    QCOMPARE(IniFile(iniPath()).readInteger(u"Def"_s, u"Indul"_s, 42), expected);
}

void tst_IniFile::readBool_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");

    QTest::newRow("0") << "0"_ba << true << false;
    QTest::newRow("1") << "1"_ba << false << true;
    QTest::newRow("2") << "2"_ba << false << true;
    QTest::newRow("-1") << "-1"_ba << false << true;
    QTest::newRow("hex zero") << "0x0"_ba << true << false;
    QTest::newRow("word false, default true") << "false"_ba << true << true;
    QTest::newRow("word true, default false") << "true"_ba << false << false;
    QTest::newRow("empty, default true") << ""_ba << true << true;
    QTest::newRow("empty, default false") << ""_ba << false << false;
}

void tst_IniFile::readBool()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    putFile(iniPath(), "[Def]\nIndul=501\nKellKiszallo=" + value + '\n');
    QCOMPARE(IniFile(iniPath()).readBool(u"Def"_s, u"KellKiszallo"_s, defaultValue), expected);
}

void tst_IniFile::readString_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");

    const QString none = u"<default>"_s;
    QTest::newRow("plain") << "[Def]\nIndul=301\n"_ba << u"301"_s;
    QTest::newRow("names in other case") << "[dEF]\ninDUL=301\n"_ba << u"301"_s;
    QTest::newRow("blanks around names and value") << "  [ Def ]  \n \t Indul \t= \t3 01 \t\n"_ba << u"3 01"_s;
    QTest::newRow("empty value") << "[Def]\nIndul=\n"_ba << QString();
    QTest::newRow("value holding =") << "[Def]\nIndul=a=b\n"_ba << u"a=b"_s;
    QTest::newRow("UTF-8 value") << "[Def]\nIndul=\xc3\xa9j\xc3\xa9l\n"_ba << u"\u00e9j\u00e9l"_s;
    QTest::newRow("no final line break") << "[Def]\nIndul=301"_ba << u"301"_s;
    QTest::newRow("CRLF") << "[Other]\r\nIndul=1\r\n[Def]\r\nIndul=301\r\n"_ba << u"301"_s;
    QTest::newRow("lone CR") << "[Other]\rIndul=1\r[Def]\rIndul=301\r"_ba << u"301"_s;
    QTest::newRow("byte order mark before the section") << "\xEF\xBB\xBF[Def]\r\nIndul=301\r\n"_ba << u"301"_s;
    QTest::newRow("header without closing bracket") << "[Def\nIndul=301\n"_ba << u"301"_s;
    QTest::newRow("text after the header") << "[Def] ; settings\nIndul=301\n"_ba << u"301"_s;
    QTest::newRow("first of two keys") << "[Def]\nIndul=301\nINDUL=7\n"_ba << u"301"_s;
    QTest::newRow("key in a later section of the name")
        << "[Def]\nx=1\n[Other]\nIndul=1\n[DEF]\nIndul=301\n"_ba << u"301"_s;
    QTest::newRow("key in another section") << "[Other]\nIndul=301\n[Def]\nKellKiszallo=1\n"_ba << none;
    QTest::newRow("key before any section") << "Indul=301\n[Def]\n"_ba << none;
    QTest::newRow("commented out") << "[Def]\n;Indul=301\n# Indul=302\n"_ba << none;
    QTest::newRow("line without =") << "[Def]\nIndul\n"_ba << none;
    QTest::newRow("section name as prefix") << "[Default]\nIndul=301\n"_ba << none;
    QTest::newRow("empty file") << ""_ba << none;
    QTest::newRow("NUL bytes and garbage around")
        << bytes("\0\xff\xfe\x01garbage\0\n[Def]\n\0=\0\nIndul=301\n\0\0\n\xc3") << u"301"_s;
    QTest::newRow("NUL in the section name") << bytes("[De\0f]\nIndul=301\n") << none;
    QTest::newRow("UTF-16 file") << bytes("\xff\xfe[\0D\0e\0f\0]\0\n\0I\0n\0d\0u\0l\0=\0\x33\0\n\0") << none;
}

void tst_IniFile::readString()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    putFile(iniPath(), content);
    QCOMPARE(IniFile(iniPath()).readString(u"Def"_s, u"Indul"_s, u"<default>"_s), expected);
}

void tst_IniFile::readGivesDefaultsWhenNothingToRead()
{
    const QString missingFolder = m_dir->filePath(u"Missing/Pontix.ini"_s);
    const IniFile inMissingFolder(missingFolder);
    QCOMPARE(inMissingFolder.readInteger(u"Def"_s, u"Indul"_s, 501), 501);
    QCOMPARE(inMissingFolder.readBool(u"Def"_s, u"KellKiszallo"_s, true), true);
    QCOMPARE(inMissingFolder.readString(u"Def"_s, u"Indul"_s, u"x"_s), u"x"_s);

    const IniFile missingFile(iniPath());
    QCOMPARE(missingFile.readInteger(u"Def"_s, u"Indul"_s, 501), 501);
    QCOMPARE(missingFile.readBool(u"Def"_s, u"KellKiszallo"_s, false), false);

    QVERIFY(QDir(m_dir->path()).mkdir(u"Pontix.ini"_s));
    const IniFile folderInstead(iniPath());
    QCOMPARE(folderInstead.readInteger(u"Def"_s, u"Indul"_s, 501), 501);
    QCOMPARE(folderInstead.readBool(u"Def"_s, u"KellKiszallo"_s, true), true);

    QVERIFY(!QFileInfo::exists(m_dir->filePath(u"Missing"_s)));
}

void tst_IniFile::readLongValue()
{
    const QByteArray longValue(3000, '1');
    const QByteArray edgeOfPair = QByteArray(2046, 'a') + "\xf0\x9f\x8e\xaf"; // a dart board after 2046 letters
    putFile(iniPath(),
        "[Def]\nJunk=" + QByteArray(10000, 'x') + "\nIndul=" + longValue + "\nPair=" + edgeOfPair
            + "\nKellKiszallo=0\n");
    const IniFile ini(iniPath());

    QCOMPARE(ini.readString(u"Def"_s, u"Junk"_s, QString()), QString(2047, u'x'));
    QCOMPARE(ini.readString(u"Def"_s, u"Indul"_s, QString()), QString(2047, u'1'));
    QCOMPARE(ini.readInteger(u"Def"_s, u"Indul"_s, 501), 501);
    // Cut before the character that would no longer fit whole.
    QCOMPARE(ini.readString(u"Def"_s, u"Pair"_s, QString()), QString(2046, u'a'));
    QCOMPARE(ini.readBool(u"Def"_s, u"KellKiszallo"_s, true), false);
}

void tst_IniFile::readSeveralMegabytes()
{
    putFile(iniPath(), bulkyContent(6 * 1024 * 1024) + "[Def]\nIndul=301\nKellKiszallo=0\n");
    const IniFile ini(iniPath());
    QCOMPARE(ini.readInteger(u"Def"_s, u"Indul"_s, 501), 301);
    QCOMPARE(ini.readBool(u"Def"_s, u"KellKiszallo"_s, true), false);
    QCOMPARE(ini.readInteger(u"Section1000"_s, u"Indul"_s, 501), 1);
}

void tst_IniFile::readUnreadableFile()
{
    putFile(iniPath(), "[Def]\nIndul=301\n");
    QVERIFY(QFile::setPermissions(iniPath(), QFileDevice::WriteOwner));
    if (::geteuid() == 0)
        QSKIP("the superuser reads any file; a folder in place of the file covers the unreadable case");
    IniFile ini(iniPath());
    QCOMPARE(ini.readInteger(u"Def"_s, u"Indul"_s, 501), 501);
    // What cannot be read cannot be kept: writing would lose the other lines.
    QVERIFY(!ini.writeInteger(u"Def"_s, u"Indul"_s, 7));
    QVERIFY(QFile::setPermissions(iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(fileBytes(iniPath()), "[Def]\nIndul=301\n"_ba);
}

void tst_IniFile::writeNewFile()
{
    IniFile ini(iniPath());
    QVERIFY(ini.writeInteger(u"Def"_s, u"Indul"_s, 501));
    QVERIFY(ini.writeBool(u"Def"_s, u"KellKiszallo"_s, true));
    QCOMPARE(fileBytes(iniPath()), "[Def]\nIndul=501\nKellKiszallo=1\n"_ba);
    QCOMPARE(folderEntries(), QStringList {u"Pontix.ini"_s});
}

void tst_IniFile::writeValues_data()
{
    QTest::addColumn<qint32>("startScore");
    QTest::addColumn<bool>("exactCheckout");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("301, off") << 301 << false << "[Def]\nIndul=301\nKellKiszallo=0\n"_ba;
    QTest::newRow("0, on") << 0 << true << "[Def]\nIndul=0\nKellKiszallo=1\n"_ba;
    QTest::newRow("negative") << -5 << true << "[Def]\nIndul=-5\nKellKiszallo=1\n"_ba;
    QTest::newRow("smallest") << qint32(-2147483647 - 1) << false << "[Def]\nIndul=-2147483648\nKellKiszallo=0\n"_ba;
}

void tst_IniFile::writeValues()
{
    QFETCH(qint32, startScore);
    QFETCH(bool, exactCheckout);
    QFETCH(QByteArray, expected);

    putFile(iniPath(), "[Def]\nIndul=501\nKellKiszallo=1\n");
    IniFile ini(iniPath());
    QVERIFY(ini.writeInteger(u"Def"_s, u"Indul"_s, startScore));
    QVERIFY(ini.writeBool(u"Def"_s, u"KellKiszallo"_s, exactCheckout));
    QCOMPARE(fileBytes(iniPath()), expected);

    const IniFile reread(iniPath());
    QCOMPARE(reread.readInteger(u"Def"_s, u"Indul"_s, 501), startScore);
    QCOMPARE(reread.readBool(u"Def"_s, u"KellKiszallo"_s, !exactCheckout), exactCheckout);
}

void tst_IniFile::writtenReadsBack_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("accented names") << u"Beállítás"_s << u"Kiszálló"_s << u"igen"_s;
    // U+FEFF opening a name or value is a character of it, not a byte order mark.
    QTest::newRow("U+FEFF opening the section") << u"\uFEFF"_s << u"Indul"_s << u"301"_s;
    QTest::newRow("U+FEFF opening the key") << u"Def"_s << u"\uFEFFIndul"_s << u"301"_s;
    QTest::newRow("U+FEFF opening the value") << u"Def"_s << u"Indul"_s << u"\uFEFF301"_s;
}

void tst_IniFile::writtenReadsBack()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    IniFile ini(iniPath());
    QVERIFY(ini.writeString(section, key, value));
    QCOMPARE(ini.readString(section, key, u"(missing)"_s), value);
    // And again once the file exists.
    QVERIFY(ini.writeString(section, key, value + u'!'));
    QCOMPARE(ini.readString(section, key, u"(missing)"_s), value + u'!');
}

void tst_IniFile::writeKeepsOtherLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    // Every row writes Def / Indul := 301.
    QTest::newRow("replaced in place")
        << "; Pontix\n[Other]\nIndul=1\n\n[Def]\nx = y \nIndul = 501 \n; note\nKellKiszallo=0\n\n[Last]\nz=\n"_ba
        << "; Pontix\n[Other]\nIndul=1\n\n[Def]\nx = y \nIndul=301\n; note\nKellKiszallo=0\n\n[Last]\nz=\n"_ba;
    QTest::newRow("replaced, names in other case") << "[dEf]\n  INDUL=5\n"_ba
                                                   << "[dEf]\nIndul=301\n"_ba;
    QTest::newRow("replaced in the last line") << "[Def]\nIndul=5"_ba
                                               << "[Def]\nIndul=301"_ba;
    QTest::newRow("same value rewritten") << "[Def]\nIndul=301\n"_ba
                                          << "[Def]\nIndul=301\n"_ba;
    QTest::newRow("added at the end of the section") << "[Def]\nKellKiszallo=0\n\n[Other]\na=1\n"_ba
                                                     << "[Def]\nKellKiszallo=0\nIndul=301\n\n[Other]\na=1\n"_ba;
    QTest::newRow("added after a comment ending the section") << "[Def]\n;Indul=5\n[Other]\n"_ba
                                                              << "[Def]\n;Indul=5\nIndul=301\n[Other]\n"_ba;
    QTest::newRow("added to an empty section") << "[Def]\n\n\n[X]\n"_ba
                                               << "[Def]\nIndul=301\n\n\n[X]\n"_ba;
    QTest::newRow("added to the first of two sections") << "[Def]\na=1\n[Def]\nb=2\n"_ba
                                                        << "[Def]\na=1\nIndul=301\n[Def]\nb=2\n"_ba;
    QTest::newRow("replaced in the second of two sections") << "[Def]\na=1\n[Def]\nIndul=5\n"_ba
                                                            << "[Def]\na=1\n[Def]\nIndul=301\n"_ba;
    QTest::newRow("added after a last line without break") << "[Def]\nKellKiszallo=0"_ba
                                                           << "[Def]\nKellKiszallo=0\nIndul=301\n"_ba;
    QTest::newRow("section added") << "[Other]\na=1\n"_ba
                                   << "[Other]\na=1\n[Def]\nIndul=301\n"_ba;
    QTest::newRow("section added after a last line without break") << "[Other]\na=1"_ba
                                                                   << "[Other]\na=1\n[Def]\nIndul=301\n"_ba;
    QTest::newRow("section added to an empty file") << ""_ba
                                                    << "[Def]\nIndul=301\n"_ba;
    QTest::newRow("CRLF kept when replacing") << "[Def]\r\nIndul=5\r\nx=1\r\n"_ba
                                              << "[Def]\r\nIndul=301\r\nx=1\r\n"_ba;
    QTest::newRow("CRLF kept when adding a key") << "[Def]\r\nKellKiszallo=0\r\n"_ba
                                                 << "[Def]\r\nKellKiszallo=0\r\nIndul=301\r\n"_ba;
    QTest::newRow("CRLF kept when adding a section") << "[Other]\r\na=1\r\n"_ba
                                                     << "[Other]\r\na=1\r\n[Def]\r\nIndul=301\r\n"_ba;
    QTest::newRow("lone CR kept") << "[Def]\rKellKiszallo=0\r"_ba
                                  << "[Def]\rKellKiszallo=0\rIndul=301\r"_ba;
    // The file's first break is a lone CR, but the added line follows a line ending in LF and
    // precedes an empty LF line: ending it in CR would fuse the two breaks and lose that line.
    QTest::newRow("mixed breaks, empty line after the section kept") << "a\r[Def]\nx=1\n\n[Other]\n"_ba
                                                                     << "a\r[Def]\nx=1\nIndul=301\n\n[Other]\n"_ba;
    QTest::newRow("byte order mark kept, section found behind it") << "\xEF\xBB\xBF[Def]\nIndul=501\n"_ba
                                                                   << "\xEF\xBB\xBF[Def]\nIndul=301\n"_ba;
    QTest::newRow("byte order mark only") << "\xEF\xBB\xBF"_ba
                                          << "\xEF\xBB\xBF[Def]\nIndul=301\n"_ba;
    QTest::newRow("NUL bytes and garbage kept byte for byte")
        << bytes("\0\xff[Other]\0\nx=\xfe\xc3\n[Def]\n\0\0\nIndul=1\n\x80")
        << bytes("\0\xff[Other]\0\nx=\xfe\xc3\n[Def]\n\0\0\nIndul=301\n\x80");
}

void tst_IniFile::writeKeepsOtherLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    putFile(iniPath(), before);
    QVERIFY(IniFile(iniPath()).writeInteger(u"Def"_s, u"Indul"_s, 301));
    QCOMPARE(fileBytes(iniPath()), after);
    QCOMPARE(folderEntries(), QStringList {u"Pontix.ini"_s});
}

void tst_IniFile::writeSeveralMegabytes()
{
    const QByteArray head = bulkyContent(3 * 1024 * 1024);
    const QByteArray tail = bulkyContent(3 * 1024 * 1024);
    putFile(iniPath(), head + "[Def]\nIndul=501\n" + tail);

    IniFile ini(iniPath());
    QVERIFY(ini.writeInteger(u"Def"_s, u"Indul"_s, 301));
    QVERIFY(fileBytes(iniPath()) == head + "[Def]\nIndul=301\n" + tail);

    // Random binary content: kept whole, the section added behind it.
    QByteArray garbage(2 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator random(180);
    random.fillRange(reinterpret_cast<quint32 *>(garbage.data()), garbage.size() / 4);
    putFile(iniPath(), garbage);
    QCOMPARE(ini.readInteger(u"Def"_s, u"Indul"_s, 501), 501);
    QVERIFY(ini.writeInteger(u"Def"_s, u"Indul"_s, 301));
    QVERIFY(fileBytes(iniPath()).startsWith(garbage));
    QCOMPARE(ini.readInteger(u"Def"_s, u"Indul"_s, 501), 301);
}

void tst_IniFile::writeKeepsPermissions()
{
    putFile(iniPath(), "[Def]\nIndul=501\n");
    const QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::WriteGroup;
    QVERIFY(QFile::setPermissions(iniPath(), permissions));

    QVERIFY(IniFile(iniPath()).writeInteger(u"Def"_s, u"Indul"_s, 301));
    QCOMPARE(fileBytes(iniPath()), "[Def]\nIndul=301\n"_ba);
    QCOMPARE(QFile::permissions(iniPath()), permissions);
}

void tst_IniFile::writeThroughLink()
{
    const QString target = m_dir->filePath(u"Shared.ini"_s);
    putFile(target, "[Def]\nIndul=501\n");
    QVERIFY(QFile::link(target, iniPath()));

    QVERIFY(IniFile(iniPath()).writeInteger(u"Def"_s, u"Indul"_s, 301));
    QVERIFY(QFileInfo(iniPath()).isSymLink());
    QCOMPARE(fileBytes(target), "[Def]\nIndul=301\n"_ba);
}

void tst_IniFile::writeFails_data()
{
    QTest::addColumn<QString>("obstacle");

    QTest::newRow("folder missing") << u"folder missing"_s;
    QTest::newRow("folder in place of the file") << u"folder"_s;
    QTest::newRow("read-only file") << u"read-only"_s;
    QTest::newRow("UTF-16 file") << u"utf-16"_s;
    QTest::newRow("oversized file") << u"oversized"_s;
}

void tst_IniFile::writeFails()
{
    QFETCH(QString, obstacle);

    // The file's content where there is a file to keep.
    QString path = iniPath();
    QByteArray content;
    if (obstacle == u"folder missing"_s) {
        path = m_dir->filePath(u"Pontix/Pontix.ini"_s);
    } else if (obstacle == u"folder"_s) {
        QVERIFY(QDir(m_dir->path()).mkdir(u"Pontix.ini"_s));
    } else if (obstacle == u"read-only"_s) {
        content = "[Def]\nIndul=501\n"_ba;
        putFile(path, content);
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    } else if (obstacle == u"utf-16"_s) {
        content = bytes("\xff\xfe[\0D\0e\0f\0]\0\n\0");
        putFile(path, content);
    } else if (obstacle == u"oversized"_s) {
        putFile(path, "[Def]\nIndul=501\n"_ba);
        QFile file(path);
        QVERIFY(file.resize(65 * 1024 * 1024)); // sparse: cheap to make
    }
    const QStringList entriesBefore = folderEntries();
    const QDateTime modifiedBefore = QFileInfo(path).lastModified();

    IniFile ini(path);
    QVERIFY(!ini.writeInteger(u"Def"_s, u"Indul"_s, 301));
    QVERIFY(!ini.writeBool(u"Def"_s, u"KellKiszallo"_s, false));

    QCOMPARE(folderEntries(), entriesBefore);
    QCOMPARE(QFileInfo(path).lastModified(), modifiedBefore);
    if (!content.isEmpty())
        QCOMPARE(fileBytes(path), content);
    if (obstacle == u"oversized"_s)
        QCOMPARE(QFileInfo(path).size(), 65 * 1024 * 1024);
    if (obstacle == u"folder"_s)
        QVERIFY(QFileInfo(path).isDir());
}

// The file cannot grow beyond a limit: the new content cannot be written whole, so the old file
// stays and no temporary file is left behind.
void tst_IniFile::writeFailsMidway()
{
    const QByteArray content = "[Def]\nIndul=501\n" + QByteArray(20000, ';') + '\n';
    putFile(iniPath(), content);
    const QStringList entriesBefore = folderEntries();

    FileSizeLimit limit(4096);
    QVERIFY(limit.isSet());
    const bool written = IniFile(iniPath()).writeInteger(u"Def"_s, u"Indul"_s, 301);
    QVERIFY(limit.lift());

    QVERIFY(!written);
    QCOMPARE(fileBytes(iniPath()), content);
    QCOMPARE(folderEntries(), entriesBefore);
}

void tst_IniFile::writeRefusesUnstorableText_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("line break in the value") << u"Def"_s << u"Indul"_s << u"301\n[Evil]"_s;
    QTest::newRow("CR in the value") << u"Def"_s << u"Indul"_s << u"301\r"_s;
    QTest::newRow("empty section") << QString() << u"Indul"_s << u"301"_s;
    QTest::newRow("empty key") << u"Def"_s << QString() << u"301"_s;
    QTest::newRow("= in the key") << u"Def"_s << u"In=dul"_s << u"301"_s;
    QTest::newRow("key looking like a header") << u"Def"_s << u"[Indul"_s << u"301"_s;
    QTest::newRow("] in the section") << u"De]f"_s << u"Indul"_s << u"301"_s;
    QTest::newRow("line break in the section") << u"Def\n"_s << u"Indul"_s << u"301"_s;
    QTest::newRow("blanks around the key") << u"Def"_s << u" Indul"_s << u"301"_s;
}

void tst_IniFile::writeRefusesUnstorableText()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QByteArray content = "[Def]\nIndul=501\n"_ba;
    putFile(iniPath(), content);
    QVERIFY(!IniFile(iniPath()).writeString(section, key, value));
    QCOMPARE(fileBytes(iniPath()), content);
}

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_IniFile.moc"
