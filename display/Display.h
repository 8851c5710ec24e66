// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "match/Legs.h"
#include "match/MatchStats.h"
#include "match/StatsLink.h"

class Match;
class QKeyEvent;
class QScreen;
class ResultView;
class TDataSource;

// What the display reads of the match besides the turn rows, when it refreshes: a value made by its
// owner from the match and the names and rule as the operator set them.
struct MatchView
{
    struct Player
    {
        QString name;
        qint32 remaining = 0;
        MatchFigures match; // sets and legs won and the figures over the match's legs
        // The checkout advice while exact checkout is in force: the route, or what to aim at and
        // what it leaves ("T20 → 140"); empty for none.
        QString advice {};
    };
    std::array<Player, 2> players; // player 1, player 2
    bool player1ToThrow = true;
    bool player1Starts = true; // threw first in this leg
    bool exactCheckout = true;
    int firstTo = 0; // legs to win the match, or each set; 0 for no limit
    std::optional<bool> matchWinner; // player 1 or 2, once the match is decided
    int sets = 0; // sets to win the match; 0 for a match without sets
    bool allLegs = false; // all `firstTo` legs are played, a draw possible
    bool drawn = false; // all legs played with equal points
    bool dartsShown = false; // the legs' darts are asked for at each checkout, and shown on the sheet
};

// The spectator display ("Kijelző"): a window for the room with the legs won across the top, and
// for each player the name (marked for the player who threw first in the leg), the remaining
// score in figures as large as the window allows, checkout route, the game's and the match's
// statistics, the marker of the player to throw and "Kiszállt!" for a player who has checked
// out, in colours of its own. The winner of the match is shown across the top, and from the new game
// that decides it until the next leg's first turn the result sheet (the totals and the chart of the
// last leg) stands in place of the halves.
// While it is shown it follows the match's turns, having read them from the table when it opened;
// hidden, it follows nothing and keeps no pictures.
// It never takes the keyboard by being shown, and never covers the operator's window: when its
// screen or the operator's goes away it withdraws, and comes back full screen on the room's screen
// when a screen appears again; a screen that appears while it is open takes it full screen.
// It reads the match only through what it is given: the match, never changed, whose turns it
// follows while shown, the turn rows it reads when it opens, and the view.
// Screen readers read it once InstallDisplayAccessibility() (display/DisplayAccessible.h) has run.
class SpectatorDisplay final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpectatorDisplay)

public:
    // The operator's window keeps the keyboard: a key pressed here other than F11, Esc and the
    // shortcuts of the actions added to the display hands the keyboard back to it.
    SpectatorDisplay(const Match &match, TDataSource *source, const TurnFields &fields, std::function<MatchView()> view,
        QWidget *operatorWindow = nullptr);
    ~SpectatorDisplay() override;

    // Shows the display full screen on a screen other than the operator's when there is one,
    // else as a normal window on the operator's screen, and hands the keyboard back to the
    // operator's window, also when the window manager activates the display once it is shown.
    void open();
    // Shown when hidden, hidden when shown.
    void toggle();
    // For a short while after opening, an activation of the display (as a window manager makes
    // when it maps a window) hands the keyboard straight back; a click on it does so then too.
    bool handsBackActivation() const { return m_acceptKeyboard.isActive(); }
    // Hidden because its screen (or the operator's) went away; it opens again when a screen
    // appears, unless toggled meanwhile.
    bool isWithdrawn() const { return m_withdrawn; }
    // What the pictures of texts and characters take, in bytes; never more than pictureBudget()
    // beyond those of the last paint, nothing while hidden.
    qint64 pictureBytes() const { return m_pictureBytes; }
    qint64 pictureBudget() const;
    // The match, the names or the exact-checkout box changed: the display catches up once
    // control returns to the event loop.
    void refreshLater();

    // A key typed here for the operator's entry box, called once the keyboard has gone back: Enter
    // or a key with printable text (the keypad's "/" among them, which takes the last entry back).
    std::function<void(const QKeyEvent &key)> OnTyped;

    // Where the parts of a player's half go at the window's current size.
    struct Parts
    {
        QRect area;
        QRect band;
        QRect name;
        QRect figure;
        QRect route;
        QRect starter; // the mark of the player who threw first in the leg
        std::array<QRect, 12> labels;
        std::array<QRect, 12> values;
    };

    const MatchStats &stats() const { return m_stats; }
    // What player 1's or player 2's half shows: the name, the remaining score, the route or
    // "Kiszállt!" (empty when neither), then the seven statistics in reading order.
    QStringList shownTexts(int player) const;
    // The parts of player 1's or player 2's half.
    const Parts &parts(int player) const { return m_layout[player - 1]; }
    // The band across the top: the legs, the limit, the winner of the match.
    QString matchBandText() const;
    // The band of a won match: %1 the winner, %2 the result.
    static QString winnerBandText();
    QRect matchBand() const { return m_matchBandRect; }
    // Player 1's or player 2's match statistics in reading order, after the game's seven.
    QStringList matchTexts(int player) const;
    // Whether player 1's or player 2's name carries the mark of the leg's first thrower.
    bool marksStarter(int player) const { return m_halves[player - 1].starter; }
    // Whether player 1's or player 2's half is marked as the one to throw.
    bool marksThrower(int player) const { return m_halves[player - 1].toThrow; }
    // Whether the band across the top names the winner of the match.
    bool showsMatchWinner() const { return m_matchDecided; }
    // Whether the band names the sets and the legs apart, in a match of sets not yet decided.
    bool showsSets() const { return m_matchSets; }
    // What a half shows in place of the route once its player has checked out.
    static QString checkedOutCaption();
    // The label of a statistic, in reading order: the game's seven, then the match's five.
    static QString statisticLabel(int index);
    // All of them, in the language shown.
    static std::array<QString, 12> statisticLabels();
    // Whether the result sheet stands in place of the halves, and the sheet's view once made (the
    // first time a decided match is shown).
    bool showsSheet() const;
    ResultView *sheetView() const { return m_sheet; }

