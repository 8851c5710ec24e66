// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QString>

#include <sys/types.h>

// Running part of a test as another user, for the cases a second user makes: a link another
// user planted, a save by another user of a shared set-up. Only the superuser can become another
// user, so these run fully only when the tests run as root (as they do in CI).

// The user and group the other users of the tests are: nobody and nogroup.
constexpr uid_t NobodyId = 65534;
// A second unprivileged user in nobody's group, for two users of one shared set-up.
constexpr uid_t SecondUserId = 65533;

bool runningAsRoot();

// Runs Body in a child process as the user Uid with the group Gid (and no other group) and
// returns what Body reports: empty when all went well, else what went wrong. Only the superuser
// can do this; the child's exit without a report, or its crash, is reported too.
QString runAs(uid_t uid, gid_t gid, const std::function<QString()> &body);

// Runs Body as a user without privileges: as nobody in a child process when the tests run as
// the superuser, else right here.
QString runUnprivileged(const std::function<QString()> &body);

// Gives Path to the user Uid and the group Gid without following a link; false when not allowed.
bool giveTo(const QString &path, uid_t uid, gid_t gid);
