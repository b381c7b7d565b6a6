#include "crash_salvataggi.h"

#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "championship/rinomina.h"
#include "championship/risultato.h"
#include "championship/salvarisultati.h"
#include "core/cartella.h"
#include "core/copiaatomica.h"
#include "utilities/recuperotabelle.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/crashvfs.h"
#include "support/scriptedmessages.h"
#include "ui/modale.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>

using store::Table;

namespace {

QString campo(const char *prefisso, int k) { return QLatin1String(prefisso) + QString::number(k); }

QStringList nomiSquadre(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << (i % 3 == 0 ? QStringLiteral("L'Aquila %1").arg(i) : QStringLiteral("Squadra %1").arg(i));
    return out;
}

// A round robin by the circle method: the first-leg matchdays, each as its 20 caselle; with an odd
// number of teams the resting team takes slot n and its partner slot stays empty.
QList<QStringList> andata(const QStringList &teams)
{
    QStringList ring = teams;
    const bool dispari = ring.size() % 2 != 0;
    if (dispari)
        ring << QString();
    const int m = int(ring.size());
    QList<QStringList> giornate;
    for (int r = 0; r < m - 1; ++r) {
        QStringList caselle(20);
        int slot = 0;
        QString riposa;
        for (int i = 0; i < m / 2; ++i) {
            const QString a = ring[i], b = ring[m - 1 - i];
            if (a.isEmpty() || b.isEmpty()) {
                riposa = a.isEmpty() ? b : a;
                continue;
            }
            caselle[slot++] = r % 2 ? b : a;
            caselle[slot++] = r % 2 ? a : b;
        }
        if (dispari)
            caselle[int(teams.size()) - 1] = riposa;
        giornate << caselle;
        ring.insert(1, ring.takeLast());
    }
    return giornate;
}

QStringList ritorno(const QStringList &caselle, int n)
{
    QStringList out = caselle;
    for (int p = 0; p + 1 < n; p += 2)
        std::swap(out[p], out[p + 1]);
    return out;
}

void scriviImpostazioni(int n, int g)
{
    Table impostazioni(QStringLiteral("impostazioni.db"));
    impostazioni.open();
    impostazioni.first();
    impostazioni.edit();
    impostazioni.fieldByName(QStringLiteral("ANNATA")).setAsString(QStringLiteral("2026/2027"));
    impostazioni.fieldByName(QStringLiteral("CATEGORIA")).setAsString(QStringLiteral("Serie C"));
    impostazioni.fieldByName(QStringLiteral("SQUADRAPREFERITA")).setAsString(nomiSquadre(n).first());
    impostazioni.fieldByName(QStringLiteral("NGIORNATE")).setAsInteger(g);
    impostazioni.fieldByName(QStringLiteral("NSQUADRE")).setAsInteger(n);
    impostazioni.post();
}

// Settings, teams and standings as the calendar builder leaves them.
int scriviSquadre(int n)
{
    const QStringList teams = nomiSquadre(n);
    const int g = 2 * int(andata(teams).size());
    scriviImpostazioni(n, g);
    Table squadre(QStringLiteral("squadre.db"));
    Table classifica(QStringLiteral("Class.db"));
    squadre.open();
    classifica.open();
    store::Transaction transazione;
    for (const QString &t : teams) {
        squadre.append();
        squadre.fieldByName(QStringLiteral("Squadre")).setAsString(t);
        squadre.post();
        classifica.append();
        classifica.fieldByName(QStringLiteral("Squadre")).setAsString(t);
        classifica.fieldByName(QStringLiteral("Punti")).setAsInteger(0);
        classifica.post();
    }
    transazione.commit();
    return g;
}

// The whole calendar, in the composer's order (1, 1 + g/2, 2, 2 + g/2, ...).
void scriviCalendario(int n)
{
    const QList<QStringList> giornate = andata(nomiSquadre(n));
    const int meta = int(giornate.size());
    Table t(QStringLiteral("giornate.db"));
    t.open();
    store::Transaction transazione;
    for (int k = 0; k < meta; ++k) {
        for (int gamba = 0; gamba < 2; ++gamba) {
            const QStringList caselle = gamba ? ritorno(giornate[k], n) : giornate[k];
            t.append();
            t.fieldByName(QStringLiteral("Giornata")).setAsInteger(k + 1 + gamba * meta);
            for (int s = 1; s <= 20; ++s)
                t.fieldByName(campo("Squadra", s)).setAsString(caselle[s - 1]);
            t.fieldByName(QStringLiteral("Giocata")).setAsBoolean(false);
            t.post();
        }
    }
    transazione.commit();
}

// Results of one matchday through the program's own save; the sets vary with the match.
void giocaGiornata(int giornata, int n)
{
    static const char *const esiti[][2] = {{"3", "0"}, {"1", "3"}, {"3", "2"}, {"2", "3"}, {"3", "1"}, {"*", "*"}};
    Table giornate(QStringLiteral("giornate.db"));
    giornate.open();
    if (!giornate.locate(QStringLiteral("Giornata"), giornata))
        throw store::EngineError(QStringLiteral("giornata %1 assente").arg(giornata));
    RisultatiGiornata r;
    for (int k = 1; k <= RisultatiGiornata::Campi; ++k) {
        r.squadre[size_t(k - 1)] = giornate.fieldByName(campo("Squadra", k)).asString();
        r.aperto[size_t(k - 1)] = k <= n;
    }
    for (int coppia = 1; coppia <= 10; ++coppia) {
        const size_t primo = size_t(2 * coppia - 2);
        const auto &esito = esiti[(coppia + giornata) % 6];
        if (!r.aperto[primo + 1]) {
            if (r.aperto[primo]) {
                r.riposo = r.squadre[primo];
                r.set[primo] = QStringLiteral("*");
            }
            continue;
        }
        r.set[primo] = QLatin1String(esito[0]);
        r.set[primo + 1] = QLatin1String(esito[1]);
    }
    SalvaRisultati(giornate, r);
}

// Every table, row by row, as text: equal snapshots mean equal tables.
using Fotografia = QMap<QString, QStringList>;

Fotografia fotografia()
{
    Fotografia out;
    for (const store::TableDeclaration &d : TabelleProgramma()) {
        Table t(d.fileName);
        t.open();
        QStringList rows;
        for (t.first(); !t.eof(); t.next()) {
            QStringList values;
            for (int i = 0; i < t.fieldCount(); ++i)
                values << t.field(i).asString();
            rows << values.join(QChar(0x1f));
        }
        out.insert(d.fileName, rows);
    }
    return out;
}

// The folder with its subfolders (the backups live in one).
void copiaCartella(const QString &from, const QString &to, bool svuota = true)
{
    if (svuota)
        QDir(to).removeRecursively();
    QDir().mkpath(to);
    const QStringList files = QDir(from).entryList(QDir::Files | QDir::Hidden);
    // Read and written whole: QFile::copy syncs every file to disk, which only costs time here.
    for (const QString &f : files) {
        QFile in(from + QLatin1Char('/') + f);
        QFile out(to + QLatin1Char('/') + f);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) || out.write(in.readAll()) != in.size())
            throw store::EngineError(QStringLiteral("copia di %1 non riuscita").arg(f));
    }
    const QStringList folders = QDir(from).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &d : folders)
        copiaCartella(from + QLatin1Char('/') + d, to + QLatin1Char('/') + d, false);
}

