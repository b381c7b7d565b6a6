#include "app/frmimpostazioni.h"

#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"
#include "store/table.h"
#include "ui/datacontrols.h"
#include "ui/namedwidgets.h"
#include "ui/finestraprincipale.h"
#include "ui/traduzione.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The colours a player's box can take; the names are what the record stores, in every language.
const QStringList NomiColori = {QStringLiteral("Rosso"),  QStringLiteral("Verde"),   QStringLiteral("Giallo"),
                                QStringLiteral("Fucsia"), QStringLiteral("Celeste"), QStringLiteral("Grigio"),
                                QStringLiteral("Viola"),  QStringLiteral("Oliva"),   QStringLiteral("Nessuno")};




DBCheckBox *casella(QWidget *parent, const char *nome, const QString &testo, store::Table *tabella, const char *campo)
{
    DBCheckBox *c = createNamed<DBCheckBox>(parent, QLatin1String(nome));
    c->setText(testo);
    c->setDataField(tabella, QLatin1String(campo));
    return c;
}

DBComboBox *scelta(QWidget *parent, const char *nome, const QStringList &voci, store::Table *tabella, const char *campo)
{
    DBComboBox *c = createNamed<DBComboBox>(parent, QLatin1String(nome));
    c->addItems(voci);
    c->setDataField(tabella, QLatin1String(campo));
    return c;
}

// A championship value: shown, never edited here.
DBEdit *valore(QWidget *parent, const char *nome, store::Table *tabella, const char *campo)
{
    DBEdit *e = createNamed<DBEdit>(parent, QLatin1String(nome));
    e->setReadOnly(true);
    e->setEnabled(false);
    e->setDataField(tabella, QLatin1String(campo));
    return e;
}


QFormLayout *modulo()
{
    auto *f = new QFormLayout;
    f->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    f->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return f;
}

} // namespace

TFrmImpostazioni::TFrmImpostazioni(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmImpostazioni"));
    setWindowTitle(QStringLiteral("Impostazioni"));
    TblImpostazioni = new store::Table(QStringLiteral("Impostazioni.db"), this);
    TblImpostazioni->setObjectName(QStringLiteral("TblImpostazioni"));
    costruisci();
    FormCreate();
}

TFrmImpostazioni::~TFrmImpostazioni()
{
    FormDestroy();
}

