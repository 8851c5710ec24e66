// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The caller's voice: the calls spoken in the room through Qt Speech and speech-dispatcher.
#pragma once

#include <memory>
#include <optional>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "match/Calls.h"

class QThread;
struct SpeechMailbox;

// Speaks one call at a time: a new call replaces the one in progress and stop() silences it, so
// nothing is ever queued and the room never hears a stale score.
//
// The speech engine lives on a thread of its own and is made only when the caller is first
// switched on, from the speech module (caller/SpeechEngine.cpp), which alone links Qt Speech: while
// the caller is off nothing of speech is loaded. The engine's start-up (speech-dispatcher lists
// every voice it has, which takes seconds) and any speech service that stops answering never hold
// up the window. Calls made before the engine is ready are dropped rather than spoken late.
//
// When the caller cannot speak (no engine, no speech-dispatcher, no voice for the language, no
// answer, no sound) it falls silent: the reason is given once, in one line, on standard error
// and through silenceReason(), and every call is dropped until the caller is switched off and on
// again, which tries anew.
class Caller final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Caller)

public:
    enum class State {
        Off,
        Starting, // the engine is being made or is taking up a new language
        Ready,
        Speaking,
        Silent, // cannot speak; see silenceReason()
    };
    Q_ENUM(State)

    // Why the caller fell silent.
    enum class Silence {
        NoModule, // the speech module cannot be loaded
        NoEngine, // Qt Speech has no engine plugin
        NoService, // the engine cannot reach speech-dispatcher
        NoVoice, // no voice speaks the language
        EngineFailed, // the engine reported an error
        NoAnswer, // speech-dispatcher did not take a call or start up in time
        NoSound, // a call taken never began or never finished playing: no audio output
    };
    Q_ENUM(Silence)

    explicit Caller(QObject *parent = nullptr);
    ~Caller() override;

    // Calls in the language from now on, or switches the caller off (nullopt). Switching on from
    // off or silent starts a new engine; another language is taken up by the running one.
    void setLanguage(std::optional<CallLanguage> language);
    std::optional<CallLanguage> language() const { return m_language; }

    // Speaks the call instead of the one in progress; dropped unless Ready or Speaking.
    void say(const QString &text);
    // Speaks, in the language called in, the call after an entry that recorded `recorded` and the
    // call after a new game, as match/Calls words them from the match as it stands; nothing while off.
    void callEntry(const Match &match, qint32 recorded, bool exactCheckout, const PlayerNames &names);
    void callNewGame(const Match &match, bool exactCheckout);
    // Silences the call in progress.
    void stop();

    State state() const { return m_state; }
    // One line in the window's language saying why there is no sound; empty unless Silent.
    QString silenceReason() const { return m_reason; }
    // Whether a speech thread with its engine exists.
    bool hasEngine() const { return m_thread != nullptr; }

signals:
    void stateChanged(Caller::State state);

private slots:
    // The worker's reports, from its thread.
    void engineReady(int language);
    void engineHandled(bool said);
    void engineSpeaking(bool speaking);
    void engineSilent(int why, const QString &detail);

private:
    void setState(State state);
    void startEngine();
    void retireEngine();
    void fallSilent(Caller::Silence why, const QString &detail);
    void post(const QString &command);
    void watchAnswer();

    std::optional<CallLanguage> m_language;
    State m_state = State::Off;
    QString m_reason;
    QThread *m_thread = nullptr;
    QObject *m_worker = nullptr; // the module's worker, on m_thread
    std::shared_ptr<SpeechMailbox> m_mailbox;
    // The last engine's thread until it has finished: the next engine starts only then, as the
    // speech plugin keeps its engines in one list that two threads must not change at once.
    QPointer<QThread> m_retiring;
    // A call must begin within a while, and a call begun must end; start-up must end as well.
    QTimer m_answerLimit;
    QTimer m_playLimit;
    QTimer m_startLimit;
    int m_lastCallLength = 0;
    // Wake-ups posted to the engine and those it has carried out; a call said and not yet begun.
    quint64 m_woken = 0;
    quint64 m_handled = 0;
    bool m_awaitingSpeech = false;
    // Since the engine started: whether it has taken a call, and whether a call has ended, played
    // out or cut short.
    bool m_callTaken = false;
    bool m_callEnded = false;
};
