// The line-up form driven through its controls: the lists per method, the slot buttons, the name
// labels, the method change, the save checks in their order, the anomalies of zero or two rows,
// and Esci.
#include "rotations/frmrtformazioni.h"

#include "moduli_prova.h"

using namespace prova;

namespace {
const char *const Etichette[7] = {"Labpos1", "LabPos2", "LabPos3", "LabPos4", "LabPos5", "LabPos6", "LabPosLibe"};
const char *const Nomi[7] = {"LabelPos1", "LabelPos2", "LabelPos3", "LabelPos4", "LabelPos5", "LabelPos6", "LabelLibe"};
const char *const Liste[7] = {"cb_pos1", "cb_pos2", "cb_pos3", "cb_pos4", "cb_pos5", "cb_pos6", "cb_libe"};
const char *const Pulsanti[7] = {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn7"};
const QString Imposssibile =
    QStringLiteral("Imposssibile schierare in campo lo stesso giocatore, modificarlo o annullare l'operazione!");

struct Giocatore {
    const char *numero, *nome, *cognome, *ruolo;
};
// Twelve players; entered in this order they get ids 1 to 12 (as the first team).
const Giocatore Dodici[12] = {
    {"1", "Marco", "Rossi", "P"},     {"2", "Luca", "Bianchi", "P"},   {"3", "Gianni", "D'Amico", "S"},
    {"4", "Paolo", "Verdi", "S"},     {"5", "Ugo", "Neri", "S"},       {"6", "Aldo", "Gialli", "C"},
    {"7", "Dario", "Conti", "C"},     {"8", "Enzo", "Ferri", "C"},     {"9", "Fabio", "Galli", "O"},
    {"10", "Nino", "Lodi", "O"},      {"11", "Oscar", "Mori", "L"},    {"12", "Piero", "Pace", "L"},
};

// A team entered through the team and players forms, with the given players of the twelve.
void squadra(const QString &nome, const QList<int> &quali = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})
{
    TFrmRTsquadre squadre;
    nuovaSquadra(squadre, nome);
    TFrmRTgiocatori giocatori;
    auto *lista = figlio<QComboBox>(&giocatori, "cbSquadre");
    lista->setCurrentIndex(lista->findText(nome));
    for (int i : quali) {
        const Giocatore &g = Dodici[i];
        nuovoGiocatore(giocatori, QLatin1String(g.numero), QString::fromUtf8(g.nome), QString::fromUtf8(g.cognome),
                       QLatin1String(g.ruolo));
    }
}

QString voce(int id)
{
    const Giocatore &g = Dodici[id - 1];
    return QStringLiteral("%1-%2 %3 n.%4").arg(id).arg(QString::fromUtf8(g.nome), QString::fromUtf8(g.cognome),
                                                    QLatin1String(g.numero));
}

QStringList vociDi(const QList<int> &ids)
{
    QStringList l;
    for (int id : ids)
        l << voce(id);
    return l;
}

// Puts the player into the slot (1 to 7) through its list and its button.
void metti(QWidget *form, int posto, int id)
{
    QVERIFY2(scegli(form, Liste[posto - 1], voce(id)), qPrintable(voce(id)));
    clicca(form, Pulsanti[posto - 1]);
}

void scegliMetodo(QWidget *form, const QString &metodo)
{
    scegli(form, "cb_metodo", metodo);
    clicca(form, "BitBtn0");
}

QStringList didascalie(QWidget *form)
{
    QStringList l;
    for (const char *n : Etichette)
        l << testo(form, n);
    return l;
}

QStringList nomi(QWidget *form)
{
    QStringList l;
    for (const char *n : Nomi)
        l << testo(form, n);
    return l;
}

const QStringList TuttiDaInserire(7, QStringLiteral("Da inserire"));

store::Table *riga(QWidget *form) { return figlio<store::Table>(form, "TableRTformazioni"); }

QStringList formazioniDi(int squadra)
{
    return righe(QStringLiteral("select metodo, pos1, pos2, pos3, pos4, pos5, pos6, libe from rt_formazioni where "
                                "idsquadra = ?"),
                 {squadra});
}
} // namespace

