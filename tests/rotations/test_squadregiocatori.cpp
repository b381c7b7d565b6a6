// The rotation teams and players forms driven through their controls: ids, the line-up row every
// team keeps, the cascading deletion, the player checks and completion, the line-up reset, Esci,
// and names with apostrophes. The navigator and the grid are exercised through them.
#include "moduli_prova.h"

#include "store/engineerror.h"

using namespace prova;

namespace {
const QString DomandaCascata = QStringLiteral("Questa operazione causerà la cancellazione della squadra, del relativo "
                                              "elenco di giocatori e quello delle formazioni, continuare?");
const QString DomandaFormazione = QStringLiteral(
    "Il giocatore che si vuole eliminare è inserito in formazione, pertanto questa operazione causerà l'azzeramento "
    "della formazione della relativa squadra, continuare?");

QStringList formazioniDi(int squadra)
{
    return righe(QStringLiteral("select metodo, pos1, pos2, pos3, pos4, pos5, pos6, libe from rt_formazioni where "
                                "idsquadra = ?"),
                 {squadra});
}
const QString RigaNuova = QStringLiteral("P-S-C-O-S-C|||||||");

void aggiungiRigaFormazione(int squadra)
{
    store::Table t(QStringLiteral("rt_formazioni.db"));
    t.open();
    t.append();
    t.fieldByName(QStringLiteral("idsquadra")).setAsInteger(squadra);
    t.fieldByName(QStringLiteral("metodo")).setAsString(QStringLiteral("P-S-C-O-S-C"));
    t.post();
}

void togliRigheFormazione(int squadra)
{
    store::Table t(QStringLiteral("rt_formazioni.db"));
    t.open();
    while (t.locate(QStringLiteral("idsquadra"), squadra))
        t.remove();
}

// Moves the team form's cursor onto the team through its grid.
void scegliNellaGriglia(TFrmRTsquadre &form, const QString &nome)
{
    auto *griglia = figlio<DBGrid>(&form, "DBGrid1");
    for (int r = 0; r < griglia->model()->rowCount(); ++r)
        if (griglia->model()->index(r, 0).data().toString() == nome) {
            griglia->setCurrentIndex(griglia->model()->index(r, 0));
            return;
        }
    qFatal("team not in the grid");
}

void scegliSquadra(TFrmRTgiocatori &form, int voce) { figlio<QComboBox>(&form, "cbSquadre")->setCurrentIndex(voce); }
void scegliSquadra(TFrmRTgiocatori &form, const QString &nome)
{
    auto *c = figlio<QComboBox>(&form, "cbSquadre");
    c->setCurrentIndex(c->findText(nome));
}
} // namespace

class TestSquadreGiocatori : public QObject {
    Q_OBJECT
private slots:
    void idsFollowTheHighestAndEveryTeamGetsItsLineUpRow()
    {
        Cartella c;
        TFrmRTsquadre form;
        form.show();
        QCOMPARE(nuovaSquadra(form, QStringLiteral("Alfa")), 1);
        QCOMPARE(nuovaSquadra(form, QStringLiteral("Beta")), 2);
        QCOMPARE(nuovaSquadra(form, QStringLiteral("Gamma")), 3);
        QCOMPARE(formazioniDi(3), QStringList{RigaNuova});
        QCOMPARE(figlio<DBGrid>(&form, "DBGrid1")->model()->rowCount(), 3);

        // A player of Gamma, then Gamma deleted: the new team takes id 3 again, without players.
        {
            TFrmRTgiocatori giocatori;
            scegliSquadra(giocatori, QStringLiteral("Gamma"));
            nuovoGiocatore(giocatori, QStringLiteral("7"), QStringLiteral("Ugo"), QStringLiteral("Neri"),
                           QStringLiteral("S"));
        }
        scegliNellaGriglia(form, QStringLiteral("Gamma"));
        c.boxes.setNextAnswer(true); // the navigator's question
        c.boxes.setNextAnswer(true); // the cascade
        clicca(&form, "nbDelete");
        QCOMPARE(nuovaSquadra(form, QStringLiteral("Delta")), 3);
        QVERIFY(righe(QStringLiteral("select * from rt_giocatori where idsquadra = '3'")).isEmpty());
        QCOMPARE(formazioniDi(3), QStringList{RigaNuova});

        // Deleting a team below the highest leaves a gap: the next id is still the highest + 1.
        scegliNellaGriglia(form, QStringLiteral("Alfa"));
        c.boxes.setDefaultAnswer(true);
        clicca(&form, "nbDelete");
        QCOMPARE(nuovaSquadra(form, QStringLiteral("Epsilon")), 4);
    }

