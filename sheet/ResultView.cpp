// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The result sheet's view: the title, the table, the leg chooser and the chart, read from the
// match's record at each refresh.
#include "sheet/ResultView.h"

#include <algorithm>

#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>

#include "match/Match.h"
#include "match/ResultSheet.h"
#include "sheet/ResultTableModel.h"

namespace {

// Column headers of two lines, the player's name and the figure, each line elided to the column's
// width on its own: a long name keeps its start and the figure stays whole.
class SheetHeader final : public QHeaderView
{
public:
    explicit SheetHeader(QWidget *parent)
        : QHeaderView(Qt::Horizontal, parent)
    { }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        if (!rect.isValid())
            return;
        QStyleOptionHeader option;
        initStyleOption(&option);
        initStyleOptionForIndex(&option, logicalIndex);
        option.rect = rect;
        const int room = rect.width() - 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, &option, this);
        QStringList lines = option.text.split(u'\n');
        for (QString &line : lines)
            line = fontMetrics().elidedText(line, Qt::ElideRight, room);
        option.text = lines.join(u'\n');
        option.textAlignment = Qt::AlignCenter;
        painter->save();
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
        painter->restore();
    }
};

// In the room's layout: the totals' type as a share of the view's height, and the chart's share.
constexpr qreal RoomTextShare = 0.05;
constexpr int RoomChartStretch = 3;

} // namespace

ResultView::ResultView(const Match &match, Layout layout, QWidget *parent)
    : QWidget(parent)
    , m_match(match)
    , m_layout(layout)
    , m_model(new ResultTableModel(this))
    , m_totals(new ResultTotalsModel(this))
    , m_title(new QLabel(this))
    , m_table(new QTableView(this))
    , m_chooserLabel(new QLabel(this))
    , m_chooser(new QComboBox(this))
    , m_chart(new LegChart(this))
{
    const bool room = layout == Layout::Room;
    auto *column = new QVBoxLayout(this);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    m_title->setFont(titleFont);
    m_title->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    column->addWidget(m_title);

    m_table->setHorizontalHeader(new SheetHeader(m_table));
    m_table->setModel(room ? static_cast<QAbstractItemModel *>(m_totals) : m_model);
    m_table->setObjectName(QStringLiteral("resultTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideRight);
    // The figures share the width; the leg's columns take what their texts need, a long name no
    // more than a few figures' worth.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setHighlightSections(false);
    // The leg's own column numbers the rows; the totals' view names the players in its rows.
    m_table->verticalHeader()->setVisible(room);
    // Rows as high as their text and a little: the totals stay in sight with a dozen legs.
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    column->addWidget(m_table, room ? 2 : 5);

    auto *chooserRow = new QHBoxLayout;
    m_chooserLabel->setBuddy(m_chooser);
    m_chooser->setObjectName(QStringLiteral("legChooser"));
    m_chooser->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    chooserRow->addWidget(m_chooserLabel);
    chooserRow->addWidget(m_chooser);
    chooserRow->addStretch();
    column->addLayout(chooserRow);
    column->addWidget(m_chart, room ? RoomChartStretch : 4);
    connect(m_chooser, &QComboBox::activated, this, [this](int leg) {
        m_followLast = leg == m_chooser->count() - 1;
        chooseLeg(leg);
    });

    // In a window, the chart's type a little larger than the window's, however large the chart.
    m_chart->setTextRange(0, QFontInfo(m_chart->font()).pixelSize() * 1.3);
    if (room) {
        // The room reads; the keyboard stays with the operator.
        m_title->hide();
        m_chooserLabel->hide();
        m_chooser->hide();
        m_table->setFocusPolicy(Qt::NoFocus);
        m_table->setSelectionMode(QAbstractItemView::NoSelection);
        m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        setFocusPolicy(Qt::NoFocus);
    }
    retranslate();
    refresh();
}

ResultView::~ResultView() = default;

void ResultView::retranslate()
{
    m_chooserLabel->setText(tr("&Grafikon:"));
    m_chooser->setAccessibleName(tr("A grafikon legje"));
    m_table->setAccessibleName(m_layout == Layout::Room ? tr("A meccs összesítése") : tr("Eredmény"));
    m_chart->setAccessibleName(tr("A leg grafikonja"));
}

void ResultView::setPlayerNames(const QString &player1, const QString &player2)
{
    if (m_typedNames == std::array<QString, 2> {player1, player2})
        return;
    m_typedNames = {player1, player2};
    refresh();
}

void ResultView::setDartsShown(bool shown)
{
    m_model->setDartsShown(shown);
    if (m_layout == Layout::Sheet)
        fitLegColumns();
}

QString ResultView::title() const
{
    const int legs1 = m_totals->index(0, 0).data().toInt();
    const int legs2 = m_totals->index(1, 0).data().toInt();
    return tr("%1 %2 – %3 %4").arg(m_names[0]).arg(legs1).arg(legs2).arg(m_names[1]);
}

void ResultView::refresh()
{
    for (std::size_t i = 0; i < 2; ++i) {
        const QString typed = m_typedNames[i].trimmed();
        m_names[i] = typed.isEmpty() ? tr("%1. játékos").arg(i + 1) : typed;
    }
    const ResultRecord &record = m_match.record();
    const bool decided = m_match.legs().matchDecided();
    m_shownMatch = ResultSheet::lastMatch(record, decided);
    const ResultSheet sheet(record, m_shownMatch, decided);
    m_model->setSheet(sheet, m_names);
    m_totals->setSheet(sheet, m_names);
    m_title->setText(title());
    if (m_layout == Layout::Sheet) {
        // "Összesen" over the leg's and the starter's columns.
        m_table->clearSpans();
        m_table->setSpan(m_model->legCount(), 0, 1, 2);
        // No higher than its rows: the chart takes the rest. The latest legs and the totals in sight.
        m_table->setMaximumHeight(m_table->horizontalHeader()->sizeHint().height()
            + m_table->verticalHeader()->defaultSectionSize() * m_model->rowCount() + 2 * m_table->frameWidth()
            + m_table->horizontalScrollBar()->sizeHint().height());
        m_table->scrollToBottom();
        fitLegColumns();
    }

    m_courses.clear();
    for (std::size_t leg = 0; leg < sheet.legs().size(); ++leg) {
        m_courses.push_back(
            {m_names, {sheet.remainingScores(qsizetype(leg), true), sheet.remainingScores(qsizetype(leg), false)}});
    }
    const int previous = m_chosen;
    m_chooser->clear();
    for (const SheetLeg &leg : sheet.legs())
        m_chooser->addItem(tr("%1. leg").arg(leg.number));
    chooseLeg(m_followLast || previous >= legCount() ? legCount() - 1 : previous);
    if (m_layout == Layout::Room)
        scaleForTheRoom();
}

// The leg's own columns (the number, the starter, the winner, the darts) as wide as their texts.
void ResultView::fitLegColumns()
{
    QHeaderView *header = m_table->horizontalHeader();
    header->setMaximumSectionSize(m_table->fontMetrics().averageCharWidth() * 18);
    const int legColumns = m_model->legColumns();
    for (int column = 0; column < legColumns; ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (int column = legColumns; column < m_model->columnCount(); ++column)
        header->setSectionResizeMode(column, QHeaderView::Stretch);
}

void ResultView::chooseLeg(int leg)
{
    m_chosen = legCount() == 0 ? -1 : std::clamp(leg, 0, legCount() - 1);
    m_chooser->setCurrentIndex(m_chosen);
    m_chart->setCourse(m_chosen < 0 ? LegCourse {m_names, {}} : m_courses[std::size_t(m_chosen)]);
    m_chart->setAccessibleDescription(m_chosen < 0 ? QString() : m_chooser->currentText());
}

void ResultView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_layout == Layout::Room)
        scaleForTheRoom();
}

void ResultView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        refresh();
    }
}

