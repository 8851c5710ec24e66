// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The scoreboard's main window: its controls, the turn table it owns and its handlers.
#pragma once

#include <array>
#include <future>

#include <QFont>
#include <QImage>
#include <QMainWindow>
#include <QRect>
#include <QTimer>

#include "controls/DBGrid.h"
#include "match/Calls.h"
#include "match/Match.h"
#include "settings/Settings.h"

class Announcer;
class Caller;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QSpinBox;
class QToolBar;
class QToolButton;
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

// The scoreboard's one working window: the tool bar, the scoreboard strip with the entry box,
// the settings panel, the two turn grids and the status bar. It owns the turn table and the
// match played on it; its handlers pass entries, undo and new games to the match and show the
// result. Built in MainForm.cpp, its behaviour in Main.cpp.
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

    // Window handlers.
    void FormCreate(QObject *Sender);
    void FormShow(QObject *Sender);
    void FormResize(QObject *Sender);
    void FormClose(QObject *Sender);
    void aBeallitExecute(QObject *Sender);
    void aBezarExecute(QObject *Sender);
    void aKijelzoExecute(QObject *Sender);
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
    QAction *const aTorol;
    QAction *const aBeallit;
    QAction *const aBezar;
    QAction *const aKijelzo; // shows or hides the spectator display

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

    // The match beyond the game: each player's legs beside the name box, the winner in the
    // status bar, and in the settings panel the limit ("first to N legs", 0 for none) and the
    // corrections of each player's legs.
    std::array<QLabel *, 2> legsLabels {};
    QLabel *matchWinnerLabel = nullptr;
    QSpinBox *firstToBox = nullptr;
    std::array<QSpinBox *, 2> legsBoxes {};

    // Speaks what each entry, undo and new game did, through the screen reader.
    Announcer *announcer = nullptr;
    // The caller in the settings panel: off, Hungarian or English, in the order of CallerSetting;
    // made when the panel first shows.
    QComboBox *callerBox = nullptr;
    // Made when the caller is first switched on; nullptr until then.
    Caller *caller() const { return m_caller; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createScoreboardStrip(QWidget *parent);
    void createPlayerPanel(int number, QFrame *&half, QComboBox *&nameBox, QLabel *&figure, TDBText *&average);
    void createSettingsPanel(QWidget *parent);
    void createMatchControls(QWidget *settings);
    void createCallerControls(QWidget *settings);
    void applyCallerSetting();
    void showCallerState();
    void callEntry(qint32 recorded);
    void callNewGame();
    void silenceCall();
    void showMatch();
    void fitSettingsLabels();
    void createStatusBar();
    QWidget *createGrids(QWidget *parent);
    void setEntryBoxColor(bool refused);
    void showFigure(int player, qint32 remaining);
    void setCrossIcon();
    QMargins figureInsets() const;
    int narrowestWidth() const;
    void placeOnWorkArea();
    void checkPlacement();
    QMargins frameMargins() const;
    QRect workAreaFrame() const;
    void showCheckoutRoute();

    bool m_shown = false;
    // The splash's picture, decoded while the window is built, until the splash opens.
    std::shared_future<QImage> m_splashPicture;
    int m_placeWhenFramed = 0;
    QTimer m_placement;
    std::array<QLabel *, 2> m_matchLabels {}; // the settings panel's labels of the match boxes
    QLabel *m_routePanel = nullptr; // the route for the player to throw, in the status bar
    // Where each player's remaining-score figure may stand in its panel, and its font at full size.
    std::array<QRect, 2> m_figurePlaces {};
    QFont m_figureFont;
    SpectatorDisplay *m_display = nullptr; // built when first shown
    // The caller's choice as the settings file keeps it: none until first switched on.
    std::optional<CallerSetting> m_callerSetting;
    QLabel *m_callerLabel = nullptr; // the settings panel's label of the caller's box
    Caller *m_caller = nullptr;
    QLabel *m_callerStatus = nullptr; // why the caller is silent, in the status bar once needed
};

extern Tfrm_Main *frm_Main;
