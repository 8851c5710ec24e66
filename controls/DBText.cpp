#include "DBText.h"

#include "DataSource.h"
#include "Field.h"
#include "FieldDataLink.h"

namespace {

Qt::Alignment toQt(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

TDBText::TDBText(QWidget *parent)
    : QLabel(parent)
    , m_link(std::make_unique<TFieldDataLink>())
{
    QLabel::setAlignment(toQt(m_alignment));
    m_link->OnDataChange = [this] { showField(); };
}

TDBText::~TDBText()
{
    m_link->OnDataChange = nullptr;
}

TDataSource *TDBText::DataSource() const
{
    return m_link->DataSource();
}

void TDBText::setDataSource(TDataSource *source)
{
    m_link->setDataSource(source);
    showField();
}

QString TDBText::DataField() const
{
    return m_link->FieldName();
}

void TDBText::setDataField(const QString &name)
{
    m_link->setFieldName(name);
    showField();
}

void TDBText::setAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    QLabel::setAlignment(toQt(value));
}

void TDBText::showField()
{
    const TField *field = m_link->Field();
    setText(field ? field->DisplayText() : QString());
}