// What the main window does at start before anything reads a table.
void avvio()
{
    CompletaRecuperoInterrotto(CartellaProgramma());
    CreaTabellaEsportazione();
    CreaTabelle();
}

// The start as the program makes it, then what it must find. Empty when all is well.
QString controllaAvvio(const Fotografia &prima, const Fotografia &dopo, bool *danneggiato)
{
    *danneggiato = false;
    ScriptedMessages boxes;
    avvio();
    if (boxes.count() > 0) {
        *danneggiato = true;
        return QStringLiteral("box at start: ") + boxes.texts().join(QStringLiteral(" / "));
    }
    store::Database &db = store::Database::instance();
    for (const store::TableDeclaration &d : TabelleProgramma()) {
        QString why;
        if (!db.checkIntegrity(d.fileName, &why)) {
            *danneggiato = true;
            return d.fileName + QStringLiteral(" damaged: ") + why;
        }
    }
    const QStringList rimasti =
        QDir(CartellaProgramma())
            .entryList({QStringLiteral("*-journal"), QStringLiteral("*-mj*"), QLatin1Char('*') + QLatin1String(SuffissoCopiaRecupero),
                        QLatin1Char('*') + QLatin1String(SuffissoCopiaSicurezza), QLatin1String(SegnoRecuperoInCorso)},
                       QDir::Files | QDir::Hidden);
    if (!rimasti.isEmpty()) {
        *danneggiato = true;
        return QStringLiteral("files left: ") + rimasti.join(QLatin1Char(' '));
    }
    const Fotografia ora = fotografia();
    if (ora != prima && ora != dopo) {
        QStringList diverse;
        for (auto it = ora.cbegin(); it != ora.cend(); ++it)
            diverse << QStringLiteral("%1 %2").arg(it.key(), it.value() == prima.value(it.key())  ? QStringLiteral("before")
                                                             : it.value() == dopo.value(it.key()) ? QStringLiteral("after")
                                                                                                   : QStringLiteral("neither"));
        return QStringLiteral("tables between the two states: ") + diverse.join(QStringLiteral(", "));
    }
    QString why;
    if (!ClassificaCoerente(&why))
        return QStringLiteral("standings: ") + why;
    return QString();
}

