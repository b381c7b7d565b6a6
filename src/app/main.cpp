#include "app/applicazione.h"
#include "app/comandi.h"
#include "app/frmabout.h"
#include "app/frmmain.h"
#include "app/frmstart.h"
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "store/database.h"
#include "ui/messageboxbackend.h"
#include "ui/stile.h"
#include "ui/traduzione.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    Applicazione app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivo_Rotaset"));
    QApplication::setApplicationDisplayName(QStringLiteral("Brivo_Rotaset"));
    QGuiApplication::setDesktopFileName(QStringLiteral("rotaset")); // the menu entry's name and icon
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("rotaset"))); // installed: the program's icon
    InstallaServiziInterfaccia();
    InstallaStileProgramma();
    int result = 0;
    {
        TFrmMain main;
        ApplicaLinguaToolkit(); // the tables exist now: the toolkit's texts in the chosen language
        CollegaComandi(main);
        TFrmAbout about(&main);
        FrmAbout = &about;
        TfrmStart start(&main);
        frmStart = &start;
        TFrmGiornata giornata(&main);
        FrmGiornata = &giornata;
        TFrmCalendario calendario(&main);
        FrmCalendario = &calendario;
        main.show();
        result = QApplication::exec();
        FrmCalendario = nullptr;
        FrmGiornata = nullptr;
        frmStart = nullptr;
        FrmAbout = nullptr;
    }
    store::Database::shutdown();
    return result;
}
