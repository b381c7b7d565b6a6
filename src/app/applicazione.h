// The program's application object: an engine error that a form does not handle reaches the
// user as an error box, and the program goes on.
#pragma once

#include <QApplication>

class Applicazione : public QApplication {
public:
    Applicazione(int &argc, char **argv) : QApplication(argc, argv) {}
    bool notify(QObject *receiver, QEvent *event) override;
};
