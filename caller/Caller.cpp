// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The caller's voice: a speech engine on a thread of its own, handed the latest call through a
// mailbox of one, watched from the window's thread so that a silent service is noticed. The engine
// and its worker come from the speech module, loaded when the caller is first switched on.
#include "caller/Caller.h"

#include <cstdio>
#include <utility>

#include <QCoreApplication>
#include <QLibrary>
#include <QThread>

#include "caller/SpeechModule.h"

namespace {

// How long speech-dispatcher may take to begin a call, to list its voices at start-up, and to
// play a call of n characters (espeak-ng speaks some 15 characters a second at its normal rate).
constexpr int AnswerMs = 3000;
constexpr int StartMs = 60000;
int playMs(int characters)
{
    return 3000 + 150 * characters;
}

// Asks the worker, on its own thread, to run one of its methods.
void ask(QObject *worker, const char *method)
{
    QMetaObject::invokeMethod(worker, method, Qt::QueuedConnection);
}

void ask(QObject *worker, const char *method, CallLanguage language)
{
    QMetaObject::invokeMethod(worker, method, Qt::QueuedConnection, Q_ARG(int, int(language)));
}

// The speech module's worker factory; loaded once, then kept for the rest of the run.
SpeechWorkerFactory loadSpeechModule(QString *error)
{
    static QLibrary module(QCoreApplication::applicationDirPath() + SpeechModulePath.toString());
    const auto factory = reinterpret_cast<SpeechWorkerFactory>(module.resolve(SpeechWorkerFactoryName));
    if (!factory)
        *error = module.errorString();
    return factory;
}

} // namespace

Caller::Caller(QObject *parent)
    : QObject(parent)
{
    for (QTimer *limit : {&m_answerLimit, &m_playLimit, &m_startLimit})
        limit->setSingleShot(true);
    m_startLimit.setInterval(StartMs);
    m_answerLimit.setInterval(AnswerMs);
    connect(&m_startLimit, &QTimer::timeout, this, [this] { fallSilent(Silence::NoAnswer, QString()); });
    // A service that took every command has answered: a call that then never begins has no sound
    // output to play on. A service that took calls, never ended one and then stops answering most
    // likely lacks the same: speech-dispatcher without a sound output does not answer the cut of
    // a call it could not play.
    connect(&m_answerLimit, &QTimer::timeout, this, [this] {
        const bool neverSpoke = m_callTaken && !m_callEnded;
        fallSilent(m_woken == m_handled || neverSpoke ? Silence::NoSound : Silence::NoAnswer, QString());
    });
    connect(&m_playLimit, &QTimer::timeout, this, [this] { fallSilent(Silence::NoSound, QString()); });
}

Caller::~Caller()
{
    // The engine is given two seconds to close; a thread still held by a speech service that
    // does not answer is left to the end of the process.
    retireEngine();
    if (m_retiring && m_retiring->wait(2000))
        delete m_retiring.data();
}

void Caller::setLanguage(std::optional<CallLanguage> language)
{
    if (language == m_language && m_state != State::Silent)
        return;
    m_language = language;
    if (!language) {
        retireEngine();
        m_reason.clear();
        setState(State::Off);
        return;
    }
    if (m_state == State::Off || m_state == State::Silent) {
        startEngine();
        return;
    }
    setState(State::Starting);
    m_startLimit.start();
    ask(m_worker, "useLanguage", *language);
}

void Caller::startEngine()
{
    m_reason.clear();
    setState(State::Starting);
    QString error;
    const SpeechWorkerFactory makeWorker = loadSpeechModule(&error);
    if (!makeWorker) {
        fallSilent(Silence::NoModule, error);
        return;
    }
    m_mailbox = std::make_shared<SpeechMailbox>();
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("Pontix caller"));
    m_worker = makeWorker(m_mailbox);
    m_worker->moveToThread(m_thread);
    connect(m_worker, SIGNAL(ready(int)), this, SLOT(engineReady(int)));
    connect(m_worker, SIGNAL(handled(quint64, bool)), this, SLOT(engineHandled(quint64, bool)));
    connect(m_worker, SIGNAL(speaking(quint64, bool)), this, SLOT(engineSpeaking(quint64, bool)));
    connect(m_worker, SIGNAL(silent(int, QString)), this, SLOT(engineSilent(int, QString)));
    m_thread->start();
    m_startLimit.start();

    QObject *worker = m_worker;
    const int language = int(*m_language);
    const auto start = [worker, language] {
        QMetaObject::invokeMethod(worker, "start", Qt::DirectConnection, Q_ARG(int, language));
    };
    if (m_retiring)
        connect(m_retiring, &QThread::finished, worker, start);
    // The worker starts once, whichever comes first.
    if (!m_retiring || m_retiring->isFinished())
        QMetaObject::invokeMethod(worker, start, Qt::QueuedConnection);
}

// The engine goes with its thread, freed once the thread has ended; nothing here waits for that.
void Caller::retireEngine()
{
    for (QTimer *limit : {&m_answerLimit, &m_playLimit, &m_startLimit})
        limit->stop();
    m_woken = m_handled = m_posted = 0;
    m_lastIsCall = false;
    m_awaitingSpeech = m_callTaken = m_callEnded = false;
    if (!m_thread)
        return;
    QThread *thread = std::exchange(m_thread, nullptr);
    QObject *worker = std::exchange(m_worker, nullptr);
    m_mailbox.reset();
    disconnect(worker, nullptr, this, nullptr);
    thread->setParent(nullptr);
    // Freed on its own thread once that thread has ended, the engine with it.
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    ask(worker, "shutdown");
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (thread->isFinished()) {
        delete thread;
        return;
    }
    m_retiring = thread;
}

