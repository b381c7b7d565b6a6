#include "app/applicazione.h"
#include "app/comandi.h"
#include "app/frmabout.h"
#include "app/frmmain.h"
#include "app/frmstart.h"
#include "core/messaggi.h"
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "store/database.h"
#include "ui/messageboxbackend.h"
#include "ui/stile.h"
#include "ui/traduzione.h"

#include <QApplication>
#include <QIcon>
#include <QLoggingCategory>

// The start-up's progress, for whoever watches the program's log (off unless enabled).
Q_LOGGING_CATEGORY(lcAvvio, "rotaset.avvio", QtWarningMsg)

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
    // Every form handles its own errors at creation; should one escape all the same, the user
    // gets its message instead of a program that vanishes.
    try {
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
        qCInfo(lcAvvio, "finestra principale pronta");
        result = QApplication::exec();
        FrmCalendario = nullptr;
        FrmGiornata = nullptr;
        frmStart = nullptr;
        FrmAbout = nullptr;
    } catch (const std::exception &e) {
        FrmCalendario = nullptr;
        FrmGiornata = nullptr;
        frmStart = nullptr;
        FrmAbout = nullptr;
        MostraErrore(QString::fromUtf8(e.what()));
        result = 1;
    }
    store::Database::shutdown();
    return result;
}
