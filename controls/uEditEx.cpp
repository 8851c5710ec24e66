#include "uEditEx.h"

namespace {

Qt::Alignment toQt(TAlignment a)
{
    switch (a) {
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

TEditEx::TEditEx(QWidget *parent)
    : QLineEdit(parent)
{
    QLineEdit::setAlignment(toQt(m_alignment));
}

TEditEx::~TEditEx() = default;

// The line edit places its text anew without being rebuilt, so text, selection, caret and
// focus stay as they are.
void TEditEx::setAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    QLineEdit::setAlignment(toQt(value));
}
