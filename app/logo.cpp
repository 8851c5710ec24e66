// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/logo.h"

#include <algorithm>

#include <QBitmap>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "app/Picture.h"

Tfrm_Logo *frm_Logo = nullptr;

namespace {
constexpr int LogoWidth = 600;
constexpr int LogoHeight = 400;
constexpr int HoldInterval = 1000;
constexpr int FadeInterval = 21;
constexpr quint8 FadeStep = 10;
constexpr quint8 LastAlpha = 33;

// The picture's words are in the window's language: the translation names its own picture.
QString openingPicture()
{
    //: The resource of the opening picture whose words are in this language.
    return Tfrm_Logo::tr(":/assets/splash.jpg");
}

// Counting a row's matches rather than stopping at the first lets the compiler compare several
// pixels at once; a picture without holes is read to its end either way.
bool shows(const QImage &image, QRgb colour)
{
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        unsigned hits = 0;
        for (int x = 0; x < width; ++x)
            hits += row[x] == colour ? 1U : 0U;
        if (hits != 0)
            return true;
    }
    return false;
}
} // namespace

Tfrm_Logo::Tfrm_Logo(QWidget *parent)
    : QWidget(
        parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , Image1(new QLabel(this))
    , Timer1(new QTimer(this))
    , Timer2(new QTimer(this))
{
    // A picture over the main window: it must neither take the focus from the entry box nor
    // keep the program running once the main window is closed.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(LogoWidth, LogoHeight);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor::fromRgb(TransparentColor));
    setPalette(colours);
    setAutoFillBackground(true);

    Image1->setGeometry(rect());
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Through an icon, so that a scaled screen gets the picture's "@2x" twin.
    Image1->setPixmap(pictureIcon(openingPicture(), size()).pixmap(size()));

    Timer1->setInterval(HoldInterval);
    Timer2->setInterval(FadeInterval);
    Timer2->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &Tfrm_Logo::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &Tfrm_Logo::Timer2Timer);

    frm_Logo = this;
}

Tfrm_Logo::~Tfrm_Logo()
{
    if (frm_Logo == this)
        frm_Logo = nullptr;
}

Tfrm_Logo *Tfrm_Logo::Open(QWidget *over)
{
    auto *logo = new Tfrm_Logo(nullptr);
    logo->m_over = over;
    // The application owns the splash: should the program end during the fade, the splash
    // goes with it instead of outliving the event loop.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, logo, [logo] { delete logo; });
    logo->show();
    return logo;
}

void Tfrm_Logo::FormShow()
{
    Timer1->start();
}

void Tfrm_Logo::Timer1Timer()
{
    Timer2->start();
    Timer1->stop();
}

void Tfrm_Logo::Timer2Timer()
{
    m_alpha = quint8(m_alpha - FadeStep);
    setWindowOpacity(m_alpha / 255.0);
    if (m_alpha <= LastAlpha) {
        Timer2->stop();
        close();
    }
}

void Tfrm_Logo::FormClose(QCloseEvent *event)
{
    setAttribute(Qt::WA_DeleteOnClose);
    event->accept();
}

void Tfrm_Logo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    placeOnScreen();
    applyTransparentColor();
    FormShow();
}

void Tfrm_Logo::closeEvent(QCloseEvent *event)
{
    FormClose(event);
}

// A platform that activates every window it shows (as the offscreen one does) gives the splash the
// keyboard: it goes straight back to the window the splash is shown over.
void Tfrm_Logo::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_over)
        m_over->activateWindow();
}

// Centred on the screen that holds the middle of the window it is shown over, so that on two
// screens it never straddles the seam.
void Tfrm_Logo::placeOnScreen()
{
    const QScreen *screen = nullptr;
    if (m_over) {
        screen = QGuiApplication::screenAt(m_over->frameGeometry().center());
        if (!screen)
            screen = m_over->screen();
    }
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

// Whatever the window shows in the transparent gray, picture or uncovered background, is cut
// out of the window's shape.
void Tfrm_Logo::applyTransparentColor()
{
    QImage composed(size(), QImage::Format_RGB32);
    render(&composed);
    // The opening picture has no holes: then the shape is the whole window, found without the
    // bitmap a shape with holes is cut from.
    if (!shows(composed, TransparentColor)) {
        setMask(QRegion(rect()));
        return;
    }
    QRegion shape(QBitmap::fromImage(composed.createMaskFromColor(TransparentColor, Qt::MaskInColor)));
    // An empty shape would mean no shape at all, showing the gray whole; a window that is
    // nothing but the gray keeps a shape outside itself instead, so none of it shows.
    if (shape.isEmpty())
        shape = QRegion(-1, -1, 1, 1);
    setMask(shape);
}