signals:
    // What the halves or the band show changed, while a screen reader listens.
    void shownTextsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The texts of one half, compared with the last shown to repaint only what changed.
    struct Half
    {
        QString name;
        bool toThrow = false;
        bool starter = false;
        bool checkedOut = false;
        QString remaining;
        QString route;
        std::array<QString, 12> stats; // the game's seven, then the match's five
    };
    void refresh();
    // The result sheet in place of the halves, or the halves again.
    void showSheet(bool show, const MatchView &view);
    QRect sheetArea() const;
    static QPalette sheetPalette();
    Half halfFor(int player, const MatchView &view) const;
    void layoutHalves();
    void updateChanged(int player, const Half &before, const Half &after);
    QRegion markerRegion(int player) const;
    void paintRect(QPainter &painter, const QRect &dirty) const;
    void paintHalf(QPainter &painter, int player, const QRect &dirty) const;
    void paintMatchBand(QPainter &painter) const;
    enum class TextPieces { Whole, Characters };
    // A font fitted to a place, with its capitals' height in pixels, and the text as it fits there:
    // elided with "…" where even the smallest size allowed is too large for the whole text.
    struct Fitted
    {
        QFont font;
        int capHeight = 0;
        QString text;
        bool elided = false;
    };
    const Fitted &fitted(const QFont &base, const QString &text, const QString &widest, qreal capHeight, qreal width,
        qreal smallestCapHeight = 0) const;
    QRect drawText(QPainter &painter, const QRect &rect, const QString &text, const Fitted &fit, const QColor &color,
        const QColor &ground, TextPieces pieces) const;
    void handBackKeyboard();
    void refuseKeyboardForAWhile();
    QScreen *operatorScreen() const;
    QScreen *roomScreen() const;
    QRect normalPlacement(const QScreen *screen) const;
    void showFullScreenQuietly();
    void leaveFullScreen();
    void screenAdded(QScreen *screen);
    void screenRemoved(QScreen *screen);
    void trimPictures() const;
    void dropPictures();

    const Match &m_match;
    TDataSource *const m_source;
    const TurnFields m_fields;
    MatchStats m_stats;
    const std::function<MatchView()> m_view;
    QWidget *const m_operatorWindow;
    std::array<Half, 2> m_halves;
    std::array<Parts, 2> m_layout;
    QString m_matchLegs; // the sets and legs and the limit; once decided, the result
    QString m_matchWinner; // the winner's name once the match is decided
    bool m_matchDecided = false; // won or drawn
    bool m_matchDrawn = false;
    ResultView *m_sheet = nullptr;
    bool m_matchSets = false;
    QRect m_matchBandRect;
    int m_frameWidth = 4;
    bool m_refreshQueued = false;
    bool m_withdrawn = false;
    bool m_placeAfresh = false; // its screen went: a normal window is placed on the operator's
    QPointer<QScreen> m_fullScreenOn; // the screen it was put full screen on
    // Until this runs out, the display takes no keyboard and an activation is the window manager's.
    QTimer m_acceptKeyboard;
    QFont m_font;
    // The statistics' labels, made once: the language is chosen before any window is.
    const std::array<QString, 12> m_statLabels = statisticLabels();
    // Pictures of the texts and characters drawn at the current size, by text, colour, ground,
    // pixel size and weight; those used least recently go once they take more than the budget.
    using TextKey = std::tuple<QString, QRgb, QRgb, int, bool>;
    struct Picture
    {
        QImage image;
        int advance = 0; // where the next character starts
        int margin = 0; // left of where the text starts
        int rise = 0; // from the top to the baseline
        quint64 lastPaint = 0; // the paint that last drew it
    };
    mutable std::map<TextKey, Picture> m_pictures;
    mutable qint64 m_pictureBytes = 0;
    mutable quint64 m_paints = 0;
    // Fitted fonts at the current size, by text, widest text, capitals' height, width, weight and
    // smallest capitals' height.
    using FitKey = std::tuple<QString, QString, int, int, bool, int>;
    mutable std::map<FitKey, Fitted> m_fitted;
};
