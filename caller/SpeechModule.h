// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// What the caller and its speech module share: the module holds everything that needs Qt Speech,
// so that the program loads Qt Speech only when the caller is first switched on.
#pragma once

#include <memory>
#include <mutex>
#include <optional>

#include <QString>

class QObject;

// The latest command for the engine, left by the window's thread and taken by the engine's.
struct SpeechMailbox
{
    std::mutex mutex;
    // The latest call not yet handed to the engine; an empty text stops the call in progress.
    std::optional<QString> command;
    bool wakePosted = false;
};

// The module's file, from the folder of the program (or of a test or benchmark program) that
// loads it: lib/games/pontix beside the bin folder, as installed and as built.
inline constexpr QStringView SpeechModulePath = u"/../lib/games/pontix/pontix-speech.so";

// The module's one exported function: a new speech worker, which takes its commands from the
// mailbox. The worker is a QObject of the module's own, reached through its signals and invokable
// methods by name:
//   start(int language), useLanguage(int language), take(), shutdown() (language: CallLanguage);
//   signals ready(int language), handled(bool said), speaking(bool), silent(int why, QString detail)
//   (why: Caller::Silence).
using SpeechWorkerFactory = QObject *(*)(const std::shared_ptr<SpeechMailbox> &mailbox);
inline constexpr char SpeechWorkerFactoryName[] = "pontixSpeechWorker";
