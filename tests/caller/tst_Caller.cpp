// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The caller end to end: the main window switched on from its settings panel, Qt Speech, and a
// real speech-dispatcher with the espeak-ng voices that the test starts itself, its sound written
// to a file as there is no sound card. Then every way it can fail to speak: the scoreboard goes on,
// one line says why, and switching off and on tries anew.
//
// The test reaches its server through SPEECHD_ADDRESS and sets SPEECHD_CMD to a program that does
// not exist, so that no server of the machine's own configuration is ever started for it. Without
// speech-dispatcher, its espeak-ng module or Qt's speech plugin the speaking cases skip, and fail
// when CI is set.
#include <functional>
#include <optional>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/CallerControls.h"
#include "app/Main.h"
#include "caller/Caller.h"
#include "controls/uEditEx.h"
#include "tests/support/Files.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/SpeechServer.h"
#include "tests/support/StandardError.h"
#include <signal.h>

using namespace Qt::StringLiterals;

namespace {

// Starting an engine lists every voice speech-dispatcher has: seconds, more on a busy machine.
constexpr int StartMs = 120000;
constexpr int CallMs = 20000;

enum Choice { Off = 0, Hungarian = 1, English = 2 }; // the settings panel's caller box

// Whether the process has loaded the library, by a part of its file name.
bool loaded(const QString &library)
{
    QFile maps(u"/proc/self/maps"_s);
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library.toUtf8());
}

// The folders in /proc of the process's threads of this name.
QStringList threadsNamed(const QString &name)
{
    const QDir tasks(u"/proc/self/task"_s);
    QStringList found;
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task) + u"/comm"_s);
        if (comm.open(QIODevice::ReadOnly) && QString::fromUtf8(comm.readAll()).trimmed() == name)
            found << tasks.filePath(task);
    }
    return found;
}

bool threadNamed(const QString &name)
{
    return !threadsNamed(name).isEmpty();
}

// Whether the thread blocks SIGPIPE, by the mask in its status.
bool blocksBrokenPipe(const QString &thread)
{
    QFile status(thread + u"/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigBlk:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGPIPE - 1)) & 1;
    }
    return false;
}

// Every state the caller passes through from now on.
class StateLog
{
public:
    explicit StateLog(Caller *caller)
    {
        QObject::connect(caller, &Caller::stateChanged, &m_context, [this](Caller::State s) { m_states << s; });
    }
    // A call spoken: the engine went from speaking to ready.
    bool spokeACall() const
    {
        const qsizetype speaking = m_states.indexOf(Caller::State::Speaking);
        return speaking >= 0 && m_states.indexOf(Caller::State::Ready, speaking) > speaking;
    }
    void clear() { m_states.clear(); }

private:
    QObject m_context;
    QList<Caller::State> m_states;
};

// The remaining scores as the window shows them.
QString figures(const Tfrm_Main &w)
{
    return w.Label1->text() + u'/' + w.Label2->text();
}

} // namespace

class tst_Caller : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // First: nothing of the engine may have been loaded before it.
    void offAtStart();
    void noEngine();

    void noSpeechDispatcherThenSpeaksBothLanguages();
    void newCallReplacesAndUndoSilences();
    void serverCrashes();
    void serverStopsAnswering();
    void noVoice();
    void noSound_data();
    void noSound();

private:
    // The window, shown, started from the settings file's text (the defaults when empty).
    Tfrm_Main &open(const QByteArray &settings = {});
    // The caller switched to the choice from the settings panel.
    Caller &switchTo(Choice choice);
    bool needSpeech();
    // The scoreboard still takes entries as it always did.
    void scoreboardGoesOn();
    // The window says once, in the status bar and on standard error, why the caller is silent.
    void toldOnce(const QString &why, const QString &line, StandardErrorCapture &capture);

    std::optional<MainWindowFixture> m_fixture;
};

void tst_Caller::initTestCase()
{
    qputenv("SPEECHD_CMD", QFile::encodeName(QDir::tempPath() + u"/pontix-no-such-speech-dispatcher"_s));
    qunsetenv("SPEECHD_ADDRESS");
}