void TFrmImpostazioni::costruisci()
{
    store::Table *t = TblImpostazioni;
    PageControl1 = createNamed<QTabWidget>(this, "PageControl1");

    // "Generale": the modules and the language.
    tsModuli = createNamed<QWidget>(PageControl1, "tsModuli");
    PageControl1->addTab(tsModuli, QStringLiteral("Generale"));
    Label10 = createLabel(tsModuli, QLatin1String("Label10"), QStringLiteral("Attivazione / disattivazione moduli:"));
    DBCheckBox2 = casella(tsModuli, "DBCheckBox2", QStringLiteral("Modulo gestione rotazioni"), t, "MODULOROTAZIONI");
    DBCheckBox2->setToolTip(QStringLiteral("attiva / disattiva modulo rotazioni"));
    Label16 = createLabel(tsModuli, QLatin1String("Label16"), QStringLiteral("Scelta lingua:"));
    QStringList lingue;
    for (const Lingua l : Lingue)
        lingue << TestoLingua(l);
    DBComboBox8 = scelta(tsModuli, "DBComboBox8", lingue, t, "LINGUA");
    {
        auto *v = new QVBoxLayout(tsModuli);
        v->addWidget(Label10);
        v->addWidget(DBCheckBox2);
        v->addSpacing(12);
        auto *f = modulo();
        f->addRow(Label16, DBComboBox8);
        v->addLayout(f);
        v->addStretch();
    }

    // "Calendario": the championship, as the calendar builder stored it.
    tsGenerale = createNamed<QWidget>(PageControl1, "tsGenerale");
    PageControl1->addTab(tsGenerale, QStringLiteral("Calendario"));
    Label8 = createLabel(tsGenerale, QLatin1String("Label8"), QStringLiteral("Valori generali:"));
    Label6 = createLabel(tsGenerale, QLatin1String("Label6"), QStringLiteral("Annata"));
    DBEdAnnata = valore(tsGenerale, "DBEdAnnata", t, "ANNATA");
    Label7 = createLabel(tsGenerale, QLatin1String("Label7"), QStringLiteral("Categoria"));
    DBEdCategoria = valore(tsGenerale, "DBEdCategoria", t, "CATEGORIA");
    Label2 = createLabel(tsGenerale, QLatin1String("Label2"), QStringLiteral("Squadra predefinita"));
    DBEdSquadraPreferita = valore(tsGenerale, "DBEdSquadraPreferita", t, "SQUADRAPREFERITA");
    Label3 = createLabel(tsGenerale, QLatin1String("Label3"), QStringLiteral("Numero di giornate"));
    DBEdNumGiornate = valore(tsGenerale, "DBEdNumGiornate", t, "NGIORNATE");
    Label4 = createLabel(tsGenerale, QLatin1String("Label4"), QStringLiteral("Numero di squadre"));
    DBEdNumSquadre = valore(tsGenerale, "DBEdNumSquadre", t, "NSQUADRE");
    {
        auto *v = new QVBoxLayout(tsGenerale);
        v->addWidget(Label8);
        auto *f = modulo();
        f->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        f->addRow(Label6, DBEdAnnata);
        f->addRow(Label7, DBEdCategoria);
        f->addRow(Label2, DBEdSquadraPreferita);
        f->addRow(Label3, DBEdNumGiornate);
        f->addRow(Label4, DBEdNumSquadre);
        v->addLayout(f);
        v->addStretch();
    }

    // "Rotazioni": what the rotation board shows and how it colours the players.
    tsRotazioni = createNamed<QWidget>(PageControl1, "tsRotazioni");
    PageControl1->addTab(tsRotazioni, QStringLiteral("Rotazioni"));
    Label1 = createLabel(tsRotazioni, QLatin1String("Label1"), QStringLiteral("Impostazioni modulo rotazioni:"));
    DBCheckBox1 = casella(tsRotazioni, "DBCheckBox1", QStringLiteral("Proponi scambio automatico giocatori"), t,
                          "PROPONISCAMBIOAUTOM");
    DBCheckBox3 = casella(tsRotazioni, "DBCheckBox3", QStringLiteral("Aggiungi il nome al contenuto del campo grande"),
                          t, "NOMEINCAMPOGRANDE");
    DBCheckBox4 =
        casella(tsRotazioni, "DBCheckBox4", QStringLiteral("Aggiungi il cognome al contenuto del campo grande"), t,
                "COGNOMEINCAMPOGRANDE");
    DBCheckBox5 =
        casella(tsRotazioni, "DBCheckBox5", QStringLiteral("'p' per palleggiatore (e coloralo nel campo piccolo)"), t,
                "LETTERA_P_COLORE_PALL");
    Label5 = createLabel(tsRotazioni, QLatin1String("Label5"), QStringLiteral("Dimensione del carattere del campo grande"));
    DBComboBox1 = scelta(tsRotazioni, "DBComboBox1",
                         {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10")}, t,
                         "CAR_CAMPO_GRANDE");
    DBCheckBox6 = casella(tsRotazioni, "DBCheckBox6",
                          QStringLiteral("Colora le caselle dei giocatori del campo grande"), t, "COLOR_GIOCATORI");
    Label9 = createLabel(tsRotazioni, QLatin1String("Label9"), QStringLiteral("Colore della casella del palleggiatore"));
    DBComboBox2 = scelta(tsRotazioni, "DBComboBox2", NomiColori, t, "COLOR_PALLEGGIATORE");
    Label11 = createLabel(tsRotazioni, QLatin1String("Label11"), QStringLiteral("Colore della casella dell'opposto"));
    DBComboBox3 = scelta(tsRotazioni, "DBComboBox3", NomiColori, t, "COLOR_OPPOSTO");
    Label12 = createLabel(tsRotazioni, QLatin1String("Label12"), QStringLiteral("Colore della casella degli schiacciatori"));
    DBComboBox4 = scelta(tsRotazioni, "DBComboBox4", NomiColori, t, "COLOR_SCHIACCIATORI");
    Label13 = createLabel(tsRotazioni, QLatin1String("Label13"), QStringLiteral("Colore della casella dei centrali"));
    DBComboBox5 = scelta(tsRotazioni, "DBComboBox5", NomiColori, t, "COLOR_CENTRALI");
    Label14 = createLabel(tsRotazioni, QLatin1String("Label14"), QStringLiteral("Colore della casella del libero"));
    DBComboBox6 = scelta(tsRotazioni, "DBComboBox6", NomiColori, t, "COLOR_LIBERO");
    Label15 = createLabel(tsRotazioni, QLatin1String("Label15"), QStringLiteral("Colore della casella del palleggiatore piccolo"));
    DBComboBox7 = scelta(tsRotazioni, "DBComboBox7", NomiColori, t, "COLOR_PALLEGGIATORE_PIC");
    DBCheckBox7 = casella(tsRotazioni, "DBCheckBox7", QStringLiteral("Grassetto battitore campo piccolo"), t,
                          "GRASSETTO_BATTUTA_PIC");
    // The overlap rule the board judges the players' places by; the names are stored as shown.
    Label17 = createLabel(tsRotazioni, QLatin1String("Label17"), QStringLiteral("Regola posizioni"));
    DBComboBox9 = scelta(tsRotazioni, "DBComboBox9", {QStringLiteral("FIVB 2025"), QStringLiteral("Classico")}, t,
                         "REGOLA_POSIZIONI");
    {
        auto *v = new QVBoxLayout(tsRotazioni);
        v->addWidget(Label1);
        v->addWidget(DBCheckBox1);
        v->addWidget(DBCheckBox3);
        v->addWidget(DBCheckBox4);
        v->addWidget(DBCheckBox5);
        auto *carattere = modulo();
        carattere->addRow(Label5, DBComboBox1);
        v->addLayout(carattere);
        v->addSpacing(8);
        v->addWidget(DBCheckBox6);
        auto *colori = modulo();
        colori->addRow(Label9, DBComboBox2);
        colori->addRow(Label11, DBComboBox3);
        colori->addRow(Label12, DBComboBox4);
        colori->addRow(Label13, DBComboBox5);
        colori->addRow(Label14, DBComboBox6);
        colori->addRow(Label15, DBComboBox7);
        v->addLayout(colori);
        v->addSpacing(8);
        v->addWidget(DBCheckBox7);
        v->addSpacing(8);
        auto *regola = modulo();
        regola->addRow(Label17, DBComboBox9);
        v->addLayout(regola);
        v->addStretch();
    }

    // The commands.
    PanelComandi = createNamed<QWidget>(this, "PanelComandi");
    sbOK = createButton(PanelComandi, QLatin1String("sbOK"), QStringLiteral("Ok"), QStringLiteral("Conferma modifiche"));
    sbAnnulla = createButton(PanelComandi, QLatin1String("sbAnnulla"), QStringLiteral("Annulla"), QStringLiteral("Annulla modifiche"));
    sbEsci = createButton(PanelComandi, QLatin1String("sbEsci"), QStringLiteral("Esci"),
                      QStringLiteral("Esci da questa maschera senza salvare le modifiche"));
    {
        auto *h = new QHBoxLayout(PanelComandi);
        h->setContentsMargins(0, 0, 0, 0);
        h->addStretch();
        h->addWidget(sbOK);
        h->addWidget(sbAnnulla);
        h->addWidget(sbEsci);
        h->addStretch();
    }
    connect(sbOK, &QPushButton::clicked, this, &TFrmImpostazioni::sbOKClick);
    connect(sbAnnulla, &QPushButton::clicked, this, &TFrmImpostazioni::sbAnnullaClick);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmImpostazioni::sbEsciClick);

    auto *principale = new QVBoxLayout(this);
    principale->addWidget(PageControl1);
    principale->addWidget(PanelComandi);
}

