// The fixtures as an .ics file, read back by libical: the events of the dated matches (all-day, or
// at a time in the zone described), the favourite team's only, the matchdays without a date counted;
// UIDs that survive a team's renaming; escaping and folding of long names with commas, semicolons,
// apostrophes and accents; and the file written from the dates form, never half, never a folder.
#include "championship/calendarioics.h"
#include "championship/dategiornate.h"
#include "championship/frmdategiornate.h"
#include "championship/rinomina.h"
#include "core/cartella.h"
#include "store/database.h"
#include "support/campionato.h"
#include "support/testprogram.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QtTest>
#include <libical/ical.h>
#include <memory>

using namespace prova;

namespace {
struct Evento {
    QString uid, sommario, descrizione;
    bool tuttoIlGiorno = false;
    QDate data;
    qint64 utc = 0; // seconds since the epoch, for a timed event
};

// The events as libical reads them; the test stops when libical finds an error in the file.
QList<Evento> eventi(const QByteArray &testo, int *fusi = nullptr)
{
    icalcomponent *cal = icalparser_parse_string(testo.constData());
    if (!cal)
        qFatal("libical could not parse the file");
    if (icalcomponent_count_errors(cal) != 0)
        qFatal("libical found errors: %s", icalcomponent_as_ical_string(cal));
    QList<Evento> l;
    for (icalcomponent *e = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        Evento ev;
        ev.uid = QString::fromUtf8(icalcomponent_get_uid(e));
        ev.sommario = QString::fromUtf8(icalcomponent_get_summary(e));
        ev.descrizione = QString::fromUtf8(icalcomponent_get_description(e));
        const icaltimetype t = icalcomponent_get_dtstart(e);
        ev.tuttoIlGiorno = t.is_date;
        ev.data = QDate(t.year, t.month, t.day);
        if (!t.is_date)
            ev.utc = qint64(icaltime_as_timet_with_zone(t, t.zone));
        l << ev;
    }
    if (fusi)
        *fusi = icalcomponent_count_components(cal, ICAL_VTIMEZONE_COMPONENT);
    icalcomponent_free(cal);
    return l;
}

const QStringList Quattro = {QStringLiteral("Sant'Antioco, Sez. Femminile"),
                             QStringLiteral("Forlì; Cesena & Rimini \\ Club"), QStringLiteral("Dervio"),
                             QStringLiteral("Città di Castello")};
} // namespace

class TestCalendarioIcs : public QObject {
    Q_OBJECT
private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    void theEventsReadBackByLibical()
    {
        Calendario(Quattro); // 6 matchdays of two matches
        AggiungiGiornata(7, {}, false);
        const DateGiornate date{{1, {QDate(2024, 10, 12), QStringLiteral("20:30")}},
                                {2, {QDate(2024, 11, 2), QStringLiteral("18:00")}},
                                {3, {QDate(2024, 2, 29), {}}},
                                {5, {QDate(2024, 9, 1), {}}}}; // out of order: as stored
        OpzioniIcs o;
        o.annata = QStringLiteral("2024/2025");
        o.categoria = QStringLiteral("Serie C, girone A");
        o.zona = QTimeZone("Europe/Rome");
        o.adesso = QDateTime(QDate(2024, 9, 1), QTime(10, 0), Qt::UTC);
        const CalendarioIcs ics = ComponiIcs(LeggiCalendario(), date, o);
        QCOMPARE(ics.eventi, 8);
        QCOMPARE(ics.senzaData, (QList<int>{4, 6})); // matchday 7 has no match: not counted
        QVERIFY(!ics.testo.contains("METHOD"));

        int fusi = 0;
        const QList<Evento> l = eventi(ics.testo, &fusi);
        QCOMPARE(l.size(), 8);
        QCOMPARE(fusi, 1);
        QSet<QString> uid;
        for (const Evento &e : l)
            uid.insert(e.uid);
        QCOMPARE(uid.size(), 8);
        // Summer time on 12 October, winter time on 2 November: the zone says which.
        QCOMPARE(l[0].utc, QDateTime(QDate(2024, 10, 12), QTime(18, 30), Qt::UTC).toSecsSinceEpoch());
        QCOMPARE(l[2].utc, QDateTime(QDate(2024, 11, 2), QTime(17, 0), Qt::UTC).toSecsSinceEpoch());
        QVERIFY(l[4].tuttoIlGiorno);
        QCOMPARE(l[4].data, QDate(2024, 2, 29));
        QCOMPARE(l[0].sommario, Quattro[0] + QStringLiteral(" - ") + Quattro[3]);
        QCOMPARE(l[1].sommario, Quattro[1] + QStringLiteral(" - ") + Quattro[2]);
        QCOMPARE(l[0].descrizione, QStringLiteral("Giornata 1 - Serie C, girone A - 2024/2025"));

        // A played match shows its sets; the favourite team's matches only.
        store::Table g(QStringLiteral("giornate.db"));
        g.open();
        QVERIFY(g.locate(QStringLiteral("Giornata"), 1));
        g.edit();
        g.fieldByName(QStringLiteral("Set1")).setAsString(QStringLiteral("3"));
        g.fieldByName(QStringLiteral("Set2")).setAsString(QStringLiteral("1"));
        g.post();
        g.close();
        o.squadra = QStringLiteral("Dervio");
        const CalendarioIcs solo = ComponiIcs(LeggiCalendario(), date, o);
        QCOMPARE(solo.eventi, 4);
        for (const Evento &e : eventi(solo.testo))
            QVERIFY(e.sommario.contains(QStringLiteral("Dervio")));
        OpzioniIcs tutte = o;
        tutte.squadra.clear();
        QCOMPARE(eventi(ComponiIcs(LeggiCalendario(), date, tutte).testo).first().sommario,
                 Quattro[0] + QStringLiteral(" - ") + Quattro[3] + QStringLiteral(" 3-1"));

        // Only all-day dates: no zone described. No date at all: nothing to write.
        QCOMPARE(eventi(ComponiIcs(LeggiCalendario(), {{3, {QDate(2024, 2, 29), {}}}}, tutte).testo, &fusi).size(), 2);
        QCOMPARE(fusi, 0);
        QCOMPARE(ComponiIcs(LeggiCalendario(), {}, tutte).eventi, 0);
    }

