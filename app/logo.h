// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <future>

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

    // Shows `picture`, the opening picture as ReadPicture() gives it; without one the splash reads
    // the picture itself.
    explicit Tfrm_Logo(QWidget *parent = nullptr, const QImage &picture = QImage());
    ~Tfrm_Logo() override;

    // The opening picture for this screen, decoded on a thread of its own from now on: a window
    // that opens the splash when it is shown asks for it first, so that it is decoded while the
    // window is built.
    static std::shared_future<QImage> ReadPicture();

    // Creates the splash, owned by the application (freed when the program ends, should it not
    // have freed itself by then), and shows it without waiting, centred on the screen that
    // holds `over` (the primary screen without it). `picture` as for the constructor.
    static Tfrm_Logo *Open(const QWidget *over = nullptr, const QImage &picture = QImage());

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

private:
    void placeOnScreen();
    void applyTransparentColor();

    quint8 m_alpha = 255;
    QPointer<const QWidget> m_over;
};

// The splash while it exists, nullptr before it is created and once it is freed.
extern Tfrm_Logo *frm_Logo;
