// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A speech-dispatcher of a test's own, with no sound card needed.
#pragma once

#include <memory>

#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

class QProcess;

// Runs speech-dispatcher from a private folder: its own configuration, socket, log and home, the
// espeak-ng voices (or only the dummy module, which has none), and its sound written to a WAV
// file through ALSA's file plugin instead of a sound card (or sent to an ALSA device that does not
// exist). Clients reach it through SPEECHD_ADDRESS; the server is ended with SIGKILL, which no
// blocked signal mask can hold up, and with it its modules.
class SpeechServer
{
    Q_DISABLE_COPY_MOVE(SpeechServer)

public:
    enum class Voices { EspeakNg, None };
    // NoDevice: an ALSA device that does not exist; NoOutput: a PulseAudio server that does not
    // exist, which the server notices before a call begins, as a desktop without sound.
    enum class Sound { ToFile, NoDevice, NoOutput };

    explicit SpeechServer(Voices voices = Voices::EspeakNg, Sound sound = Sound::ToFile);
    ~SpeechServer();

    // What this machine lacks to run one (speech-dispatcher, its espeak-ng module, Qt's speech
    // plugin), in a few words; empty when nothing.
    static QString missing();

    // Starts the server and waits until it takes connections; false with the reason in error().
    bool start();
    QString error() const { return m_error; }

    // "unix_socket:<path>", for SPEECHD_ADDRESS. The socket's path holds before start() too.
    QString address() const;
    // The WAV file the calls are written to; grows by every call spoken.
    QString recording() const;
    qint64 recordedBytes() const;
    // Whether the server has taken a message of exactly this text (from its log).
    bool received(const QString &text) const;
    // How many messages the server has played to their end, and how many it stopped playing (from
    // its log): it is done with a message's sound, every byte of it recorded, once it says so.
    int playedToEnd() const;
    int stoppedPlaying() const;
    // The server's log, which names every message it takes and times every piece of sound it
    // hands to the sound output, to the microsecond.
    QString logPath() const;

    pid_t pid() const { return m_pid; }
    void kill();
    // SIGSTOP and SIGCONT: a server that takes connections and answers nothing.
    void pause();
    void resume();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    Voices m_voices;
    Sound m_sound;
    std::unique_ptr<QProcess> m_process;
    pid_t m_pid = -1;
    QString m_error;
};
