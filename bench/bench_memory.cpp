// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Resident memory of Pontix: after start-up (the main window shown and painted, the splash gone)
// and its growth per turn row while 100000 entries are made with Enter in the entry box, the
// event loop running after each entry as it does between the operator's key presses. For comparison, in the same
// process afterwards: the growth per row of a QStandardItemModel holding the same four shown values per row.
// Then a night with the spectator display open: 20000 entries in games played to their end with
// exact checkout, the players renamed letter by letter now and then, with the display full screen
// on the second 1920 x 1080 screen and again as a window of a 3840 x 2160 projector's size; the
// resident memory before it opens, during the night and after it is closed, and what its
// pictures of texts hold against their budget.

#include <cstdio>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QProcess>
#include <QStandardItemModel>
#include <QTest>

#include "app/Main.h"
#include "app/Seged.h"
#include "bench/BenchSupport.h"
#include "bench/ShownWindow.h"
#include "controls/uEditEx.h"
#include "display/Display.h"
#include "memtable/xovMemTable.h"

namespace {

constexpr int Entries = 100000;
constexpr qint32 Scores[] = {60, 45, 100, 26, 81, 140, 41, 57, 180, 85, 22, 95};

double kib(std::size_t bytes)
{
    return double(bytes) / 1024.0;
}

constexpr int NightEntries = 20000;
constexpr const char *NightArgument = "--display-night";

// A night with the display open at its present size: games to their end under exact checkout (a
// new game once a player is at 0 or after 40 rows), a player renamed letter by letter every 1000
// entries. Prints the resident memory and the display's pictures as it goes; leaves the display
// open.
void playNight(Tfrm_Main &window, SpectatorDisplay &display, std::size_t before)
{
    window.CheckBox1->setChecked(true);
    window.aUj->trigger();
    bench::settle();
    for (int entry = 1; entry <= NightEntries; ++entry) {
        if (entry % 1000 == 0) {
            QComboBox *box = entry % 2000 == 0 ? window.ComboBox1 : window.ComboBox2;
            const QString name = QStringLiteral("Játékos %1 a %2. körben").arg(entry % 7).arg(entry / 1000);
            for (qsizetype length = 1; length <= name.size(); ++length) {
                box->setEditText(name.left(length));
                bench::settle();
            }
        }
        window.EditEx1->setText(QString::number(Scores[(entry * 7) % int(std::size(Scores))]));
        QTest::keyClick(window.EditEx1, Qt::Key_Return);
        QCoreApplication::processEvents();
        if (window.Remaining1 == 0 || window.Remaining2 == 0 || window.Tbl->RowCount() >= 40)
            window.aUj->trigger();
        QCoreApplication::processEvents();
        if (entry == 5000 || entry == 10000 || entry == NightEntries) {
            const std::size_t now = bench::residentBytes();
            std::printf("  after %5d entries: resident %.0f KiB (%+.0f KiB), pictures %.0f KiB of a %.0f KiB budget\n",
                entry, kib(now), kib(now) - kib(before), kib(std::size_t(display.pictureBytes())),
                kib(std::size_t(display.pictureBudget())));
        }
    }
}

int displayNight();

} // namespace

int main(int argc, char **argv)
{
    bench::useOffscreenScreen();
    QApplication app(argc, argv);
    InitApplication();
    if (QCoreApplication::arguments().contains(QString::fromLatin1(NightArgument)))
        return displayNight();

    Tfrm_Main window;
    frm_Main = &window;
    bench::showPastSplash(window);
    const std::size_t started = bench::residentBytes();
    std::printf("resident after start-up: %.0f KiB\n", kib(started));

    // The remaining scores of 100000 entries run far below zero; the exact-checkout rule would
    // record them as 0, which costs the same memory.
    window.CheckBox1->setChecked(false);
    std::size_t atTenThousand = 0;
    int rowsAtTenThousand = 0;
    for (int entry = 1; entry <= Entries; ++entry) {
        window.EditEx1->setText(QString::number(Scores[entry % int(std::size(Scores))]));
        QTest::keyClick(window.EditEx1, Qt::Key_Return);
        QCoreApplication::processEvents();
        if (entry == 10000 || entry == 50000 || entry == Entries) {
            const std::size_t now = bench::residentBytes();
            const int rows = window.Tbl->RowCount();
            std::printf("after %6d entries (%5d turn rows): resident %.0f KiB, growth %.1f bytes per turn row\n", entry,
                rows, kib(now), double(now - started) / rows);
            if (entry == 10000) {
                atTenThousand = now;
                rowsAtTenThousand = rows;
            }
        }
    }
    const std::size_t ended = bench::residentBytes();
    const int rows = window.Tbl->RowCount();
    const double growth = double(ended - started) / rows;
    const double marginal = double(ended - atTenThousand) / (rows - rowsAtTenThousand);
    std::printf("Pontix: %.1f bytes per turn row over all entries, %.1f bytes per row from 10000 entries on\n", growth,
        marginal);

    // The peer: the same rows as four shown values each in Qt's item model.
    const std::size_t before = bench::residentBytes();
    auto model = std::make_unique<QStandardItemModel>(0, 4);
    for (int r = 0; r < rows; ++r) {
        QList<QStandardItem *> items;
        for (int c = 0; c < 4; ++c)
            items << new QStandardItem(QString::number(Scores[(r + c) % int(std::size(Scores))]));
        model->appendRow(items);
    }
    const double peer = double(bench::residentBytes() - before) / rows;
    std::printf("peer (QStandardItemModel, 4 items per row): %.1f bytes per row\n", peer);
    std::printf(
        "Pontix growth per turn row %.1f bytes: %s the 200-byte target\n", growth, growth < 200 ? "within" : "ABOVE");

    // The night with the display, in a process of its own: the heap left by the entries and the
    // peer would blur its figures.
    frm_Main = nullptr;
    std::fflush(stdout);
    return QProcess::execute(QCoreApplication::applicationFilePath(), {QString::fromLatin1(NightArgument)});
}

namespace {

// The night with the display, from a fresh start.
int displayNight()
{
    Tfrm_Main window;
    frm_Main = &window;
    bench::showPastSplash(window);
    const std::size_t started = bench::residentBytes();
    window.aKijelzo->trigger();
    auto *display = window.findChild<SpectatorDisplay *>();
    if (!display)
        return 1;
    bench::spin(std::chrono::milliseconds(300));
    std::printf("night with the display: resident %.0f KiB after start-up\n", kib(started));
    for (const QSize size : {QSize(), QSize(3840, 2160)}) {
        if (size.isValid()) {
            // A 4K projector's size, as a window on the offscreen screen.
            display->showNormal();
            display->resize(size);
            bench::spin(std::chrono::milliseconds(300));
        }
        const std::size_t opened = bench::residentBytes();
        std::printf("display open at %d x %d: resident %.0f KiB once it shows\n", display->width(), display->height(),
            kib(opened));
        playNight(window, *display, opened);
    }
    const std::size_t open = bench::residentBytes();
    window.aKijelzo->trigger();
    bench::spin(std::chrono::milliseconds(300));
    const std::size_t closed = bench::residentBytes();
    std::printf("display closed: resident %.0f KiB (%+.0f KiB), pictures %.0f KiB\n", kib(closed),
        kib(closed) - kib(open), kib(std::size_t(display->pictureBytes())));
    frm_Main = nullptr;
    return 0;
}

} // namespace
