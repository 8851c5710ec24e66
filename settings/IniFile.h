// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <utility>

#include <QList>
#include <QString>

// One settings (INI) file: "[Section]" header lines, "Key=Value" lines under them. Section and key
// names match without regard to case; a value is the text after the first "=" with blanks removed.
//
// The file is taken as UTF-8 bytes (a leading UTF-8 byte order mark is allowed). Reading never
// fails: whatever cannot be read gives the caller's default. Writing changes only the lines it is
// about (or adds them), keeps every other byte of the file as it was, and replaces the file in a
// single step through a temporary file in the same folder, so the old file is either fully
// replaced or left exactly as it was. The file is never read or written through a symbolic link
// another user could have planted (see SafeFile). The folder is never created.
class IniFile
{
public:
    explicit IniFile(QString path);

    const QString &path() const;

    // Value text of Key in Section, at most 2047 characters; Default when the file, the section or
    // the key is missing or the file cannot be read.
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;

    // The value read as a 32-bit integer: optional leading spaces, an optional sign, then decimal
    // digits or, after "$" or "0x", hexadecimal digits. Anything else, empty text or a value out
    // of the 32-bit range gives Default.
    qint32 readInteger(const QString &section, const QString &key, qint32 defaultValue) const;
    // The same reading, none where readInteger would give its default.
    std::optional<qint32> readOptionalInteger(const QString &section, const QString &key) const;

    // The integer rule with Default as 1 or 0; 0 is false, every other integer true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // Sets Key in Section to Value: the key's line is replaced in place, or the key is added at the
    // end of its section, or the section is added at the end of the file, or the file is created.
    // False, with the old file untouched and the reason in errorString(), when the file cannot be
    // read whole or written, is marked read-only, or when a name or the value cannot be stored as
    // one line.
    bool writeString(const QString &section, const QString &key, const QString &value);
    // Each key of Entries set in Section as by writeString, in that order, all in one replacement
    // of the file: either all of them are written or none.
    bool writeStrings(const QString &section, const QList<std::pair<QString, QString>> &entries);
    bool writeInteger(const QString &section, const QString &key, qint32 value);
    bool writeBool(const QString &section, const QString &key, bool value);

    // The text stored for an integer: decimal, "-" before a negative one; for a boolean: "1" or "0".
    static QString integerText(qint32 value);
    static QString boolText(bool value);

    // Why the last write failed, in a few words; empty when it succeeded.
    const QString &errorString() const;

private:
    bool failed(const QString &why);

    QString m_path;
    QString m_error;
};
