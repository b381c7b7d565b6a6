// The translation table read as a reader of each language reads it, and the lookup that finds a
// caption's row when the caption and its key differ only by blanks, case or a final colon.
#include "store/database.h"
#include "store/impostazioni.h"
#include "store/righelingua.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/campionato.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"

#include <QSet>
#include <QtTest>

namespace {

QString it(int riga) { return QString::fromUtf8(RigheLingua[riga - 1].italiano); }
QString en(int riga) { return QString::fromUtf8(RigheLingua[riga - 1].english); }
QString fr(int riga) { return QString::fromUtf8(RigheLingua[riga - 1].francais); }

const QString Fr = QStringLiteral("Français");

} // namespace

class TestLingua : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { store::Database::shutdown(); }

    // The rows the program has always carried word for word, in the three columns.
    void fixedRowsKeepTheirWords()
    {
        QCOMPARE(NumeroRigheLinguaStandard, 231);
        const struct {
            int riga;
            const char *i, *e, *f;
        } fisse[] = {
            {1, "Calendario", "Calendar", "Calendrier"},
            {5, "Esci", "Exit", "Quitter"},
            {7, "Costruiscine uno nuovo", "Make a new", "Créer un nouveau"},
            {23, "Impostazioni", "Settings", "Organisations"},
            {35, "Scelta lingua:", "Select language:", "Choisir la langue"},
            {53, "Colore della casella dell opposto", "Color of the box opposite", "Couleur de la case de l'opposé"},
            {151, "Inserisci le seguenti voci:", "Enter the following items:", "Rentrer les données suivantes:"},
            {192, "Situazione della classifica aggiornata allultima giornata giocata.",
             "Situation of the league last updated all day play.", "Le classement mis à jour après la dernière journée."},
            {222, "C L A S S I F I C A", "R A N K I N G", "C L A S S E M E N T"},
            {231, "Posizione partenza palleggiatore:", "Dribbler starting position:", "Position de départ du passeur"},
        };
        for (const auto &r : fisse) {
            QCOMPARE(it(r.riga), QString::fromUtf8(r.i));
            QCOMPARE(en(r.riga), QString::fromUtf8(r.e));
            QCOMPARE(fr(r.riga), QString::fromUtf8(r.f));
        }
        for (int n = 2; n <= 20; ++n) {
            QCOMPARE(it(156 + n), QStringLiteral("Nome squadra n.%1").arg(n));
            QCOMPARE(en(156 + n), QStringLiteral("Team name n.%1").arg(n));
            QCOMPARE(fr(156 + n), QStringLiteral("Nom de l'équipe %1").arg(n));
        }
        // The first key of each screen's block, where the order of the screens says it stands.
        const QList<QPair<int, const char *>> inizi = {{32, "Informazioni sul programma"}, {60, "Controllo eventuali aggiornamenti disponibili"},
                                                       {84, "Lista modelli"}, {108, "Nome squadra:"}, {180, "Inserimento risultati gionata numero"},
                                                       {186, "Punti"}, {210, "Statistiche per squadra"}, {221, "Brivo_Rotaset, realizzato da Brivo"}};
        for (const auto &[riga, chiave] : inizi)
            QCOMPARE(it(riga), QString::fromUtf8(chiave));
    }

    // No English or French text is left in Italian, empty, or with stray blanks; a caption that
    // ends with a colon ends with one in each language (French with a blank before it), except
    // in the fixed rows.
    void everyTextReadsInItsLanguage()
    {
        // Words the same in Italian and in the other language.
        const QSet<QString> uguali = {QStringLiteral("Libero:")};
        const QSet<int> fisse = {35, 151, 231};
        QStringList errori;
        for (int r = 1; r <= NumeroRigheLingua; ++r) {
            for (const auto &[lingua, testo] : {qMakePair(QStringLiteral("en"), en(r)), qMakePair(QStringLiteral("fr"), fr(r))}) {
                const QString dove = QStringLiteral("%1 %2 \"%3\"").arg(r).arg(lingua, testo);
                if (testo == it(r) && !uguali.contains(testo))
                    errori << QStringLiteral("Italian: ") + dove;
                if (testo.isEmpty() || testo != testo.trimmed() || (testo.contains(QStringLiteral("  ")) && r != 222 && r != 229))
                    errori << QStringLiteral("blanks: ") + dove;
                if (!fisse.contains(r) && it(r).endsWith(QLatin1Char(':')) != testo.endsWith(QLatin1Char(':')))
                    errori << QStringLiteral("colon: ") + dove;
                if (lingua == QLatin1String("fr") && !fisse.contains(r) && testo.endsWith(QLatin1Char(':')) &&
                    !testo.endsWith(QStringLiteral(" :")))
                    errori << QStringLiteral("French colon: ") + dove;
            }
        }
        QVERIFY2(errori.isEmpty(), qPrintable(errori.join(QLatin1Char('\n'))));
        // The words a volleyball player reads.
        QCOMPARE(en(6), QStringLiteral("Calendar management"));
        QCOMPARE(en(121), QStringLiteral("Setter:"));
        QCOMPARE(fr(121), QStringLiteral("Passeur :"));
        QCOMPARE(en(123), QStringLiteral("Middle blocker 1:"));
        QCOMPARE(en(191), QStringLiteral("Bye"));
        QCOMPARE(fr(191), QStringLiteral("Exempt"));
    }

    // Every reworded row names its row and its old texts, in row order, and the old texts are
    // not the new ones.
    void previousTextsMatchTheirRows()
    {
        int prima = -1;
        for (int k = 0; k < NumeroTestiPrecedenti; ++k) {
            const TestoPrecedente &p = TestiPrecedenti[k];
            QVERIFY(p.riga > prima && p.riga < NumeroRigheLingua);
            prima = p.riga;
            QVERIFY(p.english || p.francais);
            if (p.english)
                QVERIFY(QString::fromUtf8(p.english) != en(p.riga + 1));
            if (p.francais)
                QVERIFY(QString::fromUtf8(p.francais) != fr(p.riga + 1));
        }
    }

    void lookupForgivesBlanksCaseAndColon()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        CreaTabelle();
        const QString En = QStringLiteral("English");
        // Exact keys first: the colon makes a different row.
        QCOMPARE(Traduci(QStringLiteral("Giornata numero:"), En), QStringLiteral("Matchday:"));
        QCOMPARE(Traduci(QStringLiteral("Giornata numero"), En), QStringLiteral("Matchday"));
        QCOMPARE(Traduci(QStringLiteral("&Esci"), Fr), QStringLiteral("Quitter"));
        // A final colon the key lacks, or lacks where the key has one, kept as the caption has it.
        QCOMPARE(Traduci(QStringLiteral("Impostazioni modulo rotazioni:"), En), QStringLiteral("Rotation module settings:"));
        QCOMPARE(Traduci(QStringLiteral("Impostazioni modulo rotazioni:"), Fr),
                 QStringLiteral("Paramètres du module des rotations :"));
        QCOMPARE(Traduci(QStringLiteral("Palleggiatore"), Fr), QStringLiteral("Passeur"));
        QCOMPARE(Traduci(QStringLiteral("Zona palleggiatore"), En), QStringLiteral("Setter's zone"));
        // The blank an apostrophe leaves in the key, a word run together, other case, blanks around.
        QCOMPARE(Traduci(QStringLiteral("Colore della casella dell'opposto"), En), QStringLiteral("Color of the box opposite"));
        QCOMPARE(Traduci(QStringLiteral("SetVinti"), Fr), QStringLiteral("Sets gagnés"));
        QCOMPARE(Traduci(QStringLiteral("SetPersi"), En), QStringLiteral("Sets lost"));
        QCOMPARE(Traduci(QStringLiteral(" PRIMA rotazione "), En), QStringLiteral("First rotation"));
        // Nothing like it: the caption as it was, apostrophes removed; an empty one stays empty.
        QCOMPARE(Traduci(QStringLiteral("Colore della casella degli schiacciatori"), En),
                 QStringLiteral("Colore della casella degli schiacciatori"));
        QCOMPARE(Traduci(QStringLiteral("Un'altra cosa:"), En), QStringLiteral("Unaltra cosa:"));
        QCOMPARE(Traduci(QStringLiteral(":"), En), QStringLiteral(":"));
        QCOMPARE(Traduci(QString(), En), QString());
        // "Italiano" and anything that is no column never look.
        QCOMPARE(Traduci(QStringLiteral("SetVinti"), QStringLiteral("Italiano")), QStringLiteral("SetVinti"));
        QCOMPARE(Traduci(QStringLiteral("SetVinti"), QStringLiteral("English\" from x --")), QStringLiteral("SetVinti"));
        // A row whose translation the user emptied gives an empty caption, tolerant or not.
        {
            store::Table t(QStringLiteral("lingua.db"));
            t.open();
            for (t.first(); !t.eof(); t.next())
                if (t.fieldByName(QStringLiteral("Italiano")).asString() == QLatin1String("Set persi")) {
                    t.edit();
                    t.fieldByName(QStringLiteral("English")).setAsString(QString());
                    t.post();
                }
        }
        QCOMPARE(Traduci(QStringLiteral("SetPersi"), En), QString());
        QCOMPARE(boxes.count(), 0);
    }

    // A stored text names a language only word for word, and each language is stored as its
    // column's name.
    void storedTextNamesTheLanguage()
    {
        QStringList testi;
        for (const Lingua l : Lingue) {
            QCOMPARE(LinguaDaTesto(TestoLingua(l)), std::optional<Lingua>(l));
            testi << TestoLingua(l);
        }
        QCOMPARE(testi, (QStringList{QStringLiteral("Italiano"), QStringLiteral("English"), Fr}));
        for (const char *altro : {"", "italiano", "ENGLISH", " English", "Francais", "Deutsch"}) {
            QVERIFY2(!LinguaDaTesto(QString::fromUtf8(altro)), altro);
            QVERIFY(!LinguaDaTradurre(QString::fromUtf8(altro)));
        }
        QVERIFY(!LinguaDaTradurre(QStringLiteral("Italiano")));
        QVERIFY(LinguaDaTradurre(QStringLiteral("English")));
        QVERIFY(LinguaDaTradurre(Fr));
    }

    // The settings' language, and a read that fails told apart from a blank field: the failure
    // shows its box and reads as Italian where the language is asked.
    void settingsReadTellsFailureFromBlank()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        CreaTabelle();
        QCOMPARE(LetturaImpostazione(QStringLiteral("LINGUA")), std::optional<QString>(QStringLiteral("Italiano")));
        QCOMPARE(LinguaImpostata(), Lingua::Italiano);
        prova::Impostazione("LINGUA", Fr);
        QCOMPARE(LinguaImpostata(), Lingua::Francais);
        prova::Impostazione("LINGUA", QStringLiteral("Deutsch"));
        QCOMPARE(LinguaImpostata(), Lingua::Italiano);
        prova::Impostazione("LINGUA", QString());
        QCOMPARE(LetturaImpostazione(QStringLiteral("LINGUA")), std::optional<QString>(QString()));
        QCOMPARE(LinguaImpostata(), Lingua::Italiano);
        QCOMPARE(boxes.count(), 0);

        QVERIFY(!LetturaImpostazione(QStringLiteral("NESSUNCAMPO")));
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().testo.contains(QLatin1String("NESSUNCAMPO")));
        QCOMPARE(LeggiImpostazione(QStringLiteral("NESSUNCAMPO")), QString()); // read as blank, on purpose
        QCOMPARE(boxes.count(), 2);
    }
};

QTEST_MAIN(TestLingua)
#include "test_lingua.moc"
