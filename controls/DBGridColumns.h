// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QFont>
#include <QString>

#include "controls/Alignment.h"
#include "controls/Colors.h"

class TDataSet;
class TDBGrid;
class TDBGridColumns;
class TField;

// One column of a bound grid: the field it shows (by name), how the text stands, how wide it
// is, and its font and colour, which follow the grid's until the column sets its own.
class TColumn
{
    Q_DISABLE_COPY_MOVE(TColumn)

public:
    ~TColumn();

    TDBGrid *Grid() const;
    int Index() const;

    const QString &FieldName() const { return m_fieldName; }
    void setFieldName(const QString &name);
    // The field of that name while the grid's table is open, else nullptr.
    TField *Field() const { return m_field; }

    TAlignment Alignment() const { return m_alignment; }
    void setAlignment(TAlignment value);
    int Width() const { return m_width; }
    void setWidth(int pixels);
    bool Visible() const { return m_visible; }
    void setVisible(bool value);

    QFont Font() const;
    void setFont(const QFont &font);
    TColor FontColor() const;
    void setFontColor(TColor color);
    TColor Color() const;
    void setColor(TColor color);

    // The caption shown in the title row: the one set here, else the field's display label,
    // else the field name.
    QString TitleCaption() const;
    void setTitleCaption(const QString &caption);

private:
    friend class TDBGridColumns;
    explicit TColumn(TDBGridColumns *owner);
    void changed(bool layout);

    TDBGridColumns *const m_owner;
    QString m_fieldName;
    TField *m_field = nullptr;
    TAlignment m_alignment = taLeftJustify;
    int m_width = 64;
    bool m_visible = true;
    std::optional<QFont> m_font;
    std::optional<TColor> m_fontColor;
    std::optional<TColor> m_color;
    QString m_titleCaption;
};

// The grid's columns, in display order. The grid owns them.
class TDBGridColumns
{
    Q_DISABLE_COPY_MOVE(TDBGridColumns)

public:
    explicit TDBGridColumns(TDBGrid *grid);
    ~TDBGridColumns();

    TDBGrid *Grid() const { return m_grid; }
    int Count() const { return int(m_items.size()); }
    TColumn *Items(int index) const;
    TColumn *operator[](int index) const { return Items(index); }
    int indexOf(const TColumn *column) const;

    TColumn *Add();
    void Delete(int index);
    void Clear();
    void Move(int fromIndex, int toIndex);

    // Looks the columns' fields up in the dataset; nullptr unbinds them.
    void bindFields(const TDataSet *dataSet);

private:
    friend class TColumn;
    void changed(bool layout);

    TDBGrid *const m_grid;
    std::vector<std::unique_ptr<TColumn>> m_items;
};
