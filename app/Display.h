#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

#include <QFont>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include "match/StatsLink.h"

class QKeyEvent;
class TDataSource;

// What the display reads of the match besides the turn rows, when it refreshes.
struct MatchView
{
    QString name1;
    QString name2;
    qint32 remaining1 = 0;
    qint32 remaining2 = 0;
    bool player1ToThrow = true;
    bool exactCheckout = true;
};

// The spectator display ("Kijelző"): a window for the room with each player's name, remaining
// score in figures as large as the window allows, checkout route, statistics, the marker of the
// player to throw and "Kiszállt!" for a player who has checked out, in colours of its own.
// A bound view of the turn table while it is shown; hidden, it follows nothing.
class SpectatorDisplay final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpectatorDisplay)

public:
    // The operator's window keeps the keyboard: a key pressed here other than F11, Esc and the
    // shortcuts of the actions added to the display hands the keyboard back to it.
    SpectatorDisplay(TDataSource *source, const TurnFields &fields, std::function<MatchView()> view,
        QWidget *operatorWindow = nullptr);
    ~SpectatorDisplay() override;

    // Shows the display full screen on a screen other than the operator's when there is one,
    // else as a normal window, and hands the keyboard back to the operator's window.
    void open();
    // Shown when hidden, hidden when shown.
    void toggle();
    // The names or the exact-checkout box changed: the display catches up once control returns
    // to the event loop.
    void refreshLater();

    // Text typed here for the operator's entry box, called once the keyboard has gone back: the
    // printable text of a key, or "\r" for Enter.
    std::function<void(const QString &typed)> OnTyped;

    // Where the parts of a player's half go at the window's current size.
    struct Parts
    {
        QRect area;
        QRect band;
        QRect name;
        QRect figure;
        QRect route;
        std::array<QRect, 7> labels;
        std::array<QRect, 7> values;
    };

    const MatchStats &stats() const { return m_link->Stats(); }
    // What player 1's or player 2's half shows: the name, the remaining score, the route or
    // "Kiszállt!" (empty when neither), then the seven statistics in reading order.
    QStringList shownTexts(int player) const;
    // The parts of player 1's or player 2's half.
    const Parts &parts(int player) const { return m_layout[player == 1 ? 0 : 1]; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // The texts of one half, compared with the last shown to repaint only what changed.
    struct Half
    {
        QString name;
        bool toThrow = false;
        bool checkedOut = false;
        QString remaining;
        QString route;
        std::array<QString, 7> stats;
    };
    void refresh();
    Half halfFor(int player, const MatchView &view) const;
    void layoutHalves();
    void updateChanged(int player, const Half &before, const Half &after);
    QRegion markerRegion(int player) const;
    void paintRect(QPainter &painter, const QRect &dirty) const;
    void paintHalf(QPainter &painter, int player, const QRect &dirty) const;
    enum class TextPieces { Whole, Characters };
    // A font fitted to a place, with its capitals' height in pixels.
    struct Fitted
    {
        QFont font;
        int capHeight = 0;
    };
    const Fitted &fitted(
        const QFont &base, const QString &text, const QString &widest, qreal capHeight, qreal width) const;
    QRect drawText(QPainter &painter, const QRect &rect, const QString &text, const Fitted &fit, const QColor &color,
        const QColor &ground, TextPieces pieces) const;
    void handBackKeyboard();

    const std::unique_ptr<MatchStatsLink> m_link;
    TDataSource *const m_source;
    const std::function<MatchView()> m_view;
    QWidget *const m_operatorWindow;
    std::array<Half, 2> m_halves;
    std::array<Parts, 2> m_layout;
    int m_frameWidth = 4;
    bool m_refreshQueued = false;
    QFont m_font;
    // Pictures of the texts and characters drawn at the current size, by text, colour, ground,
    // pixel size and weight.
    using TextKey = std::tuple<QString, QRgb, QRgb, int, bool>;
    struct Picture
    {
        QImage image;
        int advance = 0; // where the next character starts
        int margin = 0; // left of where the text starts
        int rise = 0; // from the top to the baseline
    };
    mutable std::map<TextKey, Picture> m_pictures;
    // Fitted fonts at the current size, by text, widest text, capitals' height, width and weight.
    using FitKey = std::tuple<QString, QString, int, int, bool>;
    mutable std::map<FitKey, Fitted> m_fitted;
};