class TestFrmRTformazioni : public QObject {
    Q_OBJECT
private slots:
    void aNewTeamsRowOffersEachSlotItsRole()
    {
        Cartella c;
        squadra(QStringLiteral("Sant'Anna"));
        TFrmRTformazioni form;
        form.show();
        QVERIFY(!figlio<QWidget>(&form, "PanelDettaglio")->isEnabled());
        QVERIFY(scegli(&form, "cbSquadre", QStringLiteral("Sant'Anna")));
        QVERIFY(c.boxes.shown.isEmpty());
        QVERIFY(figlio<QWidget>(&form, "PanelDettaglio")->isEnabled());
        QCOMPARE(form.IdSquadraCorrente, 1);
        QCOMPARE(voci(&form, "cb_metodo"), (QStringList{QStringLiteral("P-S-C-O-S-C"), QStringLiteral("P-C-S-O-C-S")}));
        QCOMPARE(figlio<QComboBox>(&form, "cb_metodo")->currentIndex(), -1);
        QCOMPARE(didascalie(&form), (QStringList{"Palleggiatore:", "Schiacciatore1:", "Centrale1:", "Opposto:",
                                                 "Schiacciatore2:", "Centrale2:", "Libero:"}));
        QCOMPARE(nomi(&form), TuttiDaInserire);
        QCOMPARE(voci(&form, "cb_pos1"), vociDi({1, 2}));
        QCOMPARE(voci(&form, "cb_pos2"), vociDi({3, 4, 5}));
        QCOMPARE(voci(&form, "cb_pos5"), vociDi({3, 4, 5}));
        QCOMPARE(voci(&form, "cb_pos3"), vociDi({6, 7, 8}));
        QCOMPARE(voci(&form, "cb_pos6"), vociDi({6, 7, 8}));
        QCOMPARE(voci(&form, "cb_pos4"), vociDi({9, 10}));
        QCOMPARE(voci(&form, "cb_libe"), vociDi({11, 12}));
        QCOMPARE(voce(3), QStringLiteral("3-Gianni D'Amico n.3"));
        QCOMPARE(figlio<QComboBox>(&form, "cb_pos2")->currentIndex(), -1);
        QCOMPARE(TFrmRTformazioni::IdGiocatoreDaVoce(voce(12)), 12);
        QCOMPARE(TFrmRTformazioni::IdGiocatoreDaVoce(QString()), 0);
    }

    void aTeamWithoutARoleGetsEmptyListsForIt()
    {
        Cartella c;
        squadra(QStringLiteral("Alfa"), {0, 2, 3, 10}); // a setter, two hitters, a libero
        TFrmRTformazioni form;
        scegli(&form, "cbSquadre", QStringLiteral("Alfa"));
        QVERIFY(voci(&form, "cb_pos3").isEmpty());
        QVERIFY(voci(&form, "cb_pos4").isEmpty());
        QCOMPARE(voci(&form, "cb_pos2").size(), 2);
    }

    void aWholeLineUpIsPickedShownAndSaved()
    {
        Cartella c;
        squadra(QStringLiteral("Alfa"));
        TFrmRTformazioni form;
        scegli(&form, "cbSquadre", QStringLiteral("Alfa"));
        const QList<int> scelti = {2, 4, 7, 10, 3, 6};
        for (int posto = 1; posto <= 6; ++posto)
            metti(&form, posto, scelti[posto - 1]);
        QCOMPARE(riga(&form)->state(), store::Table::Edit);
        QCOMPARE(figlio<QComboBox>(&form, "cb_pos4")->currentIndex(), -1);
        QCOMPARE(figlio<QLineEdit>(&form, "DBEditPos4")->text(), QStringLiteral("10"));
        QCOMPARE(testo(&form, "LabelPos4"), QStringLiteral("Nino Lodi n.10"));
        QCOMPARE(testo(&form, "LabelPos3"), QStringLiteral("Dario Conti n.7"));
        QCOMPARE(testo(&form, "LabelLibe"), QStringLiteral("Da inserire"));
        // A line-up without a libero saves.
        clicca(&form, "nbPost");
        QVERIFY(c.boxes.shown.isEmpty());
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-S-C-O-S-C|2|4|7|10|3|6|")});
        // The libero in, then out again.
        metti(&form, 7, 12);
        QCOMPARE(testo(&form, "LabelLibe"), QStringLiteral("Piero Pace n.12"));
        clicca(&form, "nbPost");
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-S-C-O-S-C|2|4|7|10|3|6|12")});
        clicca(&form, "sbTogliLibero");
        QCOMPARE(testo(&form, "LabelLibe"), QStringLiteral("Da inserire"));
        clicca(&form, "nbPost");
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-S-C-O-S-C|2|4|7|10|3|6|0")});
        // Cancel shows the stored players again.
        metti(&form, 1, 1);
        QCOMPARE(testo(&form, "LabelPos1"), QStringLiteral("Marco Rossi n.1"));
        clicca(&form, "nbCancel");
        QCOMPARE(testo(&form, "LabelPos1"), QStringLiteral("Luca Bianchi n.2"));
    }

