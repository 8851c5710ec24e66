// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The caller's speech module: the speech engine (Qt Speech on speech-dispatcher) and the worker
// that drives it on the caller's thread. Loaded by the caller when it is first switched on.
#include <utility>

#include <QElapsedTimer>
#include <QLocale>
#include <QTextToSpeech>
#include <QThread>

#include "caller/Caller.h"
#include "caller/SpeechModule.h"
#include <signal.h>

namespace {

// The plugin for speech-dispatcher, as Qt Speech names it.
const QString SpeechDispatcherEngine = QStringLiteral("speechd");

QLocale::Language languageOf(CallLanguage language)
{
    return language == CallLanguage::Hungarian ? QLocale::Hungarian : QLocale::English;
}

// The voice's locale for the language: the country's own first (English as in Britain, where
// darts is called), then any of the language.
std::optional<QLocale> bestLocale(const QList<QLocale> &available, CallLanguage language)
{
    const QLocale::Territory home = language == CallLanguage::Hungarian ? QLocale::Hungary : QLocale::UnitedKingdom;
    std::optional<QLocale> found;
    for (const QLocale &locale : available) {
        if (locale.language() != languageOf(language))
            continue;
        if (locale.territory() == home)
            return locale;
        if (!found)
            found = locale;
    }
    return found;
}

} // namespace

// The engine's side, on the speech thread. It reports what the engine does; every decision about
// the caller's state is the Caller's.
class SpeechWorker final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpeechWorker)

public:
    explicit SpeechWorker(std::shared_ptr<SpeechMailbox> mailbox)
        : m_mailbox(std::move(mailbox))
    { }

    // Makes the engine and takes up the language; once.
    Q_INVOKABLE void start(int language)
    {
        if (std::exchange(m_started, true))
            return;
        // A write to a speech-dispatcher that has gone would end the whole program with SIGPIPE:
        // blocked on this thread, and so on the thread the engine starts, it fails with EPIPE.
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        const QStringList engines = QTextToSpeech::availableEngines();
        if (engines.isEmpty()) {
            emit silent(int(Caller::Silence::NoEngine), QString());
            return;
        }
        // Another engine than speech-dispatcher's serves too, should a machine have only that.
        m_speech
            = new QTextToSpeech(engines.contains(SpeechDispatcherEngine) ? SpeechDispatcherEngine : QString(), this);
        // An engine without a voice for the system's language reports an error too: whether there
        // is one for the caller's language is found out below.
        if (m_speech->state() == QTextToSpeech::Error
            && m_speech->errorReason() == QTextToSpeech::ErrorReason::Initialization) {
            emit silent(int(Caller::Silence::NoService), m_speech->errorString());
            return;
        }
        useLanguage(language);
        connect(m_speech, &QTextToSpeech::stateChanged, this, &SpeechWorker::engineStateChanged);
        connect(m_speech, &QTextToSpeech::errorOccurred, this, [this](QTextToSpeech::ErrorReason, const QString &text) {
            emit silent(int(Caller::Silence::EngineFailed), text);
        });
    }

    Q_INVOKABLE void useLanguage(int language)
    {
        if (!m_speech)
            return;
        const auto wanted = CallLanguage(language);
        const std::optional<QLocale> locale = bestLocale(m_speech->availableLocales(), wanted);
        if (locale)
            m_speech->setLocale(*locale);
        if (!locale || m_speech->locale().language() != languageOf(wanted)) {
            emit silent(int(Caller::Silence::NoVoice), QString());
            return;
        }
        emit ready(language);
    }

    // Hands the latest call to the engine, or stops the one in progress.
    Q_INVOKABLE void take()
    {
        std::optional<QString> command;
        {
            const std::scoped_lock lock(m_mailbox->mutex);
            command = std::exchange(m_mailbox->command, std::nullopt);
            m_mailbox->wakePosted = false;
        }
        bool said = false;
        if (command && m_speech) {
            // A call would wait for one of the same priority in progress, so a call that may still
            // be going is stopped first: while the engine speaks, and for a while after a call was
            // handed over, before the engine may have said that it began. An idle engine is left
            // alone: stopping takes a round trip through speech-dispatcher (some 8 ms of a call's
            // start) and silences every other client of the service too.
            const bool mayBeGoing
                = m_speech->state() != QTextToSpeech::Ready || (m_lastSaid.isValid() && m_lastSaid.elapsed() < 1000);
            if (mayBeGoing)
                m_speech->stop();
            if (!command->isEmpty()) {
                m_speech->say(*command);
                m_lastSaid.start();
                said = true;
            }
        }
        emit handled(said);
    }

    Q_INVOKABLE void shutdown()
    {
        delete std::exchange(m_speech, nullptr);
        thread()->quit();
    }

signals:
    void ready(int language);
    void handled(bool said); // one for each take(); whether it handed a call to the engine
    void speaking(bool speaking);
    void silent(int why, const QString &detail);

private:
    void engineStateChanged(QTextToSpeech::State state)
    {
        switch (state) {
        case QTextToSpeech::Speaking:
            emit speaking(true);
            break;
        case QTextToSpeech::Ready:
            emit speaking(false);
            break;
        case QTextToSpeech::Error:
            emit silent(int(Caller::Silence::EngineFailed), m_speech->errorString());
            break;
        case QTextToSpeech::Paused:
            break;
        }
    }

    const std::shared_ptr<SpeechMailbox> m_mailbox;
    QTextToSpeech *m_speech = nullptr;
    QElapsedTimer m_lastSaid;
    bool m_started = false;
};

extern "C" Q_DECL_EXPORT QObject *pontixSpeechWorker(const std::shared_ptr<SpeechMailbox> &mailbox)
{
    return new SpeechWorker(mailbox);
}

#include "SpeechEngine.moc"
