// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class QCloseEvent;
class QLabel;
class QShowEvent;
class QTimer;

// The opening picture shown over the main window at start: a borderless, stay-on-top
// 600 x 400 window centred on the screen that holds the main window. It stays opaque for a second, fades out in steps
// of 10 alpha units every 21 milliseconds and closes and frees itself when the alpha reaches
// 33 or less. Pixels of exactly RGB(128, 128, 128) are holes through which the desktop shows.
// It takes no focus and never keeps the program alive: when the main window closes, the
// program ends and a splash opened by Open() goes with it. A new splash is frm_Logo until it
// is destroyed.
class Tfrm_Logo final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tfrm_Logo)

public:
    // The colour that is transparent wherever the window shows it.
    static constexpr QRgb TransparentColor = 0xFF808080;

    // Reads the opening picture for this screen (the "@2x" twin on a scaled one) and shows it.
    explicit Tfrm_Logo(QWidget *parent = nullptr);
    ~Tfrm_Logo() override;

    // Creates the splash, owned by the application (freed when the program ends, should it not
    // have freed itself by then), and shows it without waiting, centred on the screen that
    // holds `over` (the primary screen without it).
    static Tfrm_Logo *Open(QWidget *over = nullptr);

    quint8 alpha() const { return m_alpha; }

    void FormShow();
    void Timer1Timer();
    void Timer2Timer();
    void FormClose(QCloseEvent *event);

    QLabel *const Image1;
    QTimer *const Timer1; // the hold before the fade
    QTimer *const Timer2; // the fade

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void placeOnScreen();
    void applyTransparentColor();

    quint8 m_alpha = 255;
    QPointer<QWidget> m_over;
};

// The splash while it exists, nullptr before it is created and once it is freed.
extern Tfrm_Logo *frm_Logo;