void tst_Caller::cleanup()
{
    m_fixture.reset();
    qunsetenv("SPEECHD_ADDRESS");
}

Tfrm_Main &tst_Caller::open(const QByteArray &settings)
{
    m_fixture.emplace();
    if (!settings.isEmpty())
        putFile(m_fixture->settingsPath(), settings);
    if (!m_fixture->open())
        qFatal("the main window did not show");
    return *m_fixture->window();
}

Caller &tst_Caller::switchTo(Choice choice)
{
    Tfrm_Main &w = *m_fixture->window();
    if (!w.Panel4->isVisible())
        w.aBeallit->trigger();
    if (!callerBoxOf(w))
        qFatal("the settings panel made no caller box");
    callerBoxOf(w)->box()->setCurrentIndex(choice);
    if (!w.caller())
        qFatal("switching the caller on made no caller");
    return *w.caller();
}

bool tst_Caller::needSpeech()
{
    const QString missing = SpeechServer::missing();
    if (missing.isEmpty())
        return true;
    if (qEnvironmentVariableIsSet("CI"))
        QTest::qFail(qPrintable(u"cannot run under CI: "_s + missing), __FILE__, __LINE__);
    else
        QTest::qSkip(qPrintable(missing), __FILE__, __LINE__);
    return false;
}

void tst_Caller::scoreboardGoesOn()
{
    Tfrm_Main &w = *m_fixture->window();
    const qint32 before = w.Player1ToThrow ? w.Remaining1 : w.Remaining2;
    const bool player1 = w.Player1ToThrow;
    m_fixture->enter(u"45"_s);
    QCOMPARE((player1 ? w.Remaining1 : w.Remaining2), before - 45);
    QCOMPARE(w.Player1ToThrow, !player1);
    QCOMPARE(figures(w), QString::number(w.Remaining1) + u'/' + QString::number(w.Remaining2));
    QVERIFY(w.EditEx1->text().isEmpty());
}

void tst_Caller::toldOnce(const QString &why, const QString &line, StandardErrorCapture &capture)
{
    Tfrm_Main &w = *m_fixture->window();
    QTRY_COMPARE_WITH_TIMEOUT(w.caller()->state(), Caller::State::Silent, StartMs);
    const QString reason = u"Bemondó: nincs hang – "_s + why;
    QCOMPARE(w.caller()->silenceReason(), reason);
    QLabel *shown = nullptr;
    for (QLabel *label : w.statusBar()->findChildren<QLabel *>()) {
        if (label->text() == reason)
            shown = label;
    }
    QVERIFY2(shown && shown->isVisible(), "the reason is not in the status bar");
    // Silent, the caller says nothing more, however many calls come.
    scoreboardGoesOn();
    scoreboardGoesOn();
    w.aUj->trigger();
    QTest::qWait(200);
    QCOMPARE(QString::fromUtf8(capture.text()), u"Pontix: the caller is silent: "_s + line + u'\n');
}

// Off, the caller costs nothing: no caller, nothing of speech loaded (neither its module nor Qt
// Speech), no thread of its own, and the settings file keeps the two keys alone.
void tst_Caller::offAtStart()
{
    Tfrm_Main &w = open();
    QVERIFY(!callerBoxOf(w));
    m_fixture->enter(u"60"_s);
    w.aUj->trigger();
    QVERIFY(!w.caller());
    for (const QString &library :
        {u"pontix-speech"_s, u"libQt6TextToSpeech"_s, u"libqtexttospeech_speechd"_s, u"libspeechd"_s})
        QVERIFY2(!loaded(library), qPrintable(library));
    QVERIFY(!threadNamed(u"Pontix caller"_s));
    w.aBeallit->trigger();
    QCOMPARE(callerBoxOf(w)->box()->currentText(), u"ki"_s);
    w.close();
    QCOMPARE(fileBytes(m_fixture->settingsPath()), "[Def]\nIndul=501\nKellKiszallo=1\n"_ba);
}