// Runs the save in a child on the given folder; see crashvfs::runInChild.
long eseguiFiglio(const SalvataggioProva &s, const QString &folder, long killAt)
{
    return crashvfs::runInChild([&] {
        ImpostaCartellaProgramma(folder);
        ScriptedMessages boxes;
        s.salva(killAt);
    });
}

Fotografia fotografiaDi(const QString &folder)
{
    ImpostaCartellaProgramma(folder);
    ScriptedMessages boxes;
    avvio();
    const Fotografia f = fotografia();
    store::Database::shutdown();
    return f;
}

} // namespace

void PreparaCampionato(int squadre, int giocate)
{
    scriviSquadre(squadre);
    scriviCalendario(squadre);
    for (int k = 1; k <= giocate; ++k)
        giocaGiornata(k, squadre);
}

void GiocaGiornata(int giornata, int squadre) { giocaGiornata(giornata, squadre); }

QString NomeSquadra(int squadre, int k) { return nomiSquadre(squadre).at(k - 1); }

bool ClassificaCoerente(QString *why)
{
    struct Riga {
        int punti = 0, vinti = 0, persi = 0, giocati = 0;
        bool riposo = false;
        bool operator==(const Riga &) const = default;
    };
    QMap<QString, Riga> attesa;
    {
        Table classifica(QStringLiteral("Class.db"));
        classifica.open();
        for (classifica.first(); !classifica.eof(); classifica.next())
            attesa.insert(classifica.fieldByName(QStringLiteral("Squadre")).asString(), Riga());
    }
    Table giornate(QStringLiteral("giornate.db"));
    giornate.open();
    for (giornate.first(); !giornate.eof(); giornate.next()) {
        if (!giornate.fieldByName(QStringLiteral("Giocata")).asBoolean())
            continue;
        for (int p = 1; p <= 10; ++p) {
            const QString a = giornate.fieldByName(campo("Squadra", 2 * p - 1)).asString();
            const QString b = giornate.fieldByName(campo("Squadra", 2 * p)).asString();
            if (!a.isEmpty() && b.isEmpty()) {
                attesa[a].riposo = true;
                continue;
            }
            const QString sa = giornate.fieldByName(campo("Set", 2 * p - 1)).asString();
            const QString sb = giornate.fieldByName(campo("Set", 2 * p)).asString();
            if (a.isEmpty() || sa == QLatin1String("*") || sa.isEmpty())
                continue;
            for (auto [squadra, propri, avversari] : {std::tuple{a, sa, sb}, std::tuple{b, sb, sa}}) {
                Riga &r = attesa[squadra];
                r.punti += PuntiRisultato(propri, avversari);
                r.vinti += propri.toInt();
                r.persi += avversari.toInt();
                r.giocati += propri.toInt() + avversari.toInt();
            }
        }
    }
    Table classifica(QStringLiteral("Class.db"));
    classifica.open();
    QMap<QString, Riga> trovata;
    for (classifica.first(); !classifica.eof(); classifica.next()) {
        Riga r;
        r.punti = classifica.fieldByName(QStringLiteral("Punti")).asInteger();
        r.vinti = classifica.fieldByName(QStringLiteral("SetV")).asInteger();
        r.persi = classifica.fieldByName(QStringLiteral("SetP")).asInteger();
        r.giocati = classifica.fieldByName(QStringLiteral("SetG")).asInteger();
        r.riposo = classifica.fieldByName(QStringLiteral("Riposo")).asBoolean();
        trovata.insert(classifica.fieldByName(QStringLiteral("Squadre")).asString(), r);
    }
    if (trovata == attesa)
        return true;
    if (why) {
        QStringList diverse;
        for (auto it = attesa.cbegin(); it != attesa.cend(); ++it) {
            const Riga f = trovata.value(it.key());
            if (!(f == it.value()))
                diverse << QStringLiteral("%1: %2 points instead of %3").arg(it.key()).arg(f.punti).arg(it->punti);
        }
        *why = diverse.join(QStringLiteral("; "));
    }
    return false;
}

