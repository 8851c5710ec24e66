// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The scoreboard's main window: its controls, the turn table it owns and its handlers.
#pragma once

#include <array>
#include <optional>

#include <QFont>
#include <QMainWindow>
#include <QRect>
#include <QTimer>

#include "controls/DBGrid.h"
#include "match/Calls.h"
#include "match/Checkout.h"
#include "match/Match.h"
#include "settings/Settings.h"

class Announcer;
class Caller;
class CallerBox;
class LanguageBox;
class CallerStatus;
class LegsLabel;
class MatchControls;
class MatchWinnerLabel;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QToolBar;
class QToolButton;
class ResultWindow;
class SpectatorDisplay;
class TAutoIncField;
class TColumn;
class TDBText;
class TThemeDBGrid;
class TDataSource;
class TEditEx;
class TIntegerField;
class TxovMemTable;

// Settings carried between the settings file and the settings panel.
extern qint32 StartScore;
extern bool ExactCheckout;

// The name a player goes by, wherever it is shown or read: the name typed in the player's name
// box without the blanks around it, or "1. játékos" / "2. játékos" when that leaves nothing.
QString PlayerName(const QString &typed, int number);

// The scoreboard's one working window: the tool bar, the scoreboard strip with the entry box,
// the settings panel, the two turn grids and the status bar. It owns the turn table and the
// match played on it; its handlers pass entries, undo and new games to the match and show the
// result. Built in MainForm.cpp, its behaviour in Main.cpp; what assistive technology learns of
// it in MainAccessibility.cpp. What it shows beyond the scoreboard lives in widgets of its own
// that it places and keeps up to date: the match's (MainMatch.cpp, app/MatchControls.h), the
// caller's (MainCaller.cpp, app/CallerControls.h) and the spectator display (MainDisplay.cpp).
class Tfrm_Main final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tfrm_Main)

public:
    explicit Tfrm_Main(QWidget *parent = nullptr);
    ~Tfrm_Main() override;

    // Match scoring.
    void EnterThrow();
    void RefreshScoreboard();
    void EditEx1KeyPress(QObject *Sender, QChar Key);
    void SpeedButton2Click(QObject *Sender);
    void aTorolExecute(QObject *Sender);
    void aUjExecute(QObject *Sender);
    // A new match, after asking who won the bull-off; the start score from the settings panel.
    void aMeccsExecute(QObject *Sender);
    // Brings back the game the last new game left, or says in the status bar why not.
    void aElozoExecute(QObject *Sender);

    // Window handlers.
    void FormCreate(QObject *Sender);
    void FormShow(QObject *Sender);
    void FormResize(QObject *Sender);
    void FormClose(QObject *Sender);
    void aBeallitExecute(QObject *Sender);
    void aBezarExecute(QObject *Sender);
    void aKijelzoExecute(QObject *Sender);
    // Shows the result sheet of the match in play, or of the last one decided.
    void aEredmenyExecute(QObject *Sender);
    void DBGrid1Enter(QObject *Sender);
    void DBGrid1DrawColumnCell(QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State);
    void DBGrid2DrawColumnCell(QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State);

    void LoadSettings();
    void SaveSettings();

    // The turn table and its field objects.
    TxovMemTable *const Tbl;
    TAutoIncField *const Tbli;
    TIntegerField *const Tble1;
    TIntegerField *const Tblh1;
    TIntegerField *const Tbla1;
    TIntegerField *const Tble2;
    TIntegerField *const Tblh2;
    TIntegerField *const Tbla2;
    TDataSource *const DataSource1;

private:
    Match m_match; // played on Tbl, from StartScore