// Qt Speech without any engine plugin. Qt Speech looks for its plugins once per process, so the
// case runs in a process of its own.
void tst_Caller::noEngine()
{
    if (!qEnvironmentVariableIsSet("PONTIX_TEST_ALONE")) {
        QProcess alone;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PONTIX_TEST_ALONE"_s, u"1"_s);
        alone.setProcessEnvironment(environment);
        alone.setProcessChannelMode(QProcess::MergedChannels);
        alone.start(QCoreApplication::applicationFilePath(), {u"noEngine"_s});
        QVERIFY(alone.waitForFinished(CallMs * 3));
        const QString output = QString::fromUtf8(alone.readAll());
        QVERIFY2(alone.exitStatus() == QProcess::NormalExit && alone.exitCode() == 0, qPrintable(output));
        QVERIFY2(output.contains(u"PASS   : tst_Caller::noEngine()"_s), qPrintable(output));
        return;
    }
    open();
    const QStringList paths = QCoreApplication::libraryPaths();
    QTemporaryDir empty;
    QCoreApplication::setLibraryPaths({empty.path()});
    StandardErrorCapture capture;
    switchTo(Hungarian);
    toldOnce(u"nincs beszédmotor (qt6-speech-speechd-plugin)"_s,
        u"Qt Speech has no engine (install qt6-speech-speechd-plugin)"_s, capture);
    QCoreApplication::setLibraryPaths(paths);
}

// Nothing answers at the address and none may be started: silent, once. Once a server is there,
// switching off and on again speaks: a Hungarian call, then an English one, each seen going from
// speaking to ready and reaching the server word for word; the choice is kept in the settings.
void tst_Caller::noSpeechDispatcherThenSpeaksBothLanguages()
{
    if (!needSpeech())
        return;
    SpeechServer server;
    qputenv("SPEECHD_ADDRESS", server.address().toUtf8());
    Tfrm_Main &w = open();
    {
        StandardErrorCapture capture;
        switchTo(Hungarian);
        toldOnce(u"nem érhető el a speech-dispatcher"_s,
            u"speech-dispatcher cannot be reached (Connection to speech-dispatcher failed)"_s, capture);
    }

    QVERIFY2(server.start(), qPrintable(server.error()));
    w.aUj->trigger(); // player 1 starts from 501
    w.aUj->trigger();
    Caller &caller = switchTo(Off);
    QCOMPARE(caller.state(), Caller::State::Off);
    QVERIFY(w.caller()->silenceReason().isEmpty());
    switchTo(Hungarian);
    QTRY_COMPARE_WITH_TIMEOUT(caller.state(), Caller::State::Ready, StartMs);
    // The engine's threads (the caller's and the one speech-dispatcher's library starts from it)
    // get EPIPE from a server that has gone, never the SIGPIPE that would end the program.
    const QStringList engineThreads = threadsNamed(u"Pontix caller"_s);
    QVERIFY(!engineThreads.isEmpty());
    for (const QString &thread : engineThreads)
        QVERIFY2(blocksBrokenPipe(thread), qPrintable(thread));

    StateLog log(&caller);
    const qint64 silence = server.recordedBytes();
    m_fixture->enter(u"60"_s);
    QTRY_VERIFY_WITH_TIMEOUT(log.spokeACall(), CallMs);
    QVERIFY(server.received(u"hatvan"_s));
    QVERIFY(server.recordedBytes() > silence);

    switchTo(English);
    QCOMPARE(caller.state(), Caller::State::Starting);
    QTRY_COMPARE_WITH_TIMEOUT(caller.state(), Caller::State::Ready, StartMs);
    log.clear();
    const qint64 hungarian = server.recordedBytes();
    m_fixture->enter(u"180"_s);
    QTRY_VERIFY_WITH_TIMEOUT(log.spokeACall(), CallMs);
    QVERIFY(server.received(u"one hundred and eighty!"_s));
    QVERIFY(server.recordedBytes() > hungarian);

    w.close();
    QCOMPARE(fileBytes(m_fixture->settingsPath()), "[Def]\nIndul=501\nKellKiszallo=1\nBemondo=en\n"_ba);
}

