// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Resident memory of Pontix: after start-up (the main window shown and painted, the splash gone)
// and its growth per turn row while 100000 entries are made with Enter in the entry box, the
// event loop running after each entry as it does between the operator's key presses. For comparison, in the same
// process afterwards: the growth per row of a QStandardItemModel holding the same four shown values per row.

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QStandardItemModel>
#include <QTest>

#include "app/Main.h"
#include "app/Seged.h"
#include "app/logo.h"
#include "bench/BenchSupport.h"
#include "controls/uEditEx.h"
#include "memtable/xovMemTable.h"

namespace {

constexpr int Entries = 100000;
constexpr qint32 Scores[] = {60, 45, 100, 26, 81, 140, 41, 57, 180, 85, 22, 95};

double kib(std::size_t bytes)
{
    return double(bytes) / 1024.0;
}

} // namespace

int main(int argc, char **argv)
{
    bench::useOffscreenScreen();
    QApplication app(argc, argv);
    InitApplication();

    Tfrm_Main window;
    frm_Main = &window;
    window.show();
    bench::spin(std::chrono::milliseconds(300));
    while (frm_Logo)
        bench::spin(std::chrono::milliseconds(100));
    bench::settle();
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

    frm_Main = nullptr;
    return 0;
}
