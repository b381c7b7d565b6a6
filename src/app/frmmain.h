// The main window.
#pragma once

#include <QMainWindow>

class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmMain(QWidget *parent = nullptr);
};
