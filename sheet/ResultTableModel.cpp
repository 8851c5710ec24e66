// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The result sheet's texts, as the table and the files show them.
#include "sheet/ResultTableModel.h"

#include <QFont>

namespace {

constexpr int FigureColumns = 6;
const QString None = QStringLiteral("–");

QString figureOf(std::optional<qint32> value)
{
    return value ? QString::number(*value) : None;
}

// What a screen reader says for a cell: "nincs" for the dash of a missing figure.
QVariant spoken(const QString &text)
{
    return text == None ? QVariant(ResultTableModel::tr("nincs")) : QVariant(text);
}

} // namespace

ResultTableModel::ResultTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

ResultTableModel::~ResultTableModel() = default;

QStringList ResultTableModel::figureTexts(const SheetFigures &figures)
{
    return {figureOf(figures.average()), figureOf(figures.firstNineAverage()), QString::number(figures.totals.tons),
        QString::number(figures.totals.tonForties), QString::number(figures.totals.maximums),
        figureOf(figures.checkout)};
}

QStringList ResultTableModel::figureHeaders()
{
    return {tr("Átlag"), tr("Első 9"), tr("100+"), tr("140+"), tr("180"), tr("Kiszálló")};
}

void ResultTableModel::setSheet(const ResultSheet &sheet, const std::array<QString, 2> &names)
{
    beginResetModel();
    m_legs = sheet.legs();
    m_totals = {sheet.totals(true), sheet.totals(false)};
    m_names = names;
    endResetModel();
}

void ResultTableModel::setDartsShown(bool shown)
{
    if (shown == m_dartsShown)
        return;
    beginResetModel();
    m_dartsShown = shown;
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : legCount() + 1;
}

int ResultTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : legColumns() + 2 * FigureColumns;
}

QString ResultTableModel::text(int row, int column) const
{
    const bool totals = row == legCount();
    if (column >= legColumns()) {
        const int figure = column - legColumns();
        const bool player1 = figure < FigureColumns;
        const SheetFigures &figures = totals ? m_totals[player1 ? 0 : 1] : m_legs[std::size_t(row)].player(player1);
        return figureTexts(figures)[figure % FigureColumns];
    }
    if (totals) {
        // The legs won stand under the winners.
        return column == 0 ? tr("Összesen")
            : column == 2  ? QStringLiteral("%1 – %2").arg(m_totals[0].legs).arg(m_totals[1].legs)
                           : QString();
    }
    const SheetLeg &leg = m_legs[std::size_t(row)];
    switch (column) {
    case 0:
        return QString::number(leg.number);
    case 1:
        return m_names[leg.player1Started ? 0 : 1];
    case 2:
        return leg.winner ? m_names[*leg.winner ? 0 : 1] : None;
    default:
        return leg.darts ? tr("%1 nyíl").arg(*leg.darts) : QString();
    }
}

QVariant ResultTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::AccessibleTextRole:
        return spoken(text(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::FontRole:
        if (index.row() == legCount()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (orientation == Qt::Vertical) {
        if (section < 0 || section > legCount())
            return {};
        return section == legCount() ? tr("Összesen") : tr("%1. leg").arg(m_legs[std::size_t(section)].number);
    }
    if (section < 0 || section >= columnCount())
        return {};
    if (section < legColumns())
        return QStringList {tr("Leg"), tr("Kezdett"), tr("Nyert"), tr("Nyíl")}[section];
    // Two lines on screen keep the columns narrow; read as one.
    const int figure = section - legColumns();
    const QString name = m_names[figure < FigureColumns ? 0 : 1];
    const QString header = figureHeaders()[figure % FigureColumns];
    return role == Qt::AccessibleTextRole ? tr("%1: %2").arg(name, header) : QStringLiteral("%1\n%2").arg(name, header);
}

ResultTotalsModel::ResultTotalsModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

ResultTotalsModel::~ResultTotalsModel() = default;

void ResultTotalsModel::setSheet(const ResultSheet &sheet, const std::array<QString, 2> &names)
{
    beginResetModel();
    m_totals = {sheet.totals(true), sheet.totals(false)};
    m_names = names;
    endResetModel();
}

int ResultTotalsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

int ResultTotalsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1 + FigureColumns;
}

QVariant ResultTotalsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const SheetFigures &figures = m_totals[std::size_t(index.row())];
    const QString text = index.column() == 0 ? QString::number(figures.legs)
                                             : ResultTableModel::figureTexts(figures)[index.column() - 1];
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::AccessibleTextRole:
        return spoken(text);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant ResultTotalsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (orientation == Qt::Vertical)
        return section >= 0 && section < 2 ? QVariant(m_names[std::size_t(section)]) : QVariant();
    if (section < 0 || section >= columnCount())
        return {};
    return section == 0 ? tr("Leg") : ResultTableModel::figureHeaders()[section - 1];
}
