#pragma once

#include <QMainWindow>

// The scoreboard's one working window.
class Tfrm_Main final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tfrm_Main)

public:
    explicit Tfrm_Main(QWidget *parent = nullptr);
    ~Tfrm_Main() override;
};

extern Tfrm_Main *frm_Main;
