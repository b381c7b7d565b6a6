#include "app/frmmain.h"
#include "store/database.h"
#include "ui/messageboxbackend.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivo_Rotaset"));
    InstallaServiziInterfaccia();
    int result = 0;
    {
        TFrmMain main;
        main.show();
        result = QApplication::exec();
    }
    store::Database::shutdown();
    return result;
}