// A long call is cut short by the next call and by undo: only part of it is ever played. Each
// is held against the same call played whole.
void tst_Caller::newCallReplacesAndUndoSilences()
{
    if (!needSpeech())
        return;
    SpeechServer server;
    QVERIFY2(server.start(), qPrintable(server.error()));
    qputenv("SPEECHD_ADDRESS", server.address().toUtf8());
    // A checkout calls the player's name: a long one makes a long call.
    Tfrm_Main &w = open("[Def]\nIndul=40\n");
    const QString name = u"Kovács Anna Mária Erzsébet Zsófia Katalin Borbála Terézia Ilona Veronika"_s;
    w.ComboBox1->setEditText(name);
    Caller &caller = switchTo(English);
    QTRY_COMPARE_WITH_TIMEOUT(caller.state(), Caller::State::Ready, StartMs);

    const QString call = u"game shot and the leg, "_s + name;
    const auto played = [&](const std::function<void()> &cut) {
        StateLog log(&caller);
        const qint64 before = server.recordedBytes();
        caller.say(call);
        if (!QTest::qWaitFor([&] { return caller.state() == Caller::State::Speaking; }, CallMs))
            return qint64(-2);
        if (cut)
            cut();
        if (!QTest::qWaitFor([&] { return log.spokeACall() && caller.state() == Caller::State::Ready; }, CallMs))
            return qint64(-1);
        QTest::qWait(300);
        return server.recordedBytes() - before;
    };
    const qint64 whole = played({});
    QVERIFY2(whole > 0, "the long call was not played");

    const qint64 replaced = played([&] { caller.say(u"sixty"_s); });
    QVERIFY2(replaced > 0 && replaced < whole / 2, qPrintable(u"%1 of %2 bytes"_s.arg(replaced).arg(whole)));
    QVERIFY(server.received(u"sixty"_s));

    const qint64 stopped = played([&] { caller.stop(); });
    QVERIFY2(stopped >= 0 && stopped < whole / 2, qPrintable(u"%1 of %2 bytes"_s.arg(stopped).arg(whole)));

    // The window: a checkout calls the long name, and F8 silences it.
    QTRY_COMPARE(caller.state(), Caller::State::Ready);
    const qint64 before = server.recordedBytes();
    StateLog log(&caller);
    m_fixture->enter(u"40"_s);
    QTRY_COMPARE_WITH_TIMEOUT(caller.state(), Caller::State::Speaking, CallMs);
    QTest::keyClick(w.EditEx1, Qt::Key_F8);
    QTRY_VERIFY_WITH_TIMEOUT(log.spokeACall() && caller.state() == Caller::State::Ready, CallMs);
    QTest::qWait(300);
    const qint64 undone = server.recordedBytes() - before;
    qInfo("bytes played: whole %lld, replaced %lld, stopped %lld, undone %lld", whole, replaced, stopped, undone);
    QVERIFY2(undone < whole / 2, qPrintable(u"%1 of %2 bytes"_s.arg(undone).arg(whole)));
    QVERIFY(server.received(u"game shot and the leg, "_s + name));
}

// speech-dispatcher is killed while the caller is on: the next call finds it gone.
void tst_Caller::serverCrashes()
{
    if (!needSpeech())
        return;
    SpeechServer server;
    QVERIFY2(server.start(), qPrintable(server.error()));
    qputenv("SPEECHD_ADDRESS", server.address().toUtf8());
    open();
    Caller &caller = switchTo(Hungarian);
    QTRY_COMPARE_WITH_TIMEOUT(caller.state(), Caller::State::Ready, StartMs);
    server.kill();
    StandardErrorCapture capture;
    scoreboardGoesOn();
    toldOnce(u"a beszédmotor hibát jelzett: Text synthesizing failure."_s,
        u"the speech engine failed: Text synthesizing failure."_s, capture);
}

