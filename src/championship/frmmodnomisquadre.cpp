#include "championship/frmmodnomisquadre.h"

#include "championship/erroreregola.h"
#include "championship/rinomina.h"
#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFrmModNomiSquadre::TFrmModNomiSquadre(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmModNomiSquadre"));
    setWindowTitle(QStringLiteral("Modifica il nome di una squadra"));

    Label1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("Scegli il nome della squadra da cambiare"));
    cbNomeVecchio = createNamed<QComboBox>(this, QStringLiteral("cbNomeVecchio")); // a pick list: no typing
    cbNomeVecchio->setMinimumContentsLength(30);
    Label2 = createLabel(this, QStringLiteral("Label2"), QStringLiteral("Immetti il nuovo nome della squadra"));
    EditNomeNuovo = createNamed<QLineEdit>(this, QStringLiteral("EditNomeNuovo"));
    EditNomeNuovo->setMaxLength(30);
    SBsi = createButton(this, QStringLiteral("SBsi"), QStringLiteral("Cambia nome"), QStringLiteral("Salva risultati"));
    SBesci = createButton(this, QStringLiteral("SBesci"), QStringLiteral("Annulla ed esci"), QStringLiteral("Annulla ed esci"));
    connect(SBsi, &QPushButton::clicked, this, &TFrmModNomiSquadre::SBsiClick);
    connect(SBesci, &QPushButton::clicked, this, &TFrmModNomiSquadre::SBesciClick);

    auto *comandi = new QHBoxLayout;
    comandi->addStretch();
    comandi->addWidget(SBsi);
    comandi->addWidget(SBesci);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(cbNomeVecchio);
    layout->addSpacing(8);
    layout->addWidget(Label2);
    layout->addWidget(EditNomeNuovo);
    layout->addSpacing(8);
    layout->addLayout(comandi);

    FormCreate();
}

void TFrmModNomiSquadre::FormCreate()
{
    TraduciEtichette();
    CaricaNomi();
}

void TFrmModNomiSquadre::TraduciEtichette() { TraduciControlli({Label1, Label2, SBsi, SBesci}); }

void TFrmModNomiSquadre::CaricaNomi()
{
    cbNomeVecchio->clear();
    try {
        store::Table squadre(QStringLiteral("squadre.db"));
        squadre.open();
        for (squadre.first(); !squadre.eof(); squadre.next())
            cbNomeVecchio->addItem(squadre.fieldByName(QStringLiteral("Squadre")).asString());
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    cbNomeVecchio->setCurrentIndex(-1);
}

void TFrmModNomiSquadre::SBsiClick()
{
    const QString vecchio = cbNomeVecchio->currentIndex() < 0 ? QString() : cbNomeVecchio->currentText();
    const QString nuovo = EditNomeNuovo->text().trimmed();
    if (nuovo.isEmpty() || vecchio.isEmpty() || nuovo == vecchio) {
        MostraAttenzione(QString::fromUtf8(MsgNomeNonValido));
        EditNomeNuovo->setFocus();
        return;
    }
    // Another team's name in another case or with other blanks is that team.
    for (int i = 0; i < cbNomeVecchio->count(); ++i) {
        if (cbNomeVecchio->itemText(i) != vecchio && ChiaveSquadra(cbNomeVecchio->itemText(i)) == ChiaveSquadra(nuovo)) {
            MostraAttenzione(QString::fromUtf8(MsgSquadraGiaInserita).arg(nuovo));
            EditNomeNuovo->setFocus();
            return;
        }
    }
    try {
        RinominaSquadra(vecchio, nuovo);
    } catch (const ErroreRegola &e) {
        NonRinominata(e.message());
        return;
    } catch (const store::EngineError &e) {
        NonRinominata(e.message());
        return;
    }
    MostraMessaggio(QStringLiteral("La squadra '") + vecchio + QStringLiteral("' è stata rinominata in '") + nuovo +
                    QLatin1Char('\''));
    accept();
}

void TFrmModNomiSquadre::NonRinominata(const QString &errore)
{
    MostraErrore(QStringLiteral("La squadra non è stata rinominata: ") + errore);
    CaricaNomi();
}

void TFrmModNomiSquadre::SBesciClick() { reject(); }