void Caller::callEntry(const Match &match, qint32 recorded, bool exactCheckout, const PlayerNames &names)
{
    if (m_language)
        say(callAfterEntry(match, recorded, exactCheckout, names, *m_language));
}

void Caller::callNewLeg(const Match &match, bool exactCheckout, const PlayerNames &names)
{
    if (m_language)
        say(callAfterNewLeg(match, exactCheckout, names, *m_language));
}

void Caller::say(const QString &text)
{
    if (m_state != State::Ready && m_state != State::Speaking)
        return;
    m_lastCallLength = int(text.size());
    m_playLimit.stop();
    m_awaitingSpeech = true;
    post(text);
}

void Caller::stop()
{
    if (m_state != State::Ready && m_state != State::Speaking)
        return;
    m_playLimit.stop();
    m_awaitingSpeech = false;
    post(QString());
}

// Leaves the command for the engine, replacing any it has not taken yet; the engine is woken
// once however many commands come before it takes them.
void Caller::post(const QString &command)
{
    bool wake = false;
    {
        const std::scoped_lock lock(m_mailbox->mutex);
        m_mailbox->command = command;
        m_mailbox->number = ++m_posted;
        wake = !std::exchange(m_mailbox->wakePosted, true);
    }
    m_lastIsCall = !command.isEmpty();
    if (wake) {
        ++m_woken;
        ask(m_worker, "take");
    }
    watchAnswer();
}

// While the engine has a command it has not carried out, or a call that has not begun, it must
// answer within AnswerMs of the first of them: later commands do not put the limit off.
void Caller::watchAnswer()
{
    if (m_woken == m_handled && !m_awaitingSpeech)
        m_answerLimit.stop();
    else if (!m_answerLimit.isActive())
        m_answerLimit.start();
}

void Caller::engineReady(int language)
{
    if (m_state != State::Starting)
        return;
    // The language changed while the engine was taking up the one before.
    if (CallLanguage(language) != m_language) {
        ask(m_worker, "useLanguage", *m_language);
        return;
    }
    m_startLimit.stop();
    setState(State::Ready);
}

void Caller::engineHandled(quint64 command, bool said)
{
    ++m_handled;
    m_callTaken = m_callTaken || said;
    watchAnswer();
    // Once the engine has taken the latest stop, no call of ours plays, whatever the engine still
    // reports of the call it cut short: its report of the cut may come late, or never, when the
    // cut comes as the call begins.
    if (command == m_posted && !m_lastIsCall && m_state == State::Speaking) {
        m_playLimit.stop();
        setState(State::Ready);
    }
}

void Caller::engineSpeaking(quint64 command, bool speaking)
{
    if (m_state != State::Ready && m_state != State::Speaking)
        return;
    // A call begun is the latest call, taken by the engine; a begin reported after a stop or
    // before the engine took the latest call is one that has been replaced or cut short. An end
    // is one whichever call it ends: nothing of ours plays then.
    if (speaking && (command != m_posted || !m_lastIsCall))
        return;
    if (speaking) {
        m_awaitingSpeech = false;
        watchAnswer();
        m_playLimit.start(playMs(m_lastCallLength));
        setState(State::Speaking);
    } else {
        m_playLimit.stop();
        m_callEnded = true;
        setState(State::Ready);
    }
}

void Caller::engineSilent(int why, const QString &detail)
{
    fallSilent(Silence(why), detail);
}

void Caller::fallSilent(Caller::Silence why, const QString &detail)
{
    if (m_state == State::Off || m_state == State::Silent)
        return;
    retireEngine();
    const bool hungarian = m_language == CallLanguage::Hungarian;
    QString reason; // in the window's language
    QString line; // on standard error, in English as the program's other lines there
    switch (why) {
    case Silence::NoModule:
        reason = tr("nem tölthető be a beszédmodul");
        line = QStringLiteral("its speech module cannot be loaded (%1)").arg(detail);
        break;
    case Silence::NoEngine:
        reason = tr("nincs beszédmotor (qt6-speech-speechd-plugin)");
        line = QStringLiteral("Qt Speech has no engine (install qt6-speech-speechd-plugin)");
        break;
    case Silence::NoService:
        reason = tr("nem érhető el a speech-dispatcher");
        line = QStringLiteral("speech-dispatcher cannot be reached (%1)").arg(detail);
        break;
    case Silence::NoVoice:
        reason = hungarian ? tr("nincs magyar hang (speech-dispatcher-espeak-ng)")
                           : tr("nincs angol hang (speech-dispatcher-espeak-ng)");
        line = QStringLiteral("speech-dispatcher has no %1 voice (install speech-dispatcher-espeak-ng)")
                   .arg(hungarian ? QStringLiteral("Hungarian") : QStringLiteral("English"));
        break;
    case Silence::EngineFailed:
        reason = tr("a beszédmotor hibát jelzett: %1").arg(detail);
        line = QStringLiteral("the speech engine failed: %1").arg(detail);
        break;
    case Silence::NoAnswer:
        reason = tr("a speech-dispatcher nem válaszol");
        line = QStringLiteral("speech-dispatcher does not answer");
        break;
    case Silence::NoSound:
        reason = tr("a bemondás nem szólalt meg (nincs hangkimenet?)");
        line = QStringLiteral("a call never finished playing (no audio output?)");
        break;
    }
    m_reason = tr("Bemondó: nincs hang – %1").arg(reason.simplified());
    std::fprintf(stderr, "Pontix: the caller is silent: %s\n", qUtf8Printable(line.simplified()));
    setState(State::Silent);
}

void Caller::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}
