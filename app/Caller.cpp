// The caller's voice: a speech engine on a thread of its own, handed the latest call through a
// mailbox of one, watched from the window's thread so that a silent service is noticed.
#include "app/Caller.h"

#include <cstdio>
#include <mutex>
#include <utility>

#include <QLocale>
#include <QTextToSpeech>
#include <QThread>

struct SpeechMailbox
{
    std::mutex mutex;
    // The latest call not yet handed to the engine; an empty text stops the call in progress.
    std::optional<QString> command;
    bool wakePosted = false;
};

namespace {

// The plugin for speech-dispatcher, as Qt Speech names it.
const QString SpeechDispatcherEngine = QStringLiteral("speechd");

// How long speech-dispatcher may take to begin a call, to list its voices at start-up, and to
// play a call of n characters (espeak-ng speaks some 15 characters a second at its normal rate).
constexpr int AnswerMs = 3000;
constexpr int StartMs = 60000;
int playMs(int characters)
{
    return 3000 + 150 * characters;
}

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
    void start(CallLanguage language)
    {
        if (std::exchange(m_started, true))
            return;
        const QStringList engines = QTextToSpeech::availableEngines();
        if (engines.isEmpty()) {
            emit silent(Caller::Silence::NoEngine, QString());
            return;
        }
        // Another engine than speech-dispatcher's serves too, should a machine have only that.
        m_speech
            = new QTextToSpeech(engines.contains(SpeechDispatcherEngine) ? SpeechDispatcherEngine : QString(), this);
        // An engine without a voice for the system's language reports an error too: whether there
        // is one for the caller's language is found out below.
        if (m_speech->state() == QTextToSpeech::Error
            && m_speech->errorReason() == QTextToSpeech::ErrorReason::Initialization) {
            emit silent(Caller::Silence::NoService, m_speech->errorString());
            return;
        }
        useLanguage(language);
        connect(m_speech, &QTextToSpeech::stateChanged, this, &SpeechWorker::engineStateChanged);
        connect(m_speech, &QTextToSpeech::errorOccurred, this, [this](QTextToSpeech::ErrorReason, const QString &text) {
            emit silent(Caller::Silence::EngineFailed, text);
        });
    }

    void useLanguage(CallLanguage language)
    {
        if (!m_speech)
            return;
        const std::optional<QLocale> locale = bestLocale(m_speech->availableLocales(), language);
        if (locale)
            m_speech->setLocale(*locale);
        if (!locale || m_speech->locale().language() != languageOf(language)) {
            emit silent(Caller::Silence::NoVoice, QString());
            return;
        }
        emit ready(language);
    }

    // Hands the latest call to the engine, or stops the one in progress.
    void take()
    {
        std::optional<QString> command;
        {
            const std::scoped_lock lock(m_mailbox->mutex);
            command = std::exchange(m_mailbox->command, std::nullopt);
            m_mailbox->wakePosted = false;
        }
        if (command && m_speech) {
            // A call of the same priority would wait for the one in progress: it is stopped first.
            m_speech->stop();
            if (!command->isEmpty())
                m_speech->say(*command);
        }
        emit handled();
    }

    void shutdown()
    {
        delete std::exchange(m_speech, nullptr);
        thread()->quit();
    }

signals:
    void ready(CallLanguage language);
    void handled(); // one for each take()
    void speaking(bool speaking);
    void silent(Caller::Silence why, const QString &detail);

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
            emit silent(Caller::Silence::EngineFailed, m_speech->errorString());
            break;
        case QTextToSpeech::Paused:
            break;
        }
    }

    const std::shared_ptr<SpeechMailbox> m_mailbox;
    QTextToSpeech *m_speech = nullptr;
    bool m_started = false;
};

Caller::Caller(QObject *parent)
    : QObject(parent)
{
    for (QTimer *limit : {&m_answerLimit, &m_playLimit, &m_startLimit})
        limit->setSingleShot(true);
    m_startLimit.setInterval(StartMs);
    m_answerLimit.setInterval(AnswerMs);
    connect(&m_startLimit, &QTimer::timeout, this, [this] { fallSilent(Silence::NoAnswer, QString()); });
    connect(&m_answerLimit, &QTimer::timeout, this, [this] { fallSilent(Silence::NoAnswer, QString()); });
    connect(&m_playLimit, &QTimer::timeout, this, [this] { fallSilent(Silence::NoSound, QString()); });
}

Caller::~Caller()
{
    // At the end of the program a thread that is still held by a speech service that does not
    // answer is left to the end of the process.
    retireEngine(2000);
    if (m_retiring && m_retiring->wait(2000))
        delete m_retiring.data();
}

void Caller::setLanguage(std::optional<CallLanguage> language)
{
    if (language == m_language && m_state != State::Silent)
        return;
    m_language = language;
    if (!language) {
        retireEngine(0);
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
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, language] { worker->useLanguage(*language); }, Qt::QueuedConnection);
}

