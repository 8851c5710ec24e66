// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/RecordingLink.h"

#include "db/DataSet.h"
#include "db/Field.h"

RecordingLink::RecordingLink(bool visual, QString linkName)
    : TDataLink(visual)
    , name(std::move(linkName))
{ }

QString RecordingLink::EventName(TDataEvent event)
{
    switch (event) {
    case TDataEvent::deFieldChange:
        return QStringLiteral("field-change");
    case TDataEvent::deRecordChange:
        return QStringLiteral("record-change");
    case TDataEvent::deDataSetChange:
        return QStringLiteral("dataset-change");
    case TDataEvent::deDataSetScroll:
        return QStringLiteral("dataset-scroll");
    case TDataEvent::deLayoutChange:
        return QStringLiteral("layout-change");
    case TDataEvent::deUpdateRecord:
        return QStringLiteral("update-record");
    case TDataEvent::deUpdateState:
        return QStringLiteral("state-change");
    case TDataEvent::deCheckBrowseMode:
        return QStringLiteral("check-browse-mode");
    case TDataEvent::deFocusControl:
        return QStringLiteral("focus-control");
    case TDataEvent::deDisabledStateChange:
        return QStringLiteral("disabled-state-change");
    default:
        return QStringLiteral("event-%1").arg(int(event));
    }
}

void RecordingLink::clearLogs()
{
    notifications.clear();
    reactions.clear();
}

QList<int> RecordingLink::rowNumbers() const
{
    QList<int> rows;
    auto *self = const_cast<RecordingLink *>(this);
    const int saved = ActiveRow();
    for (int j = 0; j < RowCount(); ++j) {
        self->setActiveRow(j);
        rows << DataSet()->RowNumber();
    }
    self->setActiveRow(saved);
    return rows;
}

QList<QVariant> RecordingLink::values(const QString &fieldName) const
{
    QList<QVariant> result;
    auto *self = const_cast<RecordingLink *>(this);
    const int saved = ActiveRow();
    for (int j = 0; j < RowCount(); ++j) {
        self->setActiveRow(j);
        result << DataSet()->FieldValue(fieldName);
    }
    self->setActiveRow(saved);
    return result;
}

void RecordingLink::DataEvent(TDataEvent event, qintptr info)
{
    QString entry = EventName(event);
    if (event == TDataEvent::deFieldChange || event == TDataEvent::deFocusControl) {
        const auto *field = reinterpret_cast<const TField *>(info);
        entry += QLatin1Char(' ') + (field ? field->FieldName() : QStringLiteral("-"));
    } else if (event == TDataEvent::deDataSetScroll || event == TDataEvent::deDisabledStateChange) {
        entry += QLatin1Char(' ') + QString::number(info);
    }
    notifications << entry;
    if (journal)
        *journal << name + QStringLiteral(": ") + entry;
    TDataLink::DataEvent(event, info);
}

void RecordingLink::ActivityChange()
{
    reactions << QStringLiteral("ActivityChange(%1)").arg(Active() ? 1 : 0);
}

void RecordingLink::EditingChange()
{
    reactions << QStringLiteral("EditingChange(%1)").arg(Editing() ? 1 : 0);
}

void RecordingLink::TableChange()
{
    reactions << QStringLiteral("TableChange");
}

void RecordingLink::TableScroll(int distance)
{
    reactions << QStringLiteral("TableScroll(%1)").arg(distance);
}

void RecordingLink::LayoutChange()
{
    reactions << QStringLiteral("LayoutChange");
}

void RecordingLink::RowChange(TField *field)
{
    reactions << QStringLiteral("RowChange(%1)").arg(field ? field->FieldName() : QStringLiteral("-"));
}

void RecordingLink::WriteBack()
{
    reactions << QStringLiteral("WriteBack");
}

void RecordingLink::FinishPending()
{
    reactions << QStringLiteral("FinishPending");
}

void RecordingLink::FocusField(TField *field)
{
    reactions << QStringLiteral("FocusField(%1)").arg(field ? field->FieldName() : QStringLiteral("-"));
}