void TFrmImpostazioni::FormCreate()
{
    TraduciEtichette();
    TblImpostazioni->open();
    if (TblImpostazioni->recordCount() > 1) {
        MostraAttenzione(
            QStringLiteral("Sono state rilevate incoerenze nel file di configurazione, la situazione verrà "
                           "corretta automaticamente, se si riscontrano ancora problemi contattare Brivo."));
        while (TblImpostazioni->recordCount() > 1) {
            TblImpostazioni->first();
            if (!TblImpostazioni->remove())
                break;
        }
    }
    PageControl1->setCurrentWidget(tsModuli);
}

void TFrmImpostazioni::TraduciEtichette()
{
    // sbOK, the hints and the choice lists keep their Italian texts in every language.
    TraduciControlli({Label16,     Label10,     DBCheckBox2, tsModuli,    tsGenerale,  tsRotazioni, Label8,
                      Label6,      Label7,      Label2,      Label3,      Label4,      Label1,      Label5,
                      Label9,      Label11,     Label12,     Label13,     Label14,     Label15,     DBCheckBox1,
                      DBCheckBox3, DBCheckBox4, DBCheckBox5, DBCheckBox6, DBCheckBox7, Label17,     sbAnnulla,   sbEsci});
}

void TFrmImpostazioni::sbOKClick()
{
    try {
        if (TblImpostazioni->isEditing() && !TblImpostazioni->post())
            return;
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        return;
    }
    accept();
}

void TFrmImpostazioni::sbAnnullaClick()
{
    if (TblImpostazioni->isEditing())
        TblImpostazioni->cancel();
}

void TFrmImpostazioni::sbEsciClick()
{
    reject();
}

void TFrmImpostazioni::FormDestroy()
{
    // The rotation menu follows the stored switch as soon as the form is gone.
    if (auto *f = FinestraPrincipale())
        f->MostraModuloRotazioni();
    TblImpostazioni->close();
    ApplicaLinguaToolkit(); // the toolkit's own texts follow a new language at once
}
