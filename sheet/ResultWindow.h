// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class Match;
class QLabel;
class QPushButton;
class ResultView;

// The "Eredmény" window: the result sheet's view and "Mentés…", which asks for a file name and
// saves the sheet as PDF or PNG, the name's suffix choosing; what went wrong shows under the view.
// Nothing is saved unless asked. A window of its own over the operator's window, made when first
// asked for; it reads the match when refreshed.
class ResultWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultWindow)

public:
    // The match must outlive the window.
    explicit ResultWindow(const Match &match, QWidget *parent = nullptr);
    ~ResultWindow() override;

    ResultView *view() const { return m_view; }
    // As the view's: the names as typed, the darts shown, the record read again.
    void setPlayerNames(const QString &player1, const QString &player2);
    void setDartsShown(bool shown);
    void refresh();

    // Saves the sheet to the path without asking; what went wrong, if anything, is shown in the
    // window and returned (empty when saved).
    QString saveTo(const QString &path);
    // The window's message: where the sheet went, or why it did not.
    QString message() const;

signals:
    // A file was written.
    void saved(const QString &path);

private:
    // Asks for the file's name and saves there.
    void save();
    void retranslate();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    ResultView *const m_view;
    QLabel *const m_message;
    QPushButton *const m_save;
    bool m_sized = false; // widened to its table once, when first shown
};