    void savingATeamRecreatesALostLineUpRowOnly()
    {
        Cartella c;
        TFrmRTsquadre form;
        nuovaSquadra(form, QStringLiteral("Alfa"));
        impostaFormazione(1, QStringLiteral("P-C-S-O-C-S"), {1, 2, 3, 4, 5, 6});
        // Saving a team that has its row adds nothing and leaves the line-up alone.
        scrivi(&form, "DBEditSquadra", QStringLiteral("Alfa 2"));
        clicca(&form, "nbPost");
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("P-C-S-O-C-S|1|2|3|4|5|6|0")});
        // A lost row comes back on the next save, new.
        togliRigheFormazione(1);
        scrivi(&form, "DBEditSquadra", QStringLiteral("Alfa 3"));
        clicca(&form, "nbPost");
        QCOMPARE(formazioniDi(1), QStringList{RigaNuova});
        QVERIFY(c.boxes.shown.isEmpty());
    }

    void deletingATeamDeletesItsPlayersAndEveryLineUpRow_data()
    {
        QTest::addColumn<int>("righeFormazione");
        QTest::newRow("no row") << 0;
        QTest::newRow("one row") << 1;
        QTest::newRow("two rows") << 2;
    }
    void deletingATeamDeletesItsPlayersAndEveryLineUpRow()
    {
        QFETCH(int, righeFormazione);
        Cartella c;
        TFrmRTsquadre form;
        nuovaSquadra(form, QStringLiteral("Alfa"));
        nuovaSquadra(form, QStringLiteral("Beta"));
        {
            TFrmRTgiocatori giocatori;
            for (const QString &squadra : {QStringLiteral("Alfa"), QStringLiteral("Beta")}) {
                scegliSquadra(giocatori, squadra);
                for (int n = 1; n <= 3; ++n)
                    nuovoGiocatore(giocatori, QString::number(n), QString(), QString(), QStringLiteral("S"));
            }
        }
        togliRigheFormazione(1);
        for (int i = 0; i < righeFormazione; ++i)
            aggiungiRigaFormazione(1);

        // No to the navigator's question: nothing is asked further and nothing goes.
        scegliNellaGriglia(form, QStringLiteral("Alfa"));
        c.boxes.setNextAnswer(false);
        clicca(&form, "nbDelete");
        QCOMPARE(c.boxes.count(), 1);
        // No to the cascade: the team and all its rows stay.
        c.boxes.setNextAnswer(true);
        c.boxes.setNextAnswer(false);
        clicca(&form, "nbDelete");
        QCOMPARE(c.boxes.last().testo, DomandaCascata);
        // Both questions destroy rows: No is their default button.
        QVERIFY(c.boxes.shown.first().noPredefinito && c.boxes.last().noPredefinito);
        QCOMPARE(righe(QStringLiteral("select * from rt_squadre")).size(), 2);
        QCOMPARE(righe(QStringLiteral("select * from rt_giocatori where idsquadra = '1'")).size(), 3);
        QCOMPARE(formazioniDi(1).size(), righeFormazione);

        c.boxes.setDefaultAnswer(true);
        clicca(&form, "nbDelete");
        QCOMPARE(righe(QStringLiteral("select nomesquadra from rt_squadre")), QStringList{QStringLiteral("Beta")});
        QVERIFY(righe(QStringLiteral("select * from rt_giocatori where idsquadra = '1'")).isEmpty());
        QVERIFY(formazioniDi(1).isEmpty());
        QCOMPARE(righe(QStringLiteral("select * from rt_giocatori where idsquadra = '2'")).size(), 3);
        QCOMPARE(formazioniDi(2), QStringList{RigaNuova});
        QCOMPARE(figlio<DBGrid>(&form, "DBGrid1")->model()->rowCount(), 1);
    }

    void aFailedTeamDeletionKeepsItsPlayersAndLineUp()
    {
        Cartella c;
        TFrmRTsquadre form;
        nuovaSquadra(form, QStringLiteral("Alfa"));
        {
            TFrmRTgiocatori giocatori;
            scegliSquadra(giocatori, 0);
            nuovoGiocatore(giocatori, QStringLiteral("4"), QString(), QString(), QStringLiteral("P"));
        }
        // The team row refuses to go after its players and line-up are already deleted.
        auto *squadre = figlio<store::Table>(&form, "TableRTSquadre");
        auto cascata = squadre->beforeDelete;
        squadre->beforeDelete = [cascata](store::Table &t) -> bool {
            cascata(t);
            throw store::EngineError(QStringLiteral("Disco pieno."));
        };
        c.boxes.setDefaultAnswer(true);
        clicca(&form, "nbDelete");
        QCOMPARE(c.boxes.last().testo, QStringLiteral("Disco pieno."));
        QCOMPARE(righe(QStringLiteral("select nomesquadra from rt_squadre")), QStringList{QStringLiteral("Alfa")});
        QCOMPARE(righe(QStringLiteral("select numeromaglia from rt_giocatori")), QStringList{QStringLiteral("4")});
        QCOMPARE(formazioniDi(1), QStringList{RigaNuova});
        QCOMPARE(figlio<DBGrid>(&form, "DBGrid1")->model()->rowCount(), 1);
    }

    void sameNamedTeamsStayApartAndApostrophesWork()
    {
        Cartella c;
        {
            TFrmRTsquadre form;
            nuovaSquadra(form, QStringLiteral("Sant'Anna"));
            nuovaSquadra(form, QStringLiteral("Rossi"));
            nuovaSquadra(form, QStringLiteral("Rossi"));
        }
        QCOMPARE(righe(QStringLiteral("select idsquadra from rt_squadre where nomesquadra = 'Rossi'")).size(), 2);
        TFrmRTgiocatori form;
        QCOMPARE(voci(&form, "cbSquadre"),
                 (QStringList{QStringLiteral("Rossi"), QStringLiteral("Rossi"), QStringLiteral("Sant'Anna")}));
        // The second "Rossi" is the second team, not the first one again.
        scegliSquadra(form, 1);
        QCOMPARE(form.IdSquadraCorrente, 3);
        nuovoGiocatore(form, QStringLiteral("9"), QStringLiteral("Gianni"), QStringLiteral("D'Amico"),
                       QStringLiteral("O"));
        scegliSquadra(form, 0);
        QCOMPARE(form.IdSquadraCorrente, 2);
        QCOMPARE(figlio<DBGrid>(&form, "DBGrid1")->model()->rowCount(), 0);
        scegliSquadra(form, QStringLiteral("Sant'Anna"));
        QCOMPARE(form.IdSquadraCorrente, 1);
        nuovoGiocatore(form, QStringLiteral("9"), QString(), QString(), QStringLiteral("O"));
        QCOMPARE(righe(QStringLiteral("select idsquadra, cognome from rt_giocatori")),
                 (QStringList{QStringLiteral("3|D'Amico"), QStringLiteral("1|Nd")}));
        QVERIFY(c.boxes.shown.isEmpty());
    }

    void playerChecksRunInOrderWithTheirMessageAndFocus()
    {
        Cartella c;
        {
            TFrmRTsquadre squadre;
            nuovaSquadra(squadre, QStringLiteral("Alfa"));
            nuovaSquadra(squadre, QStringLiteral("Beta"));
        }
        TFrmRTgiocatori form;
        form.show();
        QVERIFY(!figlio<QWidget>(&form, "PanelDettaglio")->isEnabled());
        scegliSquadra(form, QStringLiteral("Alfa"));
        QVERIFY(figlio<QWidget>(&form, "PanelDettaglio")->isEnabled());
        auto *tabella = figlio<store::Table>(&form, "TableRTgiocatori");

        struct Caso {
            QString numero, ruolo, messaggio;
            const char *fuoco;
        };
        const QList<Caso> casi = {
            {QString(), QString(), QStringLiteral("Manca il numero di maglia del giocatore!"), "DBEditNumero"},
            {QStringLiteral("5"), QString(), QStringLiteral("Manca il ruolo del giocatore!"), "DBcbRuolo"},
            {QStringLiteral("0"), QStringLiteral("S"),
             QStringLiteral("Il numero di maglia del giocatore deve essere uguale o superiore a 1."), "DBEditNumero"},
        };
        for (const Caso &caso : casi) {
            c.boxes.clear();
            nuovoGiocatore(form, caso.numero, QString(), QString(), caso.ruolo);
            QCOMPARE(c.boxes.texts(), QStringList{caso.messaggio});
            QCOMPARE(c.boxes.last().icona, IconaMessaggio::Errore);
            QCOMPARE(form.focusWidget(), figlio<QWidget>(&form, caso.fuoco));
            QCOMPARE(tabella->state(), store::Table::Insert);
            clicca(&form, "nbCancel");
        }
        QVERIFY(righe(QStringLiteral("select * from rt_giocatori")).isEmpty());

        // The insert button leads to the shirt number; at most two characters go in.
        clicca(&form, "nbInsert");
        QCOMPARE(form.focusWidget(), figlio<QWidget>(&form, "DBEditNumero"));
        scrivi(&form, "DBEditNumero", QStringLiteral("123"));
        QCOMPARE(figlio<QLineEdit>(&form, "DBEditNumero")->text(), QStringLiteral("12"));
        clicca(&form, "nbCancel");

        // Unique within the team, free across teams; an edited player keeps his own number.
        nuovoGiocatore(form, QStringLiteral("10"), QString(), QString(), QStringLiteral("S"));
        c.boxes.clear();
        nuovoGiocatore(form, QStringLiteral("10"), QString(), QString(), QStringLiteral("C"));
        QCOMPARE(c.boxes.texts(),
                 QStringList{QStringLiteral("Numero di maglia già esistente, modificarlo o annullare l'operazione!")});
        QCOMPARE(form.focusWidget(), figlio<QWidget>(&form, "DBEditNumero"));
        scrivi(&form, "DBEditNumero", QStringLiteral("11"));
        clicca(&form, "nbPost");
        QCOMPARE(tabella->state(), store::Table::Browse);
        clicca(&form, "nbPrior");
        scrivi(&form, "DBEditNome", QStringLiteral("Piero"));
        clicca(&form, "nbPost");
        QCOMPARE(tabella->state(), store::Table::Browse);
        scrivi(&form, "DBEditNumero", QStringLiteral("11"));
        clicca(&form, "nbPost");
        QCOMPARE(tabella->state(), store::Table::Edit);
        clicca(&form, "nbCancel");

        scegliSquadra(form, QStringLiteral("Beta"));
        c.boxes.clear();
        nuovoGiocatore(form, QStringLiteral("10"), QString(), QString(), QStringLiteral("L"), QStringLiteral("SALTO"));
        QVERIFY(c.boxes.shown.isEmpty());
        // Completion: ids over all teams, the team stamped, "Nd" and "FLOAT" for what was left empty.
        QCOMPARE(righe(QStringLiteral("select idgiocatore, idsquadra, numeromaglia, nome, cognome, ruolo, battuta from "
                                      "rt_giocatori")),
                 (QStringList{QStringLiteral("1|1|10|Piero|Nd|S|FLOAT"), QStringLiteral("2|1|11|Nd|Nd|C|FLOAT"),
                              QStringLiteral("3|2|10|Nd|Nd|L|SALTO")}));
    }

    void aPendingPlayerIsSavedForHisOwnTeamBeforeAnotherIsShown()
    {
        Cartella c;
        {
            TFrmRTsquadre squadre;
            nuovaSquadra(squadre, QStringLiteral("Alfa"));
            nuovaSquadra(squadre, QStringLiteral("Beta"));
        }
        TFrmRTgiocatori form;
        scegliSquadra(form, QStringLiteral("Alfa"));
        clicca(&form, "nbInsert");
        scrivi(&form, "DBEditNumero", QStringLiteral("3"));
        scegli(&form, "DBcbRuolo", QStringLiteral("P"));
        scegliSquadra(form, QStringLiteral("Beta"));
        QCOMPARE(righe(QStringLiteral("select idsquadra, numeromaglia from rt_giocatori")),
                 QStringList{QStringLiteral("1|3")});
        QCOMPARE(form.IdSquadraCorrente, 2);
        // A pending player that fails a check keeps his team chosen and stays pending.
        clicca(&form, "nbInsert");
        scrivi(&form, "DBEditNumero", QStringLiteral("4"));
        scegliSquadra(form, QStringLiteral("Alfa"));
        QCOMPARE(c.boxes.texts(), QStringList{QStringLiteral("Manca il ruolo del giocatore!")});
        QCOMPARE(figlio<QComboBox>(&form, "cbSquadre")->currentText(), QStringLiteral("Beta"));
        QCOMPARE(form.IdSquadraCorrente, 2);
        QCOMPARE(figlio<store::Table>(&form, "TableRTgiocatori")->state(), store::Table::Insert);
    }

    void deletingAPlayerOfTheLineUpResetsTheLineUpFirst_data()
    {
        QTest::addColumn<bool>("libero");
        QTest::newRow("a position") << false;
        QTest::newRow("the libero") << true;
    }
    void deletingAPlayerOfTheLineUpResetsTheLineUpFirst()
    {
        QFETCH(bool, libero);
        Cartella c;
        {
            TFrmRTsquadre squadre;
            nuovaSquadra(squadre, QStringLiteral("Alfa"));
        }
        TFrmRTgiocatori form;
        scegliSquadra(form, 0);
        nuovoGiocatore(form, QStringLiteral("1"), QString(), QString(), QStringLiteral("S"));
        nuovoGiocatore(form, QStringLiteral("2"), QString(), QString(), QStringLiteral("L"));
        nuovoGiocatore(form, QStringLiteral("3"), QString(), QString(), QStringLiteral("C"));
        // Player 1 or 2 stands in the line-up; player 3 does not.
        const int inCampo = libero ? 2 : 1;
        impostaFormazione(1, QStringLiteral("P-S-C-O-S-C"), {9, libero ? 8 : 1, 7, 6, 5, 4}, libero ? 2 : 0);
        const QString intera = formazioniDi(1).first();

        auto *griglia = figlio<DBGrid>(&form, "DBGrid1");
        griglia->setCurrentIndex(griglia->model()->index(2, 0));
        c.boxes.setDefaultAnswer(true);
        clicca(&form, "nbDelete");
        QCOMPARE(c.boxes.count(), 1); // only the navigator's question
        QCOMPARE(formazioniDi(1), QStringList{intera});

        griglia->setCurrentIndex(griglia->model()->index(inCampo - 1, 0));
        c.boxes.clear();
        c.boxes.setNextAnswer(true);
        c.boxes.setNextAnswer(false);
        clicca(&form, "nbDelete");
        QCOMPARE(c.boxes.last().testo, DomandaFormazione);
        QVERIFY(c.boxes.last().noPredefinito);
        QCOMPARE(formazioniDi(1), QStringList{intera});
        QCOMPARE(righe(QStringLiteral("select numeromaglia from rt_giocatori")),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2")}));

        clicca(&form, "nbDelete");
        QCOMPARE(formazioniDi(1), QStringList{QStringLiteral("|0|0|0|0|0|0|0")});
        QCOMPARE(righe(QStringLiteral("select numeromaglia from rt_giocatori")),
                 QStringList{QString::number(libero ? 1 : 2)});
    }

    void esciAsksOnlyWithPendingChanges()
    {
        Cartella c;
        TFrmRTsquadre squadre;
        squadre.show();
        clicca(&squadre, "sbEsci");
        QVERIFY(!squadre.isVisible());
        QVERIFY(c.boxes.shown.isEmpty());

        squadre.show();
        clicca(&squadre, "nbInsert");
        QCOMPARE(squadre.focusWidget(), figlio<QWidget>(&squadre, "DBEditSquadra"));
        scrivi(&squadre, "DBEditSquadra", QStringLiteral("Alfa"));
        c.boxes.setNextAnswer(false);
        clicca(&squadre, "sbEsci");
        QVERIFY(squadre.isVisible());
        QCOMPARE(c.boxes.texts(), QStringList{QStringLiteral("Alcune modifiche non sono ancora state salvate, uscendo "
                                                             "tali modifiche verranno perse, uscire comunque?")});
        auto *tabella = figlio<store::Table>(&squadre, "TableRTSquadre");
        QCOMPARE(tabella->state(), store::Table::Insert);
        // Escape leaves the same way.
        c.boxes.setNextAnswer(true);
        QTest::keyClick(&squadre, Qt::Key_Escape);
        QVERIFY(!squadre.isVisible());
        QCOMPARE(tabella->state(), store::Table::Browse);
        QVERIFY(righe(QStringLiteral("select * from rt_squadre")).isEmpty());

        // The players form before a team is chosen never asks.
        TFrmRTgiocatori giocatori;
        giocatori.show();
        c.boxes.clear();
        clicca(&giocatori, "sbEsci");
        QVERIFY(!giocatori.isVisible());
        QVERIFY(c.boxes.shown.isEmpty());
    }

    void theGridFollowsTheCursorAndMovesIt()
    {
        Cartella c;
        TFrmRTsquadre form;
        for (const char *n : {"Alfa", "Beta", "Gamma"})
            nuovaSquadra(form, QLatin1String(n));
        auto *griglia = figlio<DBGrid>(&form, "DBGrid1");
        auto *tabella = figlio<store::Table>(&form, "TableRTSquadre");
        QCOMPARE(griglia->columnTitle(0), QStringLiteral("Nome squadra"));
        QCOMPARE(griglia->columnWidth(0), 200);
        QCOMPARE(griglia->currentIndex().row(), 2);
        clicca(&form, "nbPrior");
        QCOMPARE(griglia->currentIndex().row(), 1);
        QVERIFY(figlio<QWidget>(&form, "nbNext")->isEnabled());
        // A click on a row moves the cursor there.
        const QRect riga = griglia->visualRect(griglia->model()->index(0, 0));
        QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, riga.center());
        QCOMPARE(tabella->fieldByName(QStringLiteral("nomesquadra")).asString(), QStringLiteral("Alfa"));
        QVERIFY(!figlio<QWidget>(&form, "nbPrior")->isEnabled());
        // Moving away from a pending name posts it first.
        scrivi(&form, "DBEditSquadra", QStringLiteral("Alfa'"));
        QVERIFY(figlio<QWidget>(&form, "nbPost")->isEnabled());
        griglia->setCurrentIndex(griglia->model()->index(2, 0));
        QCOMPARE(tabella->state(), store::Table::Browse);
        QCOMPARE(tabella->fieldByName(QStringLiteral("nomesquadra")).asString(), QStringLiteral("Gamma"));
        QCOMPARE(griglia->model()->index(0, 0).data().toString(), QStringLiteral("Alfa'"));
        // The navigator's hints, in button order.
        QCOMPARE(figlio<QWidget>(&form, "nbInsert")->toolTip(), QStringLiteral("Inserimento rigo"));
        QCOMPARE(figlio<QWidget>(&form, "nbCancel")->toolTip(), QStringLiteral("Annulla modifiche"));
        QVERIFY(figlio<QWidget>(&form, "nbFirst")->isHidden());
    }
};

QTEST_MAIN(TestSquadreGiocatori)
#include "test_squadregiocatori.moc"