    void theUidsSurviveARenaming()
    {
        Squadre(Quattro);
        Calendario(Quattro);
        const DateGiornate date{{1, {QDate(2024, 10, 12), {}}}, {2, {QDate(2024, 10, 19), {}}}};
        OpzioniIcs o;
        o.annata = QStringLiteral("2024/2025");
        o.categoria = QStringLiteral("Serie C");
        const QList<Evento> prima = eventi(ComponiIcs(LeggiCalendario(), date, o).testo);
        QCOMPARE(RinominaSquadra(QStringLiteral("Dervio"), QStringLiteral("Dervio Volley")), 6);
        o.adesso = o.adesso.addDays(3);
        const QList<Evento> dopo = eventi(ComponiIcs(LeggiCalendario(), date, o).testo);
        QCOMPARE(dopo.size(), prima.size());
        int rinominati = 0;
        for (int i = 0; i < prima.size(); ++i) {
            QCOMPARE(dopo[i].uid, prima[i].uid);
            rinominati += dopo[i].sommario.contains(QStringLiteral("Dervio Volley"));
        }
        QCOMPARE(rinominati, 2);
        // Another season or category, other UIDs: two calendars never overwrite each other.
        QVERIFY(UidPartita(o.annata, o.categoria, 1, 1) != UidPartita(QStringLiteral("2025/2026"), o.categoria, 1, 1));
        QVERIFY(UidPartita(o.annata, o.categoria, 1, 1) != UidPartita(o.annata, QStringLiteral("Serie D"), 1, 1));
        QVERIFY(UidPartita(o.annata, o.categoria, 1, 2) != UidPartita(o.annata, o.categoria, 2, 1));
    }

    void escapingAndFolding()
    {
        QCOMPARE(EscapeIcs(QStringLiteral("a,b;c\\d\ne")), QStringLiteral("a\\,b\\;c\\\\d\\ne"));
        // A line of accents folded at 75 octets: never inside a character, and whole again unfolded.
        const QString lunga = QStringLiteral("SUMMARY:") + QString(60, QChar(0x00E0)) + QStringLiteral(" - ") +
                              QString(30, QLatin1Char('x'));
        const QByteArray piegata = PiegaRigaIcs(lunga);
        QVERIFY(piegata.endsWith("\r\n"));
        const QList<QByteArray> pezzi = piegata.chopped(2).split('\n');
        QVERIFY(pezzi.size() >= 3);
        QByteArray unita;
        for (int i = 0; i < pezzi.size(); ++i) {
            QByteArray p = pezzi[i];
            if (i < pezzi.size() - 1) {
                QVERIFY(p.endsWith('\r'));
                p.chop(1);
            }
            QVERIFY2(p.size() <= 75, p.constData());
            if (i > 0) {
                QVERIFY(p.startsWith(' '));
                p.remove(0, 1);
            }
            QVERIFY(QString::fromUtf8(p).toUtf8() == p); // whole characters only
            unita += p;
        }
        QCOMPARE(QString::fromUtf8(unita), lunga);

        // Thirty-character names full of commas and semicolons, through the whole file.
        const QStringList nomi = {QStringLiteral("Volley, Club; Sant'Ilario d'È,"), QStringLiteral("A;B;C;D;E;F;G;H;I;J;K;L;M;N;O"),
                                  QStringLiteral("Città, Università, Comunità, ,"), QStringLiteral("\\\\ Strana \\n Squadra")};
        Calendario(nomi);
        OpzioniIcs o;
        o.annata = QStringLiteral("2024/2025; \"invernale\"");
        o.categoria = QStringLiteral("Under 18, femminile");
        const CalendarioIcs ics = ComponiIcs(LeggiCalendario(), {{1, {QDate(2024, 10, 12), QStringLiteral("09:00")}}}, o);
        for (const QByteArray &riga : ics.testo.split('\n')) {
            QVERIFY(riga.isEmpty() || riga.endsWith('\r'));
            QVERIFY2(riga.size() <= 76, riga.constData());
        }
        const QList<Evento> l = eventi(ics.testo);
        QCOMPARE(l.size(), 2);
        QCOMPARE(l[0].sommario, nomi[0] + QStringLiteral(" - ") + nomi[3]);
        QCOMPARE(l[1].sommario, nomi[1] + QStringLiteral(" - ") + nomi[2]);
        QCOMPARE(l[0].descrizione, QStringLiteral("Giornata 1 - Under 18, femminile - 2024/2025; \"invernale\""));
        QCOMPARE(NomeFileIcs(QStringLiteral("2024/2025")), QStringLiteral("Calendario 2024-2025.ics"));
        QCOMPARE(NomeFileIcs(QStringLiteral("a\\b:c")), QStringLiteral("Calendario a-b-c.ics"));
    }

