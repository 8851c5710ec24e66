// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The "Eredmény" window and its saving.
#include "sheet/ResultWindow.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QVBoxLayout>

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
