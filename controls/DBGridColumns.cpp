// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/DBGridColumns.h"

#include <algorithm>

#include "controls/DBGrid.h"
#include "db/DataSet.h"
#include "db/Field.h"

TColumn::TColumn(TDBGridColumns *owner)
    : m_owner(owner)
{ }

TColumn::~TColumn() = default;

TDBGrid *TColumn::Grid() const
{
    return m_owner->Grid();
}

int TColumn::Index() const
{
    return m_owner->indexOf(this);
}

void TColumn::changed(bool layout)
{
    m_owner->changed(layout);
}

void TColumn::setFieldName(const QString &name)
{
    if (name == m_fieldName)
        return;
    m_fieldName = name;
    const TDataSet *dataSet = Grid()->activeDataSet();
    m_field = dataSet && !name.isEmpty() ? dataSet->FindFieldNamed(name) : nullptr;
    changed(false);
}

void TColumn::setAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    changed(false);
}

void TColumn::setWidth(int pixels)
{
    pixels = std::max(0, pixels);
    if (pixels == m_width)
        return;
    m_width = pixels;
    changed(true);
}

void TColumn::setVisible(bool value)
{
    if (value == m_visible)
        return;
    m_visible = value;
    changed(true);
}

QFont TColumn::Font() const
{
    return m_font ? *m_font : Grid()->font();
}

void TColumn::setFont(const QFont &font)
{
    m_font = font;
    changed(false);
}

TColor TColumn::FontColor() const
{
    return m_fontColor ? *m_fontColor : Grid()->FontColor();
}

void TColumn::setFontColor(TColor color)
{
    m_fontColor = color;
    changed(false);
}

TColor TColumn::Color() const
{
    return m_color ? *m_color : Grid()->Color();
}

void TColumn::setColor(TColor color)
{
    m_color = color;
    changed(false);
}

QString TColumn::TitleCaption() const
{
    if (!m_titleCaption.isEmpty())
        return m_titleCaption;
    if (m_field && !m_field->DisplayLabel().isEmpty())
        return m_field->DisplayLabel();
    return m_fieldName;
}

void TColumn::setTitleCaption(const QString &caption)
{
    if (caption == m_titleCaption)
        return;
    m_titleCaption = caption;
    changed(false);
}

TDBGridColumns::TDBGridColumns(TDBGrid *grid)
    : m_grid(grid)
{ }

TDBGridColumns::~TDBGridColumns() = default;

TColumn *TDBGridColumns::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[size_t(index)].get();
}

int TDBGridColumns::indexOf(const TColumn *column) const
{
    const auto it = std::find_if(m_items.begin(), m_items.end(), [column](const auto &c) { return c.get() == column; });
    return it == m_items.end() ? -1 : int(it - m_items.begin());
}

TColumn *TDBGridColumns::Add()
{
    m_items.push_back(std::unique_ptr<TColumn>(new TColumn(this)));
    changed(true);
    return m_items.back().get();
}

void TDBGridColumns::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
    changed(true);
}

void TDBGridColumns::Clear()
{
    if (m_items.empty())
        return;
    m_items.clear();
    changed(true);
}

void TDBGridColumns::Move(int fromIndex, int toIndex)
{
    if (fromIndex < 0 || fromIndex >= Count() || toIndex < 0 || toIndex >= Count() || fromIndex == toIndex)
        return;
    auto column = std::move(m_items[size_t(fromIndex)]);
    m_items.erase(m_items.begin() + fromIndex);
    m_items.insert(m_items.begin() + toIndex, std::move(column));
    changed(true);
}

void TDBGridColumns::bindFields(const TDataSet *dataSet)
{
    for (const auto &column : m_items)
        column->m_field
            = dataSet && !column->m_fieldName.isEmpty() ? dataSet->FindFieldNamed(column->m_fieldName) : nullptr;
}

void TDBGridColumns::changed(bool layout)
{
    m_grid->columnsChanged(layout);
}
