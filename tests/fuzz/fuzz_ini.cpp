// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file reader and writer on arbitrary files. An input is
//     flags, section, NUL, key, NUL, value, NUL, [key2, NUL, value2, NUL,] file bytes
// with the flags
//     bit 0: there is no file;
//     bit 1: the file is reached through a trusted link (from a folder of the user's alone);
//     bit 2: the file is reached through a planted link (from a folder all may write);
//     bit 3: key2 and value2 follow, and both keys are written in one go;
//     bit 4: an interrupted save left a temporary file beside the file;
// missing fields take "Def", "Indul", "501", "KellKiszallo", "1". Every key of the file must read
// as the file says; then the section/key/value is written: the write fails only for names or
// values that cannot be stored, a failed write leaves the file as it was, and a write that
// succeeded reads back as written, keeps every other line of the file and leaves no temporary
// file. Two keys written in one go give the file two writes one after the other would give. A
// planted link is never followed: every key reads as missing, and writing fails and changes
// nothing.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QTemporaryDir>

#include "settings/IniFile.h"
#include <sys/stat.h>

namespace {

constexpr qsizetype MaxValueLength = 2047;
const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QString Marker = QStringLiteral("\u0001missing\u0001");

[[noreturn]] void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "fuzz_ini: %s %s\n", what, qUtf8Printable(detail));
    std::abort();
}

// Where the file is, and the links that lead to it.
struct Paths
{
    QString folder; // the file's own folder
    QString file;
    QString trustedLink; // in a folder of the user's alone
    QString plantedLink; // in a folder all may write
    QString reference; // a file of its own, for the two writes one after the other
    QString stale; // a temporary file an interrupted save left
};

const Paths &paths()
{
    // A memory-backed folder where there is one: every write replaces the file through a
    // synced temporary file.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/pontix-fuzz-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/pontix-fuzz-XXXXXX"));
    static const Paths p = [] {
        if (!dir.isValid())
            fail("no temporary folder");
        const QDir root(dir.path());
        for (const char *name : {"file", "private", "shared", "reference"}) {
            if (!root.mkdir(QString::fromLatin1(name)))
                fail("cannot make a folder in", dir.path());
        }
        if (::chmod(QFile::encodeName(root.filePath(QStringLiteral("shared"))).constData(), 01777) != 0)
            fail("cannot open the shared folder");
        Paths made;
        made.folder = root.filePath(QStringLiteral("file"));
        made.file = made.folder + QStringLiteral("/Pontix.ini");
        made.trustedLink = root.filePath(QStringLiteral("private/Pontix.ini"));
        made.plantedLink = root.filePath(QStringLiteral("shared/Pontix.ini"));
        made.reference = root.filePath(QStringLiteral("reference/Pontix.ini"));
        // No process has the largest process id, so this temporary file's writer is gone.
        made.stale = made.folder + QStringLiteral("/Pontix.ini.tmp-2147483646-stale");
        if (!QFile::link(made.file, made.trustedLink) || !QFile::link(made.file, made.plantedLink))
            fail("cannot make the links");
        return made;
    }();
    return p;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail("cannot prepare the file", path);
}

std::optional<QByteArray> fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read back", path);
    return file.readAll();
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

QByteArray trimmedBlanks(const QByteArray &s)
{
    qsizetype first = 0;
    qsizetype end = s.size();
    while (first < end && isBlank(s[first]))
        ++first;
    while (end > first && isBlank(s[end - 1]))
        --end;
    return s.mid(first, end - first);
}

