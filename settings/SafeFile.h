// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// Reading and replacing a small file so that no other user can turn it into a door to their
// choice of file, and so that a crash, a kill or a full disk never leaves half a file.
//
// A symbolic link is followed only when it is trusted: owned by the user (or the superuser) and
// sitting in a folder no other user may write. A refused link reads as no file, and a replacement
// through it fails; the link and whatever it points to stay untouched.
namespace SafeFile {

// Why the symbolic link at Path may not be followed, in a few words; empty when Path is no
// symbolic link or a trusted one.
QString linkRefusal(const QString &path);

// Path with its trusted links followed: the file that reading or replacing Path touches. Empty,
// with Error set, when a link on the way is refused or the links go round in circles.
QString resolved(const QString &path, QString *error = nullptr);

enum class ReadResult { Read, Missing, Failed };

// The whole file into Data: Missing when there is none (a refused link counts as none), Failed
// when something is there that is not a readable regular file of at most MaxSize bytes.
ReadResult read(const QString &path, qint64 maxSize, QByteArray &data);

// Replaces the file with Data in a single step: written and synced to a new file in the same
// folder, which takes the old file's permission bits and group (and owner, for the superuser),
// renamed over the old file, then the folder synced. Temporary files that an interrupted
// replacement left in the folder are removed first. False with the old file as it was and the
// reason in Error when it cannot be done. The folder is never created.
bool replace(const QString &path, const QByteArray &data, QString *error = nullptr);

// The name prefix of the temporary files of a replacement of FileName; the writer's process id
// and a random part follow it.
QString temporaryPrefix(const QString &fileName);

} // namespace SafeFile