QList<SalvataggioProva> SalvataggiTraTabelle(int n, int giornata)
{
    QList<SalvataggioProva> out;

    out << SalvataggioProva{
        QStringLiteral("results save"),
        [n, giornata] {
            scriviSquadre(n);
            scriviCalendario(n);
            for (int k = 1; k < giornata; ++k)
                giocaGiornata(k, n);
        },
        [n, giornata](long killAt) {
            crashvfs::begin(killAt);
            giocaGiornata(giornata, n);
            crashvfs::end();
        }};

    // A new championship over one with played matchdays: settings, teams, standings and the
    // emptied calendar land together.
    out << SalvataggioProva{QStringLiteral("calendar builder save"),
                            [n] {
                                scriviSquadre(n);
                                scriviCalendario(n);
                                giocaGiornata(1, n);
                            },
                            [n](long killAt) {
                                TFrmGiornata composer;
                                FrmGiornata = &composer;
                                TFrmCalendario builder;
                                FrmCalendario = &builder;
                                setModalBackend([](QDialog &) { return 0; });
                                const int m = n < 20 ? n + 1 : n - 1;
                                builder.EDTnSQ->setText(QString::number(m));
                                builder.EDTnGIORN->setText(QString::number(2 * (m - 1 + m % 2)));
                                builder.EDTmySQ->setText(QStringLiteral("Nuova 1"));
                                builder.ButSalva->click();
                                for (int i = 1; i < m; ++i)
                                    builder.SQ[i]->setText(QStringLiteral("Nuova %1").arg(i + 1));
                                crashvfs::begin(killAt);
                                builder.BTMsquadreClick();
                                crashvfs::end();
                                setModalBackend(nullptr);
                                FrmCalendario = nullptr;
                                FrmGiornata = nullptr;
                            }};

    // The second matchday and its return leg, after the first one was stored.
    out << SalvataggioProva{QStringLiteral("composer matchday store"), [n] { scriviSquadre(n); },
                            [n](long killAt) {
                                TFrmCalendario builder;
                                FrmCalendario = &builder;
                                builder.EDTnGIORN->setText(QString::number(2 * int(andata(nomiSquadre(n)).size())));
                                TFrmGiornata composer;
                                FrmGiornata = &composer;
                                composer.show();
                                const QList<QStringList> giornate = andata(nomiSquadre(n));
                                for (int k = 0; k < 2; ++k) {
                                    for (int s = 1; s <= n; ++s) {
                                        composer.BoxEnter(s);
                                        composer.ScegliSquadra(s, giornate[k][s - 1]);
                                        composer.BoxExit(s);
                                    }
                                    if (k == 1)
                                        crashvfs::begin(killAt);
                                    composer.BTMpost->click();
                                }
                                crashvfs::end();
                                composer.hide();
                                FrmCalendario = nullptr;
                                FrmGiornata = nullptr;
                            }};

    // Every match of the played matchday corrected at once: a 3-0 becomes 2-3, any other result
    // its reverse, so each correction takes one result off the standings and adds another.
    out << SalvataggioProva{QStringLiteral("results correction"),
                            [n, giornata] {
                                scriviSquadre(n);
                                scriviCalendario(n);
                                for (int k = 1; k <= giornata; ++k)
                                    giocaGiornata(k, n);
                            },
                            [n, giornata](long killAt) {
                                QList<Correzione> correzioni;
                                {
                                    Table giornate(QStringLiteral("giornate.db"));
                                    giornate.open();
                                    if (!giornate.locate(QStringLiteral("Giornata"), giornata))
                                        throw store::EngineError(QStringLiteral("giornata %1 assente").arg(giornata));
                                    for (int p = 1; 2 * p <= n; ++p) {
                                        const QString a = giornate.fieldByName(campo("Set", 2 * p - 1)).asString();
                                        const QString b = giornate.fieldByName(campo("Set", 2 * p)).asString();
                                        if (giornate.fieldByName(campo("Squadra", 2 * p)).asString().isEmpty())
                                            continue;
                                        if (a == QLatin1String("3") && b == QLatin1String("0"))
                                            correzioni << Correzione{p, QStringLiteral("2"), QStringLiteral("3")};
                                        else if (a == QLatin1String("*") || a.isEmpty())
                                            correzioni << Correzione{p, QStringLiteral("3"), QStringLiteral("1")};
                                        else
                                            correzioni << Correzione{p, b, a};
                                    }
                                }
                                crashvfs::begin(killAt);
                                CorreggiRisultati(giornata, correzioni);
                                crashvfs::end();
                            }};

    // A team renamed in the team list, the standings and every matchday, over played matchdays;
    // the name and the new one carry an apostrophe.
    out << SalvataggioProva{QStringLiteral("team rename"),
                            [n] {
                                scriviSquadre(n);
                                scriviCalendario(n);
                                giocaGiornata(1, n);
                            },
                            [n](long killAt) {
                                crashvfs::begin(killAt);
                                RinominaSquadra(nomiSquadre(n).at(2), QStringLiteral("Sant'Elia Volley"));
                                crashvfs::end();
                            }};
    return out;
}

