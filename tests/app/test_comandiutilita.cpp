// The utility items of the main menu open their forms: "Aggiorna versione" the version check,
// "Segnala bug" the fault report, each created with the main window as owner and shown modally.
#include "app/comandi.h"
#include "app/frmmain.h"
#include "support/testprogram.h"
#include "ui/modale.h"
#include "utilities/frmbug.h"
#include "utilities/frmcontrollaversione.h"

#include <QAction>
#include <QtTest>
#include <memory>

class TestComandiUtilita : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;

private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup()
    {
        setModalBackend(nullptr);
        program.reset();
    }

    void menuItemsOpenTheirForms()
    {
        TFrmMain w;
        CollegaComandi(w);
        QStringList aperti;
        QList<QObject *> proprietari;
        setModalBackend([&](QDialog &d) {
            aperti << QLatin1String(d.metaObject()->className());
            proprietari << d.parent();
            return 0;
        });
        w.Voce(QStringLiteral("Aggiornaversione1"))->trigger();
        w.Voce(QStringLiteral("Segnalabug1"))->trigger();
        QCOMPARE(aperti, QStringList({QStringLiteral("TFrmControllaVersione"), QStringLiteral("TfrmBug")}));
        QCOMPARE(proprietari, QList<QObject *>({&w, &w}));
        QCOMPARE(program->boxes.count(), 0); // shown by the backend, never activated: no question
    }
};

QTEST_MAIN(TestComandiUtilita)
#include "test_comandiutilita.moc"
