// An icon made of picture files that reads each file only when a size it serves is asked for.
#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QList>

// Holds the files of an icon, each with the size it is drawn at, without reading them. Asked for
// a size, it decodes the one file an icon made with QIcon::addFile would draw it from (the
// smallest at least as large, else the largest), once, and draws it as such an icon does. The
// program's window icon comes in seven sizes of which a platform asks for few or none.
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

private:
    struct File
    {
        QString name;
        QSize size;
        QIcon::Mode mode;
        QIcon::State state;
        bool decoded;
    };

    File *bestFile(const QSize &size, QIcon::Mode mode, QIcon::State state);
    // The icon of the files decoded so far, holding the best file for the size.
    QIcon &decodedFor(const QSize &size, QIcon::Mode mode, QIcon::State state);

    QList<File> m_files;
    QIcon m_decoded;
};