    void theSameHitterTwiceOrTheLiberoOnCourtIsRefused()
    {
        Cartella c;
        squadra(QStringLiteral("Alfa"));
        TFrmRTformazioni form;
        form.show();
        scegli(&form, "cbSquadre", QStringLiteral("Alfa"));
        const QList<int> scelti = {1, 3, 6, 9, 3, 7};
        for (int posto = 1; posto <= 6; ++posto)
            metti(&form, posto, scelti[posto - 1]);
        clicca(&form, "nbPost");
        QCOMPARE(c.boxes.texts(), QStringList{Imposssibile});
        QCOMPARE(form.focusWidget(), figlio<QWidget>(&form, "DBEditPos1"));
        QCOMPARE(riga(&form)->state(), store::Table::Edit);
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-S-C-O-S-C|||||||")});

        // A libero that also stands on court (his role changed after he was placed) is refused.
        clicca(&form, "nbCancel");
        impostaFormazione(1, QStringLiteral("P-S-C-O-S-C"), {1, 3, 6, 9, 4, 7}, 6);
        c.boxes.clear();
        metti(&form, 1, 2);
        clicca(&form, "nbPost");
        QCOMPARE(c.boxes.texts(), QStringList{Imposssibile});
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-S-C-O-S-C|1|3|6|9|4|7|6")});
    }

    void theMissingSlotsAreReportedInOrder()
    {
        Cartella c;
        squadra(QStringLiteral("Alfa"));
        TFrmRTformazioni form;
        form.show();
        scegli(&form, "cbSquadre", QStringLiteral("Alfa"));
        const QStringList numerali = {"primo", "secondo", "terzo", "quarto", "quinto", "sesto"};
        const QList<int> pieni = {1, 3, 6, 9, 4, 7};
        for (int mancante = 1; mancante <= 6; ++mancante) {
            // Slot 'mancante' and every later one empty (a zero or a blank).
            QList<int> posizioni = pieni.mid(0, mancante - 1);
            while (posizioni.size() < 6)
                posizioni << 0;
            impostaFormazione(1, QStringLiteral("P-S-C-O-S-C"), posizioni);
            c.boxes.clear();
            clicca(&form, "sbTogliLibero");
            clicca(&form, "nbPost");
            QCOMPARE(c.boxes.texts(),
                     QStringList{QStringLiteral("Manca il %1 giocatore della squadra!").arg(numerali[mancante - 1])});
            const QByteArray campo = "DBEditPos" + QByteArray::number(mancante);
            QCOMPARE(form.focusWidget(), figlio<QWidget>(&form, campo.constData()));
            clicca(&form, "nbCancel");
        }
        // Only pos3 and pos5 missing: the third is reported.
        impostaFormazione(1, QStringLiteral("P-S-C-O-S-C"), {1, 3, 0, 9, 0, 7});
        c.boxes.clear();
        clicca(&form, "sbTogliLibero");
        clicca(&form, "nbPost");
        QCOMPARE(c.boxes.texts(), QStringList{QStringLiteral("Manca il terzo giocatore della squadra!")});
        clicca(&form, "nbCancel");
        // No method comes before any player.
        impostaFormazione(1, QString(), {0, 0, 0, 0, 0, 0});
        c.boxes.clear();
        clicca(&form, "sbTogliLibero");
        clicca(&form, "nbPost");
        QCOMPARE(c.boxes.texts(), QStringList{QStringLiteral("Manca il metodo di formazione della squadra!")});
        QCOMPARE(form.focusWidget(), figlio<QWidget>(&form, "DBEditmetodo"));
        // With no method the hitter and middle slots offer nothing.
        QVERIFY(voci(&form, "cb_pos2").isEmpty());
        QCOMPARE(voci(&form, "cb_pos1").size(), 2);
    }

