// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// An icon made of picture files that reads each file only when a size it serves is asked for.
#pragma once

#include <future>

#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QList>

// Holds the files of an icon, each with the size it is drawn at, without reading them. Asked for
// a size, it decodes the one file an icon made with QIcon::addFile would draw it from (the
// smallest at least as large, else the largest), once, and draws it as such an icon does; or takes
// it decoded from readAllMeanwhile(). The program's window icon comes in seven sizes of which
// most platforms ask for few or none, and X for all of them at once.
class LazyIconEngine final : public QIconEngine
{
public:
    LazyIconEngine() = default;

    void addFile(const QString &fileName, const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    bool isNull() override;
    QIconEngine *clone() const override;
    QString key() const override;

    // Starts decoding every file added so far on a thread of its own, for a platform that asks
    // for every size as soon as a window opens: the files are decoded meanwhile, beside the
    // program's other work, and each is taken from there when its size is asked for.
    void readAllMeanwhile();

private:
    struct File
    {
        QString name;
        QSize size;
        QIcon::Mode mode;
        QIcon::State state;
        bool decoded;
    };

    // The index in m_files of the file to draw the size from, -1 without one.
    qsizetype bestFile(const QSize &size, QIcon::Mode mode, QIcon::State state) const;
    // The icon of the files decoded so far, holding the best file for the size.
    QIcon &decodedFor(const QSize &size, QIcon::Mode mode, QIcon::State state);

    QList<File> m_files;
    QIcon m_decoded;
    // The files decoded by readAllMeanwhile(), in the order of m_files, until all are in m_decoded.
    std::shared_future<QList<QImage>> m_meanwhile;
};
