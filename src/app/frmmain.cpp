#include "app/frmmain.h"

#include "store/tabelle.h"

TFrmMain::TFrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Brivo_Rotaset"));
    // Every table exists and matches its declaration before anything reads one.
    CreaTabellaEsportazione();
    CreaTabelle();
    resize(283, 305);
}