void Caller::startEngine()
{
    m_reason.clear();
    m_mailbox = std::make_shared<SpeechMailbox>();
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("Pontix caller"));
    m_worker = new SpeechWorker(m_mailbox);
    m_worker->moveToThread(m_thread);
    connect(m_worker, &SpeechWorker::ready, this, &Caller::ready);
    connect(m_worker, &SpeechWorker::handled, this, [this] {
        ++m_handled;
        watchAnswer();
    });
    connect(m_worker, &SpeechWorker::speaking, this, &Caller::speaking);
    connect(m_worker, &SpeechWorker::silent, this, &Caller::fallSilent);
    m_thread->start();
    setState(State::Starting);
    m_startLimit.start();

    const CallLanguage language = *m_language;
    SpeechWorker *worker = m_worker;
    const auto start = [worker, language] { worker->start(language); };
    if (m_retiring)
        connect(m_retiring, &QThread::finished, worker, start);
    // The worker starts once, whichever comes first.
    if (!m_retiring || m_retiring->isFinished())
        QMetaObject::invokeMethod(worker, start, Qt::QueuedConnection);
}

// The engine goes with its thread. `graceMs` is how long to wait for them here; a thread that
// has not finished by then is freed once it does.
void Caller::retireEngine(int graceMs)
{
    for (QTimer *limit : {&m_answerLimit, &m_playLimit, &m_startLimit})
        limit->stop();
    m_woken = m_handled = 0;
    m_awaitingSpeech = false;
    if (!m_thread)
        return;
    QThread *thread = std::exchange(m_thread, nullptr);
    SpeechWorker *worker = std::exchange(m_worker, nullptr);
    m_mailbox.reset();
    disconnect(worker, nullptr, this, nullptr);
    thread->setParent(nullptr);
    // Freed on its own thread once that thread has ended, the engine with it.
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    QMetaObject::invokeMethod(
        worker, [worker] { worker->shutdown(); }, Qt::QueuedConnection);
    if (graceMs > 0 && thread->wait(graceMs)) {
        delete thread;
        return;
    }
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (thread->isFinished()) {
        delete thread;
        return;
    }
    m_retiring = thread;
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
        wake = !std::exchange(m_mailbox->wakePosted, true);
    }
    if (wake) {
        ++m_woken;
        QMetaObject::invokeMethod(
            m_worker, [worker = m_worker] { worker->take(); }, Qt::QueuedConnection);
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

void Caller::ready(CallLanguage language)
{
    if (m_state != State::Starting)
        return;
    // The language changed while the engine was taking up the one before.
    if (language != m_language) {
        QMetaObject::invokeMethod(
            m_worker, [worker = m_worker, wanted = *m_language] { worker->useLanguage(wanted); }, Qt::QueuedConnection);
        return;
    }
    m_startLimit.stop();
    setState(State::Ready);
}

void Caller::speaking(bool speaking)
{
    if (m_state != State::Ready && m_state != State::Speaking)
        return;
    if (speaking) {
        m_awaitingSpeech = false;
        watchAnswer();
        m_playLimit.start(playMs(m_lastCallLength));
        setState(State::Speaking);
    } else {
        m_playLimit.stop();
        setState(State::Ready);
    }
}

void Caller::fallSilent(Caller::Silence why, const QString &detail)
{
    if (m_state == State::Off || m_state == State::Silent)
        return;
    retireEngine(0);
    const bool hungarian = m_language == CallLanguage::Hungarian;
    QString reason; // in the window's language
    QString line; // on standard error, in English as the program's other lines there
    switch (why) {
    case Silence::NoEngine:
        reason = QStringLiteral("nincs beszédmotor (qt6-speech-speechd-plugin)");
        line = QStringLiteral("Qt Speech has no engine (install qt6-speech-speechd-plugin)");
        break;
    case Silence::NoService:
        reason = QStringLiteral("nem érhető el a speech-dispatcher");
        line = QStringLiteral("speech-dispatcher cannot be reached (%1)").arg(detail);
        break;
    case Silence::NoVoice:
        reason = hungarian ? QStringLiteral("nincs magyar hang (speech-dispatcher-espeak-ng)")
                           : QStringLiteral("nincs angol hang (speech-dispatcher-espeak-ng)");
        line = QStringLiteral("speech-dispatcher has no %1 voice (install speech-dispatcher-espeak-ng)")
                   .arg(hungarian ? QStringLiteral("Hungarian") : QStringLiteral("English"));
        break;
    case Silence::EngineFailed:
        reason = QStringLiteral("a beszédmotor hibát jelzett: %1").arg(detail);
        line = QStringLiteral("the speech engine failed: %1").arg(detail);
        break;
    case Silence::NoAnswer:
        reason = QStringLiteral("a speech-dispatcher nem válaszol");
        line = QStringLiteral("speech-dispatcher does not answer");
        break;
    case Silence::NoSound:
        reason = QStringLiteral("a bemondás nem szólalt meg (nincs hangkimenet?)");
        line = QStringLiteral("a call never finished playing (no audio output?)");
        break;
    }
    m_reason = QStringLiteral("Bemondó: nincs hang – %1").arg(reason.simplified());
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

#include "Caller.moc"