    void changingTheMethodAsksAndEmptiesTheLineUp()
    {
        Cartella c;
        squadra(QStringLiteral("Alfa"));
        impostaFormazione(1, QStringLiteral("P-S-C-O-S-C"), {1, 3, 6, 9, 4, 7}, 11);
        TFrmRTformazioni form;
        scegli(&form, "cbSquadre", QStringLiteral("Alfa"));
        QCOMPARE(testo(&form, "LabelLibe"), QStringLiteral("Oscar Mori n.11"));
        // The method the row already has: nothing asked, nothing changed.
        scegliMetodo(&form, QStringLiteral("P-S-C-O-S-C"));
        QVERIFY(c.boxes.shown.isEmpty());
        QCOMPARE(riga(&form)->state(), store::Table::Browse);
        // No keeps everything.
        c.boxes.setNextAnswer(false);
        scegliMetodo(&form, QStringLiteral("P-C-S-O-C-S"));
        QCOMPARE(c.boxes.texts(), QStringList{QStringLiteral("Il metodo era già stato definito.\r\nLa formazione verrà "
                                                             "azzerata e si dovrà inserire di nuovo i giocatori in "
                                                             "formazione, sei sicuro di voler continuare?")});
        QCOMPARE(riga(&form)->state(), store::Table::Browse);
        QCOMPARE(figlio<QLineEdit>(&form, "DBEditmetodo")->text(), QStringLiteral("P-S-C-O-S-C"));
        // Yes empties the seven slots and the lists follow the new method at once.
        c.boxes.setNextAnswer(true);
        scegliMetodo(&form, QStringLiteral("P-C-S-O-C-S"));
        QCOMPARE(riga(&form)->state(), store::Table::Edit);
        QCOMPARE(figlio<QLineEdit>(&form, "DBEditmetodo")->text(), QStringLiteral("P-C-S-O-C-S"));
        QCOMPARE(nomi(&form), TuttiDaInserire);
        QCOMPARE(didascalie(&form), (QStringList{"Palleggiatore:", "Centrale1:", "Schiacciatore1:", "Opposto:",
                                                 "Centrale2:", "Schiacciatore2:", "Libero:"}));
        QCOMPARE(voci(&form, "cb_pos2"), vociDi({6, 7, 8}));
        QCOMPARE(voci(&form, "cb_pos3"), vociDi({3, 4, 5}));
        QCOMPARE(voci(&form, "cb_pos6"), vociDi({3, 4, 5}));
        // Nothing is stored until the line-up is saved whole.
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-S-C-O-S-C|1|3|6|9|4|7|11")});
        const QList<int> scelti = {2, 6, 3, 10, 7, 4};
        for (int posto = 1; posto <= 6; ++posto)
            metti(&form, posto, scelti[posto - 1]);
        clicca(&form, "nbPost");
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-C-S-O-C-S|2|6|3|10|7|4|")});
    }

    // In French the slots keep their language when the method renames them, and so does an
    // emptied slot's "Da inserire".
    void theSlotsSpeakTheFormsLanguage()
    {
        Cartella c;
        squadra(QStringLiteral("Alfa"));
        impostaFormazione(1, QStringLiteral("P-S-C-O-S-C"), {1, 3, 6, 9, 4, 7}, 11);
        {
            store::Table t(QStringLiteral("impostazioni.db"));
            t.open();
            t.edit();
            t.fieldByName(QStringLiteral("LINGUA")).setAsString(QStringLiteral("Français"));
            t.post();
        }
        TFrmRTformazioni form;
        scegli(&form, "cbSquadre", QStringLiteral("Alfa"));
        QCOMPARE(didascalie(&form), (QStringList{"Passeur :", "Réceptionneur-attaquant 1 :", "Central 1 :", "Opposé :",
                                                 "Réceptionneur-attaquant 2 :", "Central 2 :", "Libéro :"}));
        c.boxes.setNextAnswer(true);
        scegliMetodo(&form, QStringLiteral("P-C-S-O-C-S"));
        QCOMPARE(didascalie(&form), (QStringList{"Passeur :", "Central 1 :", "Réceptionneur-attaquant 1 :", "Opposé :",
                                                 "Central 2 :", "Réceptionneur-attaquant 2 :", "Libéro :"}));
        QCOMPARE(nomi(&form), QStringList(7, QStringLiteral("Pas encore choisi")));
        metti(&form, 1, 2);
        QCOMPARE(testo(&form, "LabelPos1"), QStringLiteral("Luca Bianchi n.2"));
    }