    void theFormWritesTheFileWholeOrNotAtAll()
    {
        Calendario(Quattro);
        Impostazione("ANNATA", QStringLiteral("2024/2025"));
        Impostazione("CATEGORIA", QStringLiteral("Serie C"));
        Impostazione("SQUADRAPREFERITA", QStringLiteral("Dervio"));
        SalvaDateGiornate({{1, {QDate(2024, 10, 12), {}}}, {2, {QDate(2024, 10, 19), {}}}});

        QString suggerito;
        QString scelto;
        const TFrmDateGiornate::DomandaFile originale = TFrmDateGiornate::DomandaFileIcs();
        TFrmDateGiornate::DomandaFileIcs() = [&](QWidget *, const QString &s) {
            suggerito = s;
            return scelto;
        };
        TFrmDateGiornate form;
        auto *solo = Figlio<QCheckBox>(&form, "CHKsolo");
        QVERIFY(solo->isChecked());
        QVERIFY(solo->text().endsWith(QStringLiteral("Dervio")));

        // Cancelled: nothing written, nothing said.
        Figlio<QPushButton>(&form, "BTSesporta")->click();
        QCOMPARE(QFileInfo(suggerito).fileName(), QStringLiteral("Calendario 2024-2025.ics"));
        QCOMPARE(program->boxes.count(), 0);

        scelto = CartellaProgramma() + QStringLiteral("uscita.ics");
        Figlio<QPushButton>(&form, "BTSesporta")->click();
        QCOMPARE(program->boxes.last().icona, IconaMessaggio::Informazione);
        QVERIFY(program->boxes.last().testo.contains(QStringLiteral("Esportate 2 partite")));
        QVERIFY(program->boxes.last().testo.contains(QStringLiteral("Giornate senza data, non esportate: 4 (3, 4, 5, 6)")));
        QFile f(scelto);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(eventi(f.readAll()).size(), 2);
        f.close();

        // Every match when the choice is off.
        solo->setChecked(false);
        Figlio<QPushButton>(&form, "BTSesporta")->click();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(eventi(f.readAll()).size(), 4);
        f.close();
        const QByteArray buono = [&] {
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        f.close();

        // A folder where the file should be, a folder that does not exist: a clear error, no file.
        for (const QString &cattivo : {CartellaProgramma() + QStringLiteral("cartella.ics"),
                                       CartellaProgramma() + QStringLiteral("manca/dentro.ics")}) {
            QDir().mkpath(CartellaProgramma() + QStringLiteral("cartella.ics"));
            scelto = cattivo;
            program->boxes.clear();
            Figlio<QPushButton>(&form, "BTSesporta")->click();
            QCOMPARE(program->boxes.count(), 1);
            QCOMPARE(program->boxes.last().icona, IconaMessaggio::Errore);
            QVERIFY(program->boxes.last().testo.contains(QStringLiteral("non è stato esportato")));
            QVERIFY(QFileInfo(CartellaProgramma() + QStringLiteral("cartella.ics")).isDir());
            QVERIFY(!QFileInfo::exists(CartellaProgramma() + QStringLiteral("manca")));
        }
        // The good file is still whole, and no temporary file is left beside it.
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), buono);
        QCOMPARE(QDir(CartellaProgramma()).entryList({QStringLiteral("uscita*")}, QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("uscita.ics")});

        // No dated match: said, and no file.
        SalvaDateGiornate({});
        TFrmDateGiornate senza;
        scelto = CartellaProgramma() + QStringLiteral("vuoto.ics");
        program->boxes.clear();
        Figlio<QPushButton>(&senza, "BTSesporta")->click();
        QCOMPARE(program->boxes.last().icona, IconaMessaggio::Attenzione);
        QVERIFY(!QFileInfo::exists(scelto));
        TFrmDateGiornate::DomandaFileIcs() = originale;
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestCalendarioIcs)
#include "test_calendarioics.moc"