// UTF-8 as it stands: a U+FEFF at the start is a character, not a byte order mark to drop.
QString decoded(const QByteArray &bytes)
{
    QStringDecoder decoder(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder(bytes);
}

bool sameName(const QByteArray &stored, const QString &wanted)
{
    return decoded(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

// The file's lines without their line breaks ("\r\n", "\r" or "\n"); a break at the very end
// ends the last line rather than opening an empty one. A leading UTF-8 byte order mark is not
// part of the first line.
QList<QByteArray> linesOf(QByteArray data)
{
    if (data.startsWith(Utf8Bom))
        data.remove(0, Utf8Bom.size());
    QList<QByteArray> lines;
    qsizetype pos = 0;
    while (pos < data.size()) {
        qsizetype end = pos;
        while (end < data.size() && data[end] != '\r' && data[end] != '\n')
            ++end;
        lines << data.mid(pos, end - pos);
        if (end < data.size() && data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n')
            ++end;
        pos = end + 1;
    }
    return lines;
}

std::optional<QByteArray> sectionHeaderName(const QByteArray &line)
{
    const QByteArray t = trimmedBlanks(line);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return trimmedBlanks(t.mid(1, close < 0 ? -1 : close - 1));
}

// Where the rules find a key: the first "name = value" line of that name in any section of
// that name; and the first section of the name, from its header to the next header.
struct Found
{
    qsizetype header = -1;
    qsizetype sectionEnd = -1;
    qsizetype keyLine = -1;
    QByteArray value;
};

Found find(const QList<QByteArray> &lines, const QString &section, const QString &key)
{
    Found found;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionHeaderName(lines[i])) {
            if (found.header >= 0 && found.sectionEnd < 0)
                found.sectionEnd = i;
            inSection = sameName(*name, section);
            if (inSection && found.header < 0)
                found.header = i;
            continue;
        }
        const QByteArray t = trimmedBlanks(lines[i]);
        const qsizetype equals = t.indexOf('=');
        if (inSection && equals >= 0 && sameName(trimmedBlanks(t.first(equals)), key)) {
            found.keyLine = i;
            found.value = trimmedBlanks(t.sliced(equals + 1));
            break;
        }
    }
    if (found.header >= 0 && found.sectionEnd < 0)
        found.sectionEnd = lines.size();
    return found;
}

QString valueRead(const QByteArray &stored)
{
    QString value = decoded(stored);
    if (value.size() > MaxValueLength)
        value.truncate(value[MaxValueLength - 1].isHighSurrogate() ? MaxValueLength - 1 : MaxValueLength);
    return value;
}

// The settings' integer rule: "0x" becomes "$", then spaces, a sign, and decimal digits or,
// after "$" or "0x", hexadecimal digits, within 32 bits.
std::optional<qint32> integerRead(QString text)
{
    if (text.size() > 2 && (text.startsWith(QStringLiteral("0x")) || text.startsWith(QStringLiteral("0X"))))
        text = QStringLiteral("$") + text.mid(2);
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    int base = 10;
    if (text.mid(i, 1) == QStringLiteral("$")) {
        base = 16;
        i += 1;
    } else if (text.mid(i, 2).compare(QStringLiteral("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    }
    const QString digits = text.mid(i);
    if (digits.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : digits) {
        const int digit = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
            : base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f' && c.unicode() < 128
            ? c.toLower().unicode() - 'a' + 10
            : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return qint32(value);
}

bool storableName(const QString &name, QChar terminator)
{
    return !name.isEmpty() && name.trimmed() == name && !name.contains(terminator) && !name.contains(u'\n')
        && !name.contains(u'\r');
}

// Refused: the file is not to be read at all, so every key reads as missing.
void checkReads(const IniFile &ini, const QList<QByteArray> &lines, bool refused = false)
{
    int checked = 0;
    std::optional<QByteArray> section;
    for (const QByteArray &line : lines) {
        if (const auto name = sectionHeaderName(line)) {
            section = name;
            continue;
        }
        const QByteArray t = trimmedBlanks(line);
        const qsizetype equals = t.indexOf('=');
        if (!section || equals < 0)
            continue;
        const QString s = decoded(*section);
        const QString k = decoded(trimmedBlanks(t.first(equals)));
        const Found found = find(lines, s, k);
        const QString expected = found.keyLine >= 0 && !refused ? valueRead(found.value) : Marker;
        const QString read = ini.readString(s, k, Marker);
        if (read != expected)
            fail("read", QStringLiteral("[%1] %2: \"%3\", expected \"%4\"").arg(s, k, read, expected));
        const qint32 number = ini.readInteger(s, k, -7);
        if (number != integerRead(expected).value_or(-7))
            fail("readInteger", QStringLiteral("[%1] %2 = %3: %4").arg(s, k, expected).arg(number));
        if (ini.readBool(s, k, true) != (integerRead(expected).value_or(1) != 0))
            fail("readBool", QStringLiteral("[%1] %2 = %3").arg(s, k, expected));
        if (++checked == 32)
            break;
    }
}

QString describe(const QList<QByteArray> &lines)
{
    QStringList quoted;
    for (const QByteArray &line : lines)
        quoted << QStringLiteral("\"%1\"").arg(QString::fromUtf8(line.toPercentEncoding(" =[]")));
    return quoted.join(u' ');
}

void checkLinesKept(const QList<QByteArray> &before, const QList<QByteArray> &after, const QString &section,
    const QString &key, const QByteArray &keyLine)
{
    const Found found = find(before, section, key);
    QList<QByteArray> expected = before;
    if (found.keyLine >= 0) {
        expected[found.keyLine] = keyLine;
    } else if (found.header >= 0) {
        // One line added, somewhere after the section's header and before the next header.
        qsizetype p = 0;
        while (p < before.size() && p < after.size() && before[p] == after[p])
            ++p;
        if (p <= found.header || p > found.sectionEnd)
            fail("key added outside its section", describe(before) + QStringLiteral(" -> ") + describe(after));
        expected.insert(p, keyLine);
    } else {
        expected << '[' + section.toUtf8() + ']' << keyLine;
    }
    if (after != expected)
        fail("lines not kept", describe(before) + QStringLiteral(" -> ") + describe(after));
}

bool storable(const QString &section, const QString &key, const QString &value, const std::optional<QByteArray> &file)
{
    return storableName(section, u']') && storableName(key, u'=') && !key.startsWith(u'[') && !value.contains(u'\n')
        && !value.contains(u'\r') && !(file && (file->startsWith("\xFF\xFE") || file->startsWith("\xFE\xFF")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool noFile = data[0] & 1;
    const bool trusted = data[0] & 2;
    const bool planted = data[0] & 4;
    const bool twoKeys = data[0] & 8;
    const bool stale = data[0] & 16;
    QByteArray rest(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    QByteArray fields[5] = {"Def", "Indul", "501", "KellKiszallo", "1"};
    for (qsizetype i = 0; i < (twoKeys ? 5 : 3); ++i) {
        const qsizetype nul = rest.indexOf('\0');
        if (nul < 0)
            break;
        fields[i] = rest.first(nul);
        rest.remove(0, nul + 1);
    }
    const QString section = decoded(fields[0]);
    const QString key = decoded(fields[1]);
    const QString value = decoded(fields[2]);
    const QString key2 = decoded(fields[3]);
    const QString value2 = decoded(fields[4]);

    const Paths &p = paths();
    QFile::remove(p.file);
    QFile::remove(p.stale);
    if (!noFile)
        putFile(p.file, rest);
    if (stale)
        putFile(p.stale, "[Def]\nIndul=");
    const std::optional<QByteArray> before = fileBytes(p.file);
    const QList<QByteArray> beforeLines = before ? linesOf(*before) : QList<QByteArray>();

    IniFile ini(planted ? p.plantedLink : trusted ? p.trustedLink : p.file);
    checkReads(ini, beforeLines, planted);

    const bool canStore
        = storable(section, key, value, before) && (!twoKeys || storable(section, key2, value2, before));
    const bool written
        = twoKeys ? ini.writeStrings(section, {{key, value}, {key2, value2}}) : ini.writeString(section, key, value);
    const std::optional<QByteArray> after = fileBytes(p.file);
    if (planted) {
        if (written || after != before || ini.errorString().isEmpty())
            fail("written through a planted link");
        if (QFile::symLinkTarget(p.plantedLink) != p.file)
            fail("the planted link changed");
        return 0;
    }
    if (written != canStore)
        fail(written ? "write of an unstorable entry succeeded:" : "write failed:", section + u'/' + key);
    if (!written) {
        if (after != before)
            fail("a failed write changed the file");
        return 0;
    }
    if (!after)
        fail("the file is gone after writing");
    if (entries(p.folder) != QStringList {QStringLiteral("Pontix.ini")})
        fail("left beside the file:", entries(p.folder).join(u' '));
    if (trusted && QFile::symLinkTarget(p.trustedLink) != p.file)
        fail("the trusted link changed");
    if (before && before->startsWith(Utf8Bom) != after->startsWith(Utf8Bom))
        fail("byte order mark not kept");

    if (twoKeys) {
        QFile::remove(p.reference);
        if (before)
            putFile(p.reference, *before);
        IniFile reference(p.reference);
        if (!reference.writeString(section, key, value) || !reference.writeString(section, key2, value2))
            fail("the reference writes failed");
        if (fileBytes(p.reference) != after)
            fail("two keys in one go differ from two writes");
        return 0;
    }

    const QString expected = valueRead(trimmedBlanks(value.toUtf8()));
    const QString read = ini.readString(section, key, Marker);
    if (read != expected)
        fail("read back", QStringLiteral("[%1] %2: \"%3\", expected \"%4\"").arg(section, key, read, expected));
    checkLinesKept(beforeLines, linesOf(*after), section, key, key.toUtf8() + '=' + value.toUtf8());
    return 0;
}