    void zeroOrTwoRowsAreReported()
    {
        Cartella c;
        squadra(QStringLiteral("Alfa"));
        squadra(QStringLiteral("Beta"), {0});
        {
            store::Table t(QStringLiteral("rt_formazioni.db"));
            t.open();
            QVERIFY(t.locate(QStringLiteral("idsquadra"), 1));
            t.remove();
            t.append();
            t.fieldByName(QStringLiteral("idsquadra")).setAsInteger(2);
            t.fieldByName(QStringLiteral("metodo")).setAsString(QStringLiteral("P-C-S-O-C-S"));
            t.post();
        }
        TFrmRTformazioni form;
        scegli(&form, "cbSquadre", QStringLiteral("Beta"));
        QCOMPARE(c.boxes.count(), 1);
        QVERIFY(c.boxes.last().testo.startsWith(QStringLiteral("Sono state individuate 2 formazioni per la stessa "
                                                               "squadra")));
        QCOMPARE(c.boxes.last().icona, IconaMessaggio::Errore);
        QCOMPARE(figlio<QLineEdit>(&form, "DBEditmetodo")->text(), QStringLiteral("P-S-C-O-S-C")); // the first row

        c.boxes.clear();
        scegli(&form, "cbSquadre", QStringLiteral("Alfa"));
        QCOMPARE(c.boxes.count(), 1);
        QCOMPARE(c.boxes.last().testo,
                 QStringLiteral("Non sono state individuate formazioni per la squadra scelta, questa eccezione non "
                                "dovrebbe esistere e potrebbe causare futuri problemi. Si consiglia:\r\na) modificare il "
                                "nome della squadra dal menù rotazioni -> tabelle -> squadre\r\nb) effettuare "
                                "un'indicizzazione delle tabelle\r\nc) se il problema persiste contattare Brivo."));
        QCOMPARE(nomi(&form), TuttiDaInserire);
        // The form goes on: a line-up made here becomes the team's own row.
        scegliMetodo(&form, QStringLiteral("P-S-C-O-S-C"));
        const QList<int> scelti = {1, 3, 6, 9, 4, 7};
        for (int posto = 1; posto <= 6; ++posto)
            metti(&form, posto, scelti[posto - 1]);
        // Choosing another team saves the pending line-up first.
        c.boxes.clear();
        scegli(&form, "cbSquadre", QStringLiteral("Beta"));
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-S-C-O-S-C|1|3|6|9|4|7|")});
    }

    void anIncompletePendingLineUpKeepsItsTeamChosen()
    {
        Cartella c;
        squadra(QStringLiteral("Alfa"));
        squadra(QStringLiteral("Beta"), {0});
        TFrmRTformazioni form;
        scegli(&form, "cbSquadre", QStringLiteral("Alfa"));
        metti(&form, 1, 2);
        scegli(&form, "cbSquadre", QStringLiteral("Beta"));
        QCOMPARE(c.boxes.texts(), QStringList{QStringLiteral("Manca il secondo giocatore della squadra!")});
        QCOMPARE(figlio<QComboBox>(&form, "cbSquadre")->currentText(), QStringLiteral("Alfa"));
        QCOMPARE(riga(&form)->state(), store::Table::Edit);
        QCOMPARE(testo(&form, "LabelPos1"), QStringLiteral("Luca Bianchi n.2"));
    }

    void esciAsksOnlyWithPendingChanges()
    {
        Cartella c;
        squadra(QStringLiteral("Alfa"));
        TFrmRTformazioni form;
        form.show();
        clicca(&form, "sbEsci");
        QVERIFY(!form.isVisible());
        form.show();
        scegli(&form, "cbSquadre", QStringLiteral("Alfa"));
        clicca(&form, "sbEsci");
        QVERIFY(!form.isVisible());
        QVERIFY(c.boxes.shown.isEmpty());

        form.show();
        metti(&form, 1, 1);
        c.boxes.setNextAnswer(false);
        clicca(&form, "sbEsci");
        QVERIFY(form.isVisible());
        QCOMPARE(c.boxes.count(), 1);
        QCOMPARE(riga(&form)->state(), store::Table::Edit);
        c.boxes.setNextAnswer(true);
        clicca(&form, "sbEsci");
        QVERIFY(!form.isVisible());
        QCOMPARE(riga(&form)->state(), store::Table::Browse);
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-S-C-O-S-C|||||||")});
    }
};

QTEST_MAIN(TestFrmRTformazioni)
#include "test_frmrtformazioni.moc"