EsitoProva ProvaOgniPasso(const SalvataggioProva &s, const QString &work, long stride, crashvfs::Cut taglio)
{
    crashvfs::install();
    crashvfs::setCut(crashvfs::Cut::Kill);
    EsitoProva esito;
    const QString modello = work + QStringLiteral("/prima");
    QDir().mkpath(modello);
    {
        ImpostaCartellaProgramma(modello);
        ScriptedMessages boxes;
        CreaTabellaEsportazione();
        CreaTabelle();
        s.prepara();
        store::Database::shutdown();
    }
    // The state just before the save (the child stops where counting would begin), and after it.
    const QString prova = work + QStringLiteral("/prova");
    copiaCartella(modello, prova);
    if (eseguiFiglio(s, prova, -1) != 0) {
        esito.dettagli << QStringLiteral("%1: the save cannot be prepared").arg(s.nome);
        ++esito.incoerenti;
        return esito;
    }
    const Fotografia prima = fotografiaDi(prova);
    copiaCartella(modello, prova);
    esito.passi = eseguiFiglio(s, prova, 0);
    if (esito.passi <= 0) {
        esito.dettagli << QStringLiteral("%1: the save fails without a kill").arg(s.nome);
        ++esito.incoerenti;
        return esito;
    }
    Fotografia dopo = fotografiaDi(prova);
    // What the save itself leaves, which a power cut right after it must find whole.
    const Fotografia finale = dopo;
    if (s.senzaGuasto) {
        if (dopo != prima) {
            esito.dettagli << QStringLiteral("%1: the failed save does not put everything back").arg(s.nome);
            ++esito.incoerenti;
            return esito;
        }
        SalvataggioProva riuscito = s;
        riuscito.salva = s.senzaGuasto;
        copiaCartella(modello, prova);
        if (eseguiFiglio(riuscito, prova, 0) <= 0) {
            esito.dettagli << QStringLiteral("%1: the save fails without a kill or a failure").arg(s.nome);
            ++esito.incoerenti;
            return esito;
        }
        dopo = fotografiaDi(prova);
    }
    if (prima == dopo) {
        esito.dettagli << QStringLiteral("%1: the save changes nothing").arg(s.nome);
        ++esito.incoerenti;
        return esito;
    }

    crashvfs::setCut(taglio);
    const long ultimo = taglio == crashvfs::Cut::PowerLoss ? esito.passi + 1 : esito.passi;
    for (long passo = 1; passo <= ultimo; passo += stride) {
        copiaCartella(modello, prova);
        const long r = eseguiFiglio(s, prova, passo);
        ++esito.provati;
        if (r != -1) {
            esito.dettagli << QStringLiteral("%1, step %2: the child was not killed (%3)").arg(s.nome).arg(passo).arg(r);
            ++esito.incoerenti;
            continue;
        }
        ImpostaCartellaProgramma(prova);
        bool danneggiato = false;
        const bool dopoIlSalvataggio = passo > esito.passi;
        const QString errore = dopoIlSalvataggio ? controllaAvvio(finale, finale, &danneggiato)
                                                 : controllaAvvio(prima, dopo, &danneggiato);
        store::Database::shutdown();
        if (errore.isEmpty())
            continue;
        (danneggiato ? esito.danneggiati : esito.incoerenti)++;
        esito.dettagli << QStringLiteral("%1, %2 %3 of %4: %5")
                              .arg(s.nome, taglio == crashvfs::Cut::PowerLoss ? QStringLiteral("power cut at step")
                                                                               : QStringLiteral("step"))
                              .arg(passo)
                              .arg(esito.passi)
                              .arg(errore);
    }
    crashvfs::setCut(crashvfs::Cut::Kill);
    ImpostaCartellaProgramma(QString());
    return esito;
}
