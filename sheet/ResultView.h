// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <vector>

#include <QWidget>

#include "sheet/LegChart.h"

class Match;
class QComboBox;
class QLabel;
class QTableView;
class ResultTableModel;
class ResultTotalsModel;

// The result sheet of the match in play, or of the match just decided: a title with the players
// and the legs won ("Kovács 3 – 1 Szabó"), the table of the legs and the totals, a chooser of the
// leg the chart shows (the last one unless another was chosen) and the chart. In the room's layout,
// for the spectator display, it shows the totals alone and the chart of the last leg, in type that
// grows with its height, and takes no keyboard. It reads the match's record when refreshed, never
// by itself: the sheet may stay open while the match goes on.
class ResultView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultView)

public:
    enum class Layout { Sheet, Room };

    // The match must outlive the view. Refreshed once here.
    explicit ResultView(const Match &match, Layout layout = Layout::Sheet, QWidget *parent = nullptr);
    ~ResultView() override;

    // The names the sheet gives the players, as the name boxes show them; an empty one stands as
    // "1. játékos" or "2. játékos".
    void setPlayerNames(const QString &player1, const QString &player2);
    // Whether the legs' darts are shown: while the darts at the checkout are asked for.
    void setDartsShown(bool shown);
    // Reads the record again: the sheet of the leg in play's match once it has a turn, else of the
    // last leg left's.
    void refresh();

    // The night's match shown (from 1); 0 before any turn.
    int shownMatch() const { return m_shownMatch; }
    QString title() const;
    // The legs on the sheet, and the one the chart shows (from 0; -1 without legs).
    int legCount() const { return int(m_courses.size()); }
    int chosenLeg() const { return m_chosen; }
    void chooseLeg(int leg);

    const ResultTableModel &model() const { return *m_model; }
    QTableView *table() const { return m_table; }
    QComboBox *legChooser() const { return m_chooser; }
    LegChart *chart() const { return m_chart; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Type and rows in proportion to the height, in the room's layout.
    void scaleForTheRoom();
    void fitLegColumns();
    void retranslate();

    const Match &m_match;
    const Layout m_layout;
    std::array<QString, 2> m_typedNames;
    std::array<QString, 2> m_names;
    int m_shownMatch = 0;
    std::vector<LegCourse> m_courses;
    int m_chosen = -1;
    bool m_followLast = true; // the chart follows the last leg until another is chosen
    ResultTableModel *const m_model;
    ResultTotalsModel *const m_totals;
    QLabel *const m_title;
    QTableView *const m_table;
    QLabel *const m_chooserLabel;
    QComboBox *const m_chooser;
    LegChart *const m_chart;
};