// Three rows of the totals (the headers and the two players) over two fifths of the height, in type
// a twentieth of it high; the chart takes the rest and sizes its own type.
void ResultView::scaleForTheRoom()
{
    QFont font = m_table->font();
    font.setPixelSize(std::max(12, int(height() * RoomTextShare)));
    m_table->setFont(font);
    font.setBold(true);
    m_table->verticalHeader()->setFont(font);
    m_table->verticalHeader()->setMinimumWidth(int(font.pixelSize() * 6));
    // The figures' names read whole: where the longest ("Kiszálló", "Checkout") would be cut in its
    // share of the width, the headers take a smaller type than the figures.
    const int columns = m_totals->columnCount();
    const int share = (width() - m_table->verticalHeader()->minimumWidth()) / std::max(1, columns);
    int widest = 0;
    for (int column = 0; column < columns; ++column) {
        const QString name = m_totals->headerData(column, Qt::Horizontal).toString();
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(name) + font.pixelSize() / 2);
    }
    if (widest > share && share > 0)
        font.setPixelSize(std::max(12, font.pixelSize() * share / widest));
    m_table->horizontalHeader()->setFont(font);
    m_table->setFixedHeight(int(font.pixelSize() * 2.2) * 3 + 2 * m_table->frameWidth());
    // The chart's labels read from as far as the figures above them.
    m_chart->setTextRange(font.pixelSize() * 0.7, font.pixelSize());
}
