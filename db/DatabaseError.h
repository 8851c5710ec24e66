// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <exception>

#include <QString>

// The data layer's errors. Each carries its finished text; an error raised with a dataset as
// its source is worded "<dataset name>: <text>".
class EDatabaseError : public std::exception
{
public:
    explicit EDatabaseError(QString message);
    ~EDatabaseError() override;

    const QString &message() const { return m_message; }
    const char *what() const noexcept override;

private:
    QString m_message;
    QByteArray m_utf8;
};

class EMemTableError : public EDatabaseError
{
public:
    using EDatabaseError::EDatabaseError;
};

class EMemTableFatalError : public EMemTableError
{
public:
    using EMemTableError::EMemTableError;
};

class EMemTableInvalidRecord : public EMemTableFatalError
{
public:
    using EMemTableFatalError::EMemTableFatalError;
};

class EMemTableDupKey : public EMemTableError
{
public:
    using EMemTableError::EMemTableError;
};

// An argument out of its range; not a database error.
class ERangeError : public std::exception
{
public:
    explicit ERangeError(QString message);
    ~ERangeError() override;

    const QString &message() const { return m_message; }
    const char *what() const noexcept override;

private:
    QString m_message;
    QByteArray m_utf8;
};
