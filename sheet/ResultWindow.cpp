// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The "Eredmény" window and its saving.
#include "sheet/ResultWindow.h"

#include <algorithm>
#include <utility>

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

#include "sheet/ResultTableModel.h"
#include "sheet/ResultView.h"
#include "sheet/SheetFile.h"

ResultWindow::ResultWindow(const Match &match, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_view(new ResultView(match, ResultView::Layout::Sheet, this))
    , m_message(new QLabel(this))
    , m_save(new QPushButton(this))
{
    setObjectName(QStringLiteral("Eredmeny"));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_view, 1);
    auto *row = new QHBoxLayout;
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    row->addWidget(m_message, 1);
    m_save->setObjectName(QStringLiteral("save"));
    row->addWidget(m_save);
    column->addLayout(row);
    connect(m_save, &QPushButton::clicked, this, &ResultWindow::save);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    retranslate();
    resize(1100, 720);
}

ResultWindow::~ResultWindow() = default;

// First shown, the window takes the width at which every column's header reads whole, as far as
// its screen allows: the players' names and the figures' names are longer in some languages.
void ResultWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (std::exchange(m_sized, true))
        return;
    const QTableView *table = m_view->table();
    const QHeaderView *header = table->horizontalHeader();
    // The players' columns share their room evenly: each as wide as the widest of them.
    const int legColumns = m_view->model().legColumns();
    int columns = 0;
    int widestFigure = 0;
    for (int column = 0; column < header->count(); ++column) {
        if (column < legColumns)
            columns += header->sectionSizeHint(column);
        else
            widestFigure = std::max(widestFigure, header->sectionSizeHint(column));
    }
    columns += (header->count() - legColumns) * widestFigure;
    const int around = width() - table->viewport()->width();
    const int room = screen()->availableGeometry().width() - 40;
    resize(std::clamp(columns + around, width(), std::max(room, width())), height());
}

void ResultWindow::retranslate()
{
    // The desktop adds the program's name, as to the display's "Kijelző".
    setWindowTitle(tr("Eredmény"));
    m_save->setText(tr("&Mentés…"));
    m_save->setToolTip(tr("Az eredmény mentése PDF- vagy PNG-fájlba"));
    m_message->setAccessibleName(tr("Üzenet"));
}

void ResultWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void ResultWindow::setPlayerNames(const QString &player1, const QString &player2)
{
    m_view->setPlayerNames(player1, player2);
}

void ResultWindow::setDartsShown(bool shown)
{
    m_view->setDartsShown(shown);
}

void ResultWindow::refresh()
{
    m_view->refresh();
}

QString ResultWindow::message() const
{
    return m_message->text();
}

QString ResultWindow::saveTo(const QString &path)
{
    const QString error = SaveResultSheet(*m_view, path);
    m_message->setText(error.isEmpty() ? tr("Mentve: %1").arg(QDir::toNativeSeparators(path)) : error);
    if (error.isEmpty())
        emit saved(path);
    return error;
}

void ResultWindow::save()
{
    const QString pdfFilter = tr("PDF (*.pdf)");
    const QString pngFilter = tr("PNG-kép (*.png)");
    QString filter = pdfFilter;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(this, tr("Eredmény mentése"), QDir(folder).filePath(tr("eredmeny.pdf")),
        pdfFilter + QStringLiteral(";;") + pngFilter, &filter);
    if (path.isEmpty())
        return;
    // A name without either suffix takes the chosen filter's.
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != u"pdf" && suffix != u"png")
        path += filter == pngFilter ? QStringLiteral(".png") : QStringLiteral(".pdf");
    saveTo(path);
}
