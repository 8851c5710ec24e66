// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/SpeechServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <signal.h>

namespace {

// Where Debian puts speech-dispatcher's modules and their configuration.
const QString ModuleFolder = QStringLiteral("/usr/lib/speech-dispatcher-modules");
const QString ModuleConfigFolder = QStringLiteral("/etc/speech-dispatcher/modules");

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

} // namespace

SpeechServer::SpeechServer(Voices voices, Sound sound)
    : m_voices(voices)
    , m_sound(sound)
{ }

SpeechServer::~SpeechServer()
{
    kill();
}

QString SpeechServer::missing()
{
    if (QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty())
        return QStringLiteral("speech-dispatcher is not installed");
    if (!QFileInfo(ModuleFolder + QStringLiteral("/sd_espeak-ng")).isExecutable())
        return QStringLiteral("speech-dispatcher-espeak-ng is not installed");
    for (const QString &folder : QCoreApplication::libraryPaths()) {
        if (QFileInfo::exists(folder + QStringLiteral("/texttospeech/libqtexttospeech_speechd.so")))
            return QString();
    }
    return QStringLiteral("qt6-speech-speechd-plugin is not installed");
}

QString SpeechServer::address() const
{
    return QStringLiteral("unix_socket:") + path(QStringLiteral("speechd.sock"));
}

QString SpeechServer::recording() const
{
    return path(QStringLiteral("calls.wav"));
}

qint64 SpeechServer::recordedBytes() const
{
    return QFileInfo(recording()).size();
}

QString SpeechServer::logPath() const
{
    return path(QStringLiteral("log/speech-dispatcher.log"));
}

bool SpeechServer::received(const QString &text) const
{
    QFile log(logPath());
    if (!log.open(QIODevice::ReadOnly))
        return false;
    return log.readAll().contains(QStringLiteral("Queueing message |%1|").arg(text).toUtf8());
}

int SpeechServer::playedToEnd() const
{
    QFile log(logPath());
    return log.open(QIODevice::ReadOnly) ? int(log.readAll().count("playback thread reporting end")) : 0;
}

int SpeechServer::stoppedPlaying() const
{
    QFile log(logPath());
    return log.open(QIODevice::ReadOnly) ? int(log.readAll().count("playback thread detected stop")) : 0;
}

bool SpeechServer::start()
{
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath(QStringLiteral("config"))
        || !QDir(m_dir.path()).mkpath(QStringLiteral("log"))) {
        m_error = QStringLiteral("no folder for the server");
        return false;
    }
    // The module's sound goes to ALSA's device of this name, which the home folder's .asoundrc
    // makes a file; a device of no definition cannot be opened, as where there is no sound card.
    const QString device = m_sound == Sound::ToFile ? QStringLiteral("pontix_calls") : QStringLiteral("pontix_none");
    // Without a sound output the server is left to its own choice, as when it is started for a
    // desktop: its sound server, PulseAudio, then ALSA's device.
    QString config = QStringLiteral("LogLevel 5\nLogDir \"%1\"\nAudioALSADevice \"%2\"\n")
                         .arg(path(QStringLiteral("log")), device);
    if (m_sound != Sound::NoOutput)
        config += QStringLiteral("AudioOutputMethod \"alsa\"\n");
    if (m_voices == Voices::EspeakNg)
        config += QStringLiteral("AddModule \"espeak-ng\" \"sd_espeak-ng\" \"%1/espeak-ng.conf\"\n"
                                 "DefaultModule espeak-ng\n")
                      .arg(ModuleConfigFolder);
    else
        config += QStringLiteral("AddModule \"dummy\" \"sd_dummy\" \"\"\nDefaultModule dummy\n");
    const QString alsa = QStringLiteral("pcm.pontix_calls {\n    type file\n    slave.pcm \"null\"\n"
                                        "    file \"%1\"\n    format \"wav\"\n}\n")
                             .arg(recording());
    if (!writeText(path(QStringLiteral("config/speechd.conf")), config)
        || !writeText(path(QStringLiteral(".asoundrc")), alsa)) {
        m_error = QStringLiteral("cannot write the server's configuration");
        return false;
    }

    m_process = std::make_unique<QProcess>();
    QProcess *process = m_process.get();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_dir.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
    environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + path(QStringLiteral("no-pulse")));
    process->setProcessEnvironment(environment);
    process->setStandardOutputFile(path(QStringLiteral("log/server.out")));
    process->setStandardErrorFile(path(QStringLiteral("log/server.err")));
    // Single, not a daemon, so that it stays this process; it ends by itself a minute after its
    // last client should a test never end it.
    process->start(QStringLiteral("speech-dispatcher"),
        {QStringLiteral("--run-single"), QStringLiteral("--timeout"), QStringLiteral("60"),
            QStringLiteral("--config-dir"), path(QStringLiteral("config")), QStringLiteral("--communication-method"),
            QStringLiteral("unix_socket"), QStringLiteral("--socket-path"), path(QStringLiteral("speechd.sock")),
            QStringLiteral("--pid-file"), path(QStringLiteral("speechd.pid"))});
    if (!process->waitForStarted(10000)) {
        m_error = QStringLiteral("speech-dispatcher did not start: ") + process->errorString();
        return false;
    }
    m_pid = pid_t(process->processId());
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(path(QStringLiteral("speechd.sock")))) {
        if (process->state() != QProcess::Running || waited.elapsed() > 60000) {
            QFile err(path(QStringLiteral("log/server.err")));
            m_error = QStringLiteral("speech-dispatcher did not open its socket");
            if (err.open(QIODevice::ReadOnly))
                m_error += QStringLiteral(": ") + QString::fromUtf8(err.readAll()).trimmed();
            kill();
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

void SpeechServer::kill()
{
    if (!m_process)
        return;
    m_process->kill();
    m_process->waitForFinished(10000);
    m_process.reset();
    m_pid = -1;
}

void SpeechServer::pause()
{
    if (m_pid > 0)
        ::kill(m_pid, SIGSTOP);
}

void SpeechServer::resume()
{
    if (m_pid > 0)
        ::kill(m_pid, SIGCONT);
}