public:
    // Game state: the match's own, under the window's names.
    bool &Player1Starts;
    bool &Player1ToThrow;
    qint32 &Remaining1;
    qint32 &Remaining2;
    Match &match() { return m_match; }
    const Match &match() const { return m_match; }

    // Actions.
    QAction *const aUj;
    QAction *const aMeccs; // a new match
    QAction *const aElozo; // the previous game
    QAction *const aTorol;
    QAction *const aBeallit;
    QAction *const aBezar;
    QAction *const aKijelzo; // shows or hides the spectator display
    QAction *const aEredmeny; // shows the result sheet

    // Controls.
    QToolBar *ToolBar1 = nullptr;
    QFrame *Panel1 = nullptr;
    QFrame *Panel2 = nullptr;
    QFrame *Panel3 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    TEditEx *EditEx1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QFrame *Panel4 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QLabel *Label3 = nullptr;
    TEditEx *Edit1 = nullptr;
    QFrame *Panel5 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QFrame *Panel6 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Image3 = nullptr;
    TDBText *DBText1 = nullptr;
    TDBText *DBText2 = nullptr;
    TThemeDBGrid *DBGrid1 = nullptr;
    TThemeDBGrid *DBGrid2 = nullptr;

    // Made when the caller is first switched on; nullptr until then.
    Caller *caller() const { return m_caller; }

    // The checkout advice for the player at their remaining score while exact checkout is ticked,
    // under the rule in force, at the player's level while "Útvonal a játékos szintjén" is ticked
    // and the default level otherwise; no advice while exact checkout is cleared.
    CheckoutAdvice adviceFor(bool player1) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createScoreboardStrip(QWidget *parent);
    void createPlayerPanel(int number, QFrame *&half, QComboBox *&nameBox, QLabel *&figure, TDBText *&average);
    void createSettingsPanel(QWidget *parent);
    void createSettingsAdditions();
    void createLegsLabels();
    void createCallerControls(QWidget *settings);
    void applyCallerSetting();
    void showCallerState();
    void callEntry(qint32 recorded);
    void callNewGame();
    void silenceCall();
    void showMatch();
    PlayerNames shownNames() const;
    void showSettingsPictures();
    void fitSettingsLabels();
    void openDisplay();
    // Accessibility (MainAccessibility.cpp).
    void nameAccessibleControls();
    void orderKeyboardFocus();
    void describeScoreboard();
    void tellEntry(EntryOutcome outcome, std::optional<qint32> typedScore);
    QString newestEntry() const;
    void tellTakenBack(const QString &entry);
    // After a new game, a new match or the previous game brought back: `opening` says which.
    void tellNewGame(const QString &opening);
    void createStatusBar();
    QWidget *createGrids(QWidget *parent);
    void setEntryBoxColor(bool refused);
    void showFigure(int player, qint32 remaining);
    void setCrossIcon();
    QMargins figureInsets() const;
    int narrowestWidth() const;
    void placeOnWorkArea();
    void openSplash();
    void checkPlacement();
    QMargins frameMargins() const;
    QRect workAreaFrame() const;
    void showCheckoutRoute();
    void createAdviceLevelBox(QWidget *settings);
    void setAdviceAtPlayerLevel(bool on);

    bool m_shown = false;
    bool m_splashWaits = false; // until the first frame is drawn
    int m_placeWhenFramed = 0;
    QTimer m_placement;
    QLabel *m_routePanel = nullptr; // the route for the player to throw, in the status bar
    // The match beyond the game: each player's legs under the name box, the winner in the status
    // bar; the settings panel's part is made when the panel first shows.
    std::array<LegsLabel *, 2> m_legsLabels {};
    MatchWinnerLabel *m_matchWinner = nullptr;
    MatchControls *m_matchControls = nullptr;
    // Speaks what each entry, undo and new game did, through the screen reader.
    Announcer *m_announcer = nullptr;
    // Where each player's remaining-score figure may stand in its panel, and its font at full size.
    std::array<QRect, 2> m_figurePlaces {};
    QFont m_figureFont;
    SpectatorDisplay *m_display = nullptr; // built when first shown
    ResultWindow *m_sheet = nullptr; // "Eredmény", built when first asked for
    void showSheetNames();
    // Reads the night's record into the sheet again while it shows.
    void refreshResultSheet();
    // The caller's choice as the settings file keeps it: none until first switched on.
    std::optional<CallerSetting> m_callerSetting;
    CallerBox *m_callerBox = nullptr; // made when the settings panel first shows
    Caller *m_caller = nullptr;
    CallerStatus *m_callerStatus = nullptr; // why the caller is silent, in the status bar once needed
    // The league rules and the match format as the settings file keeps them: each none until the
    // operator first changes it.
    StoredSettings m_addedSettings;
    bool m_doubleOut = false;
    QCheckBox *m_doubleOutBox = nullptr; // made when the settings panel first shows
    // Keeps the added settings in step with the format the match plays.
    void rememberFormat();
    void setDoubleOut(bool on);
    QLabel *m_notice = nullptr; // in the status bar
    void showNotice(const QString &text);
    // Says the status bar's notice through the screen reader.
    void tellNotice();
    // The entry box asks for the darts of the turn that has just checked out, while "Kiszálló
    // nyilai" is ticked: the next entry answers, any change to the game ends the question.
    bool m_askingDarts = false;
    QCheckBox *m_checkoutDartsBox = nullptr; // made when the settings panel first shows
    QCheckBox *m_displayRoutesBox = nullptr; // likewise
    void askCheckoutDarts();
    void answerCheckoutDarts();
    void stopAskingDarts();
    void createRecordBoxes(QWidget *settings);
    // "Útvonal a játékos szintjén" as the settings file keeps it: none until first changed.
    std::optional<bool> m_playerLevelRoutes;
    QCheckBox *m_adviceLevelBox = nullptr; // made when the settings panel first shows
    LanguageBox *m_languageBox = nullptr; // made when the settings panel first shows
    // Each player's advice level, kept steady between visits; updated as the scoreboard refreshes.
    PlayerLevels m_playerLevels;
    std::array<int, 2> m_adviceLevels {defaultLevel, defaultLevel};
};

extern Tfrm_Main *frm_Main;
