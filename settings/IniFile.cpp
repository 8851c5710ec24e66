// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/IniFile.h"

#include <limits>
#include <optional>
#include <utility>

#include <QByteArray>
#include <QByteArrayView>
#include <QFileInfo>
#include <QStringDecoder>

#include "settings/SafeFile.h"

namespace {

constexpr qsizetype MaxValueLength = 2047;

// A settings file holds a few lines; anything beyond this is not one and is left alone.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

QByteArrayView trimmed(QByteArrayView s)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && isBlank(s[first]))
        ++first;
    while (last > first && isBlank(s[last - 1]))
        --last;
    return s.sliced(first, last - first);
}

// Names and values as they stand in the file: a U+FEFF at their start belongs to them (the file's
// own byte order mark is passed over before its first line), so what was written reads back.
QString decoded(QByteArrayView bytes)
{
    QStringDecoder decoder(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder(bytes);
}

bool sameName(QByteArrayView stored, QStringView wanted)
{
    return decoded(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

using SafeFile::ReadResult;

// The whole file, or Missing when there is none, or Failed when something is there that cannot
// be read whole (a folder, a device, an unreadable or oversized file).
ReadResult readWhole(const QString &path, QByteArray &data)
{
    return SafeFile::read(path, MaxFileSize, data);
}

// Where a key is, or where it would go, in the file's bytes.
struct Location
{
    bool sectionFound = false;
    bool keyFound = false;
    // The key's line content (without its line break) when found.
    qsizetype keyBegin = 0;
    qsizetype keyEnd = 0;
    QByteArrayView value;
    // Just past the last non-blank line of the section's first occurrence, and whether that
    // line ends with a line break.
    qsizetype sectionEnd = 0;
    bool sectionEndBroken = true;
    // The line break that ends that line: a line added after it ends the same way, so that its
    // break cannot run together with the next line's (a "\r" followed by an empty "\n" line).
    QByteArrayView sectionEndBreak;
    // The file's first line break, the style for lines added at the end of the file.
    QByteArrayView lineBreak = "\n";
};

Location locate(const QByteArray &data, QStringView section, QStringView key)
{
    Location loc;
    const QByteArrayView bytes(data);
    qsizetype pos = bytes.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    bool lineBreakSeen = false;
    bool inSection = false; // inside a section of the wanted name
    bool inFirstSection = false; // inside the first such section

    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < bytes.size())
            next += (bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n') ? 2 : 1;
        if (!lineBreakSeen && next > end) {
            lineBreakSeen = true;
            loc.lineBreak = bytes.sliced(end, next - end);
        }

        const QByteArrayView line = trimmed(bytes.sliced(pos, end - pos));
        if (line.startsWith('[')) {
            qsizetype close = line.indexOf(']');
            if (close < 0)
                close = line.size();
            inSection = sameName(trimmed(line.sliced(1, close - 1)), section);
            inFirstSection = inSection && !loc.sectionFound;
            if (inFirstSection) {
                loc.sectionFound = true;
                loc.sectionEnd = next;
                loc.sectionEndBroken = next > end;
                loc.sectionEndBreak = bytes.sliced(end, next - end);
            }
        } else if (inSection && !line.isEmpty()) {
            const qsizetype equals = line.indexOf('=');
            if (equals >= 0 && sameName(trimmed(line.first(equals)), key)) {
                loc.keyFound = true;
                loc.keyBegin = pos;
                loc.keyEnd = end;
                loc.value = trimmed(line.sliced(equals + 1));
                return loc;
            }
            if (inFirstSection) {
                loc.sectionEnd = next;
                loc.sectionEndBroken = next > end;
                loc.sectionEndBreak = bytes.sliced(end, next - end);
            }
        }
        pos = next;
    }
    return loc;
}

// A name that reads back as itself from one line of the file.
bool storableName(const QString &name, QChar terminator)
{
    return !name.isEmpty() && name.trimmed() == name && !name.contains(terminator) && !name.contains(u'\n')
        && !name.contains(u'\r');
}

std::optional<qint32> settingsInteger(QStringView text)
{
    QString owned;
    if (text.size() > 2 && (text.startsWith(u"0x") || text.startsWith(u"0X"))) {
        owned = QStringLiteral("$");
        owned += text.sliced(2);
        text = owned;
    }

    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;

    constexpr qint64 limit = -qint64(std::numeric_limits<qint32>::min());
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    if (negative)
        return qint32(-magnitude);
    if (magnitude > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(magnitude);
}

// Owner, group and others all denied writing: the file is meant to stay as it is, even for the
// superuser, who would otherwise replace it through the temporary file.
bool markedReadOnly(const QFileInfo &info)
{
    constexpr QFileDevice::Permissions anyWrite
        = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

// Data with Key in Section set to the line KeyLine: in place, at the end of the section, or in a
// section added at the end.
QByteArray withKeyLine(const QByteArray &data, QStringView section, QStringView key, const QByteArray &keyLine)
{
    const Location loc = locate(data, section, key);
    const QByteArray lineBreak = loc.lineBreak.toByteArray();
    QByteArray updated = data;
    if (loc.keyFound) {
        updated.replace(loc.keyBegin, loc.keyEnd - loc.keyBegin, keyLine);
    } else if (loc.sectionFound) {
        const QByteArray added
            = loc.sectionEndBroken ? keyLine + loc.sectionEndBreak.toByteArray() : lineBreak + keyLine + lineBreak;
        updated.insert(loc.sectionEnd, added);
    } else {
        const bool brokenAtEnd = data.isEmpty() || data == Utf8Bom || data.endsWith('\n') || data.endsWith('\r');
        if (!brokenAtEnd)
            updated += lineBreak;
        updated += '[' + section.toUtf8() + ']' + lineBreak + keyLine + lineBreak;
    }
    return updated;
}

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{ }

const QString &IniFile::path() const
{
    return m_path;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    QByteArray data;
    if (readWhole(m_path, data) != ReadResult::Read)
        return defaultValue;
    const Location loc = locate(data, section, key);
    if (!loc.keyFound)
        return defaultValue;
    QString value = decoded(loc.value);
    if (value.size() > MaxValueLength) {
        qsizetype length = MaxValueLength;
        if (value[length - 1].isHighSurrogate())
            --length;
        value.truncate(length);
    }
    return value;
}

qint32 IniFile::readInteger(const QString &section, const QString &key, qint32 defaultValue) const
{
    return settingsInteger(readString(section, key, QString())).value_or(defaultValue);
}

std::optional<qint32> IniFile::readOptionalInteger(const QString &section, const QString &key) const
{
    return settingsInteger(readString(section, key, QString()));
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    return writeStrings(section, {{key, value}});
}

bool IniFile::writeStrings(const QString &section, const QList<std::pair<QString, QString>> &entries)
{
    m_error.clear();
    if (!storableName(section, u']'))
        return failed(QStringLiteral("the section name cannot be stored"));
    for (const auto &[key, value] : entries) {
        if (!storableName(key, u'=') || key.startsWith(u'['))
            return failed(QStringLiteral("the key name cannot be stored"));
        if (value.contains(u'\n') || value.contains(u'\r'))
            return failed(QStringLiteral("the value cannot be stored on one line"));
    }

    QByteArray data;
    const ReadResult read = readWhole(m_path, data);
    if (read == ReadResult::Failed)
        return failed(QStringLiteral("the file cannot be read whole"));
    if (read == ReadResult::Read && markedReadOnly(QFileInfo(m_path)))
        return failed(QStringLiteral("the file is read-only"));
    // A UTF-16 file would be spoilt by the UTF-8 lines we add.
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF"))
        return failed(QStringLiteral("the file is in UTF-16"));

    QByteArray updated = data;
    for (const auto &[key, value] : entries)
        updated = withKeyLine(updated, section, key, key.toUtf8() + '=' + value.toUtf8());
    QString why;
    return SafeFile::replace(m_path, updated, &why) || failed(why);
}

bool IniFile::writeInteger(const QString &section, const QString &key, qint32 value)
{
    return writeString(section, key, integerText(value));
}

bool IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, boolText(value));
}

QString IniFile::integerText(qint32 value)
{
    return QString::number(value);
}

QString IniFile::boolText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

const QString &IniFile::errorString() const
{
    return m_error;
}

bool IniFile::failed(const QString &why)
{
    m_error = why;
    return false;
}
