// The settings file reader and writer on arbitrary files. An input is
//     flags, section, NUL, key, NUL, value, NUL, file bytes
// (flags bit 0: there is no file; missing fields take "Def", "Indul", "501"). Every key of the
// file must read as the file says; then the section/key/value is written: the write fails only
// for names or values that cannot be stored, a failed write leaves the file as it was, and a
// write that succeeded reads back as written and keeps every other line of the file.

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

#include "app/IniFile.h"

namespace {

constexpr qsizetype MaxValueLength = 2047;
const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QString Marker = QStringLiteral("\u0001missing\u0001");

[[noreturn]] void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "fuzz_ini: %s %s\n", what, qUtf8Printable(detail));
    std::abort();
}

const QString &iniPath()
{
    // A memory-backed folder where there is one: every write replaces the file through a
    // synced temporary file.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/pontix-fuzz-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/pontix-fuzz-XXXXXX"));
    static const QString path = dir.path() + QStringLiteral("/Pontix.ini");
    if (!dir.isValid())
        fail("no temporary folder");
    return path;
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

void checkReads(const IniFile &ini, const QList<QByteArray> &lines)
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
        const QString expected = found.keyLine >= 0 ? valueRead(found.value) : Marker;
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool noFile = data[0] & 1;
    QByteArray rest(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    QByteArray fields[3] = {"Def", "Indul", "501"};
    for (QByteArray &field : fields) {
        const qsizetype nul = rest.indexOf('\0');
        if (nul < 0)
            break;
        field = rest.first(nul);
        rest.remove(0, nul + 1);
    }
    const QString section = decoded(fields[0]);
    const QString key = decoded(fields[1]);
    const QString value = decoded(fields[2]);

    const QString &path = iniPath();
    QFile::remove(path);
    if (!noFile) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(rest) != rest.size())
            fail("cannot prepare the file");
    }
    const std::optional<QByteArray> before = fileBytes(path);
    const QList<QByteArray> beforeLines = before ? linesOf(*before) : QList<QByteArray>();

    IniFile ini(path);
    checkReads(ini, beforeLines);

    const bool storable = storableName(section, u']') && storableName(key, u'=') && !key.startsWith(u'[')
        && !value.contains(u'\n') && !value.contains(u'\r')
        && !(before && (before->startsWith("\xFF\xFE") || before->startsWith("\xFE\xFF")));
    const bool written = ini.writeString(section, key, value);
    const std::optional<QByteArray> after = fileBytes(path);
    if (written != storable)
        fail(written ? "write of an unstorable entry succeeded:" : "write failed:", section + u'/' + key);
    if (!written) {
        if (after != before)
            fail("a failed write changed the file");
        return 0;
    }
    if (!after)
        fail("the file is gone after writing");
    if (before && before->startsWith(Utf8Bom) != after->startsWith(Utf8Bom))
        fail("byte order mark not kept");

    const QString expected = valueRead(trimmedBlanks(value.toUtf8()));
    const QString read = ini.readString(section, key, Marker);
    if (read != expected)
        fail("read back", QStringLiteral("[%1] %2: \"%3\", expected \"%4\"").arg(section, key, read, expected));
    checkLinesKept(beforeLines, linesOf(*after), section, key, key.toUtf8() + '=' + value.toUtf8());
    return 0;
}