// speech-dispatcher stops answering (SIGSTOP) while the caller is on: the engine's thread waits
// on it, the window does not, and the caller falls silent within seconds of the unanswered call.
void tst_Caller::serverStopsAnswering()
{
    if (!needSpeech())
        return;
    SpeechServer server;
    QVERIFY2(server.start(), qPrintable(server.error()));
    qputenv("SPEECHD_ADDRESS", server.address().toUtf8());
    Tfrm_Main &w = open();
    Caller &caller = switchTo(Hungarian);
    QTRY_COMPARE_WITH_TIMEOUT(caller.state(), Caller::State::Ready, StartMs);
    server.pause();
    StandardErrorCapture capture;
    m_fixture->enter(u"60"_s);
    QElapsedTimer entering;
    entering.start();
    w.aTorol->trigger();
    // A call comes last: calls the engine has not yet taken give way to the latest, and a stop
    // alone asks nothing of the service.
    for (int i = 0; i < 5; ++i)
        scoreboardGoesOn();
    QVERIFY2(entering.elapsed() < 1000, "entries waited for the speech service");
    toldOnce(u"a speech-dispatcher nem válaszol"_s, u"speech-dispatcher does not answer"_s, capture);
    // The engine's thread is let go once the server is gone.
    server.kill();
    QTRY_VERIFY_WITH_TIMEOUT(!threadNamed(u"Pontix caller"_s), CallMs);
}

// A speech-dispatcher without any voice.
void tst_Caller::noVoice()
{
    if (!needSpeech())
        return;
    SpeechServer server(SpeechServer::Voices::None);
    QVERIFY2(server.start(), qPrintable(server.error()));
    qputenv("SPEECHD_ADDRESS", server.address().toUtf8());
    open();
    StandardErrorCapture capture;
    switchTo(Hungarian);
    toldOnce(u"nincs magyar hang (speech-dispatcher-espeak-ng)"_s,
        u"speech-dispatcher has no Hungarian voice (install speech-dispatcher-espeak-ng)"_s, capture);
}

void tst_Caller::noSound_data()
{
    QTest::addColumn<SpeechServer::Sound>("sound");
    QTest::addColumn<QStringList>("scores"); // entered 0.9 s apart
    QTest::newRow("no sound device: the call begins and never ends")
        << SpeechServer::Sound::NoDevice << QStringList {u"60"_s};
    // The server answers, but has nothing to play the call on.
    QTest::newRow("no sound server: the call never begins") << SpeechServer::Sound::NoOutput << QStringList {u"60"_s};
    // Each entry cuts short a call that never began, which such a server is slow to answer.
    QTest::newRow("no sound server: a call cut short")
        << SpeechServer::Sound::NoOutput << QStringList {u"60"_s, u"45"_s, u"100"_s};
}

// The voices are there, the sound is not. The caller was left on in English: it starts with the
// window.
void tst_Caller::noSound()
{
    QFETCH(SpeechServer::Sound, sound);
    QFETCH(QStringList, scores);
    if (!needSpeech())
        return;
    SpeechServer server(SpeechServer::Voices::EspeakNg, sound);
    QVERIFY2(server.start(), qPrintable(server.error()));
    qputenv("SPEECHD_ADDRESS", server.address().toUtf8());
    Tfrm_Main &w = open("[Def]\nBemondo=en\n");
    QTRY_VERIFY(w.caller());
    Caller &caller = *w.caller();
    QTRY_COMPARE_WITH_TIMEOUT(caller.state(), Caller::State::Ready, StartMs);
    w.aBeallit->trigger();
    QCOMPARE(callerBoxOf(w)->box()->currentText(), u"angol"_s);
    StandardErrorCapture capture;
    for (const QString &score : scores) {
        m_fixture->enter(score);
        QTest::qWait(900);
    }
    toldOnce(u"a bemondás nem szólalt meg (nincs hangkimenet?)"_s,
        u"a call never finished playing (no audio output?)"_s, capture);
}

QTEST_MAIN(tst_Caller)
#include "tst_Caller.moc"
