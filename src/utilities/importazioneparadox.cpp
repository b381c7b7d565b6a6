#include "utilities/importazioneparadox.h"

#include "core/cartella.h"
#include "core/attesa.h"
#include "core/copiaatomica.h"
#include "core/messaggi.h"
#include "store/consegnatabelle.h"
#include "paradox/tabellaparadox.h"
#include "store/database.h"
#include "store/impostazioni.h"
#include "store/istruzionicreazione.h"
#include "store/tabelle.h"
#include "store/verificatabella.h"
#include "utilities/recuperotabelle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <optional>
#include <sqlite3.h>

using namespace paradox;

namespace {

const QString NomeLingua = QStringLiteral("lingua.db");
const QString NomeImpostazioni = QStringLiteral("impostazioni.db");

// The file of that name in the folder, whatever its case; empty when there is none.
QString fileNellaCartella(const QString &cartella, const QString &nome)
{
    const QStringList presenti = QDir(cartella).entryList(QDir::Files | QDir::Hidden);
    for (const QString &p : presenti)
        if (p.compare(nome, Qt::CaseInsensitive) == 0)
            return p;
    return QString();
}

bool compatibile(store::FieldType tipo, unsigned char px)
{
    switch (tipo) {
    case store::FieldType::Text:
    case store::FieldType::Memo:
        return px == Alfa || px == MemoBlob || px == MemoFormattato;
    case store::FieldType::Integer:
        return px == Corto || px == Lungo || px == Autoincremento || px == Numero || px == Valuta;
    case store::FieldType::Logical:
        return px == Logico;
    case store::FieldType::Date:
        return px == Data;
    }
    return false;
}

// For each declared field, the Paradox field it is read from; -1 when it is imported empty.
QList<int> corrispondenze(const store::TableDeclaration &d, const TabellaParadox &t)
{
    QList<int> indici;
    for (const store::FieldDef &f : d.fields) {
        const int i = t.indiceCampo(f.name);
        indici << (i >= 0 && compatibile(f.type, t.campi()[i].tipo) ? i : -1);
    }
    return indici;
}

std::optional<store::TableDeclaration> dichiarazione(const QString &nome)
{
    for (const store::TableDeclaration &d : TabelleProgramma())
        if (d.fileName.compare(nome, Qt::CaseInsensitive) == 0)
            return d;
    return std::nullopt;
}

// The language of the live settings, read from their file without the engine (the tables are handed
// over); nothing when the file is missing, is not one of our tables or names no language.
std::optional<Lingua> linguaAttuale(const QString &programma)
{
    const QString file = fileNellaCartella(programma, NomeImpostazioni);
    if (file.isEmpty())
        return std::nullopt;
    sqlite3 *db = nullptr;
    QString lingua;
    if (sqlite3_open_v2((programma + file).toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT \"LINGUA\" FROM main.dati LIMIT 1", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) == SQLITE_TEXT)
            lingua = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return LinguaDaTesto(lingua);
}

// One value of a Paradox row as the declared field stores it, or why it does not fit.
struct Convertito {
    std::optional<QVariant> valore;
    QString perche;
};
Convertito converti(const store::FieldDef &f, const QVariant &v)
{
    const auto nonEntra = [](const QString &perche) { return Convertito{std::nullopt, perche}; };
    if (!v.isValid())
        return {QVariant(), QString()};
    switch (f.type) {
    case store::FieldType::Text:
    case store::FieldType::Memo: {
        const QString testo = v.toString();
        if (testo.isEmpty())
            return {QVariant(), QString()};
        if (f.type == store::FieldType::Text && f.size > 0 && testo.size() > f.size)
            return nonEntra(
                QStringLiteral("il testo \"%1\" del campo %2 supera i %3 caratteri").arg(testo, f.name).arg(f.size));
        return {QVariant(testo), QString()};
    }
    case store::FieldType::Integer: {
        if (v.typeId() == QMetaType::Double) {
            const double d = v.toDouble();
            if (!std::isfinite(d) || d != std::floor(d) || d < -2147483647.0 || d > 2147483647.0)
                return nonEntra(QStringLiteral("il valore %1 del campo %2 non è un numero intero").arg(d).arg(f.name));
            return {QVariant(qlonglong(d)), QString()};
        }
        return {QVariant(qlonglong(v.toLongLong())), QString()};
    }
    case store::FieldType::Logical:
        return {QVariant(qlonglong(v.toBool() ? 1 : 0)), QString()};
    case store::FieldType::Date: {
        // Stored as the engine stores a date: its ISO text.
        const QDate data = v.toDate();
        return {data.isValid() ? QVariant(data.toString(Qt::ISODate)) : QVariant(), QString()};
    }
    }
    return {QVariant(), QString()};
}

void lega(sqlite3_stmt *st, int indice, const QVariant &v, QList<QByteArray> &testi)
{
    if (!v.isValid())
        sqlite3_bind_null(st, indice);
    else if (v.typeId() == QMetaType::QString) {
        testi << v.toString().toUtf8();
        sqlite3_bind_text(st, indice, testi.last().constData(), int(testi.last().size()), SQLITE_STATIC);
    } else
        sqlite3_bind_int64(st, indice, v.toLongLong());
}

// Writes the Paradox table's rows into a new table file of ours; the error text when it fails.
std::optional<QString> scriviTabella(TabellaParadox &px, const store::TableDeclaration &d, const QString &destinazione,
                      std::optional<Lingua> lingua, qint64 &scritte)
{
    const QList<int> indici = corrispondenze(d, px);
    const bool impostazioni = d.fileName == NomeImpostazioni;
    sqlite3 *db = nullptr;
    QString errore;
    auto sql = [&](const QString &testo) {
        if (!errore.isEmpty())
            return;
        char *messaggio = nullptr;
        if (sqlite3_exec(db, testo.toUtf8().constData(), nullptr, nullptr, &messaggio) != SQLITE_OK)
            errore = QString::fromUtf8(messaggio ? messaggio : sqlite3_errmsg(db));
        sqlite3_free(messaggio);
    };
    if (sqlite3_open_v2(destinazione.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        errore = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return errore;
    }
    // A file of the work folder is thrown away when anything fails, and the swap copies it to disk
    // itself: it needs neither a journal nor syncs of its own.
    sql(QStringLiteral("PRAGMA journal_mode = OFF"));
    sql(QStringLiteral("PRAGMA synchronous = OFF"));
    for (const QString &s : store::createStatements(d))
        sql(s);
    sql(QStringLiteral("BEGIN"));
    QStringList colonne;
    QStringList segnaposto;
    for (int i = 0; i < d.fields.size(); ++i) {
        colonne << QLatin1Char('"') + QString(d.fields[i].name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                       QLatin1Char('"');
        segnaposto << QStringLiteral("?%1").arg(i + 1);
    }
    sqlite3_stmt *st = nullptr;
    if (errore.isEmpty() &&
        sqlite3_prepare_v2(db,
                           QStringLiteral("INSERT INTO main.dati (%1) VALUES (%2)")
                               .arg(colonne.join(QLatin1Char(',')), segnaposto.join(QLatin1Char(',')))
                               .toUtf8()
                               .constData(),
                           -1, &st, nullptr) != SQLITE_OK)
        errore = QString::fromUtf8(sqlite3_errmsg(db));
    scritte = 0;
    if (errore.isEmpty()) {
        const bool letto = px.leggi([&](const QList<QVariant> &riga) {
            QList<QByteArray> testi;
            sqlite3_reset(st);
            for (int i = 0; i < d.fields.size(); ++i) {
                QVariant v = indici[i] >= 0 ? riga[indici[i]] : QVariant();
                if (impostazioni && d.fields[i].name == QLatin1String("LINGUA") && !LinguaDaTesto(v.toString()))
                    v = TestoLingua(lingua.value_or(Lingua::Italiano));
                const Convertito c = converti(d.fields[i], v);
                if (!c.valore) {
                    errore = QStringLiteral("riga %1: %2").arg(scritte + 1).arg(c.perche);
                    return false;
                }
                lega(st, i + 1, *c.valore, testi);
            }
            if (sqlite3_step(st) != SQLITE_DONE) {
                errore = QStringLiteral("riga %1: %2").arg(scritte + 1).arg(QString::fromUtf8(sqlite3_errmsg(db)));
                return false;
            }
            ++scritte;
            return true;
        });
        if (!letto && errore.isEmpty())
            errore = px.errore();
    }
    sqlite3_finalize(st);
    sql(QStringLiteral("COMMIT"));
    sqlite3_close(db);
    if (errore.isEmpty())
        return std::nullopt;
    return errore;
}

} // namespace

QList<TabellaParadoxTrovata> EsaminaCartellaParadox(const QString &cartella)
{
    QList<TabellaParadoxTrovata> elenco;
    for (const store::TableDeclaration &d : TabelleProgramma()) {
        TabellaParadoxTrovata t;
        t.nome = d.fileName;
        t.importata = d.fileName != NomeLingua;
        t.file = fileNellaCartella(cartella, d.fileName);
        if (!t.file.isEmpty()) {
            const QString percorso = cartella + t.file;
            t.paradox = EFileParadox(percorso);
            TabellaParadox px;
            if (!t.paradox) {
                t.errore = QStringLiteral("non è una tabella Paradox");
            } else if (!px.apri(percorso)) {
                t.errore = px.errore();
            } else {
                t.righe = px.intestazione().numeroRecord;
                const QList<int> indici = corrispondenze(d, px);
                for (int i = 0; i < d.fields.size(); ++i)
                    if (indici[i] < 0)
                        t.mancanti << d.fields[i].name;
                for (const CampoParadox &c : px.campi()) {
                    bool dichiarato = false;
                    for (const store::FieldDef &f : d.fields)
                        dichiarato = dichiarato || f.name.compare(c.nome, Qt::CaseInsensitive) == 0;
                    if (!dichiarato)
                        t.ignorati << c.nome;
                }
            }
        }
        elenco << t;
    }
    // The matchdays' dates belong to the calendar: a calendar imported without them leaves the
    // matchdays undated, as a restore does, and the list says so.
    const QString date = DichiarazioneDateGiornate().fileName;
    bool calendario = false;
    for (const TabellaParadoxTrovata &t : std::as_const(elenco))
        calendario = calendario || (t.nome == QLatin1String("giornate.db") && t.daImportare());
    for (TabellaParadoxTrovata &t : elenco)
        t.svuotata = calendario && t.nome == date && t.file.isEmpty();
    return elenco;
}

QString StatoTabellaParadox(const TabellaParadoxTrovata &t)
{
    if (t.svuotata)
        return QStringLiteral("%1: assente, le giornate importate restano senza date").arg(t.nome);
    if (t.file.isEmpty())
        return QStringLiteral("%1: assente, resta com'è").arg(t.nome);
    if (!t.importata)
        return QStringLiteral("%1: non viene importata (le traduzioni sono quelle del programma)").arg(t.nome);
    if (!t.paradox)
        return QStringLiteral("%1: il file non è una tabella Paradox").arg(t.nome);
    if (!t.errore.isEmpty())
        return QStringLiteral("%1: illeggibile").arg(t.nome);
    QString stato = QStringLiteral("%1: %2 righe").arg(t.nome).arg(t.righe);
    if (t.mancanti.isEmpty() && t.ignorati.isEmpty())
        stato += QStringLiteral(", campi corrispondenti");
    if (!t.mancanti.isEmpty())
        stato += QStringLiteral(", importati vuoti: %1").arg(t.mancanti.join(QStringLiteral(", ")));
    if (!t.ignorati.isEmpty())
        stato += QStringLiteral(", ignorati: %1").arg(t.ignorati.join(QStringLiteral(", ")));
    return stato;
}

void RimuoviImportazioneInterrotta(const QString &programma)
{
    const QString cartella = programma + QLatin1String(CartellaImportazione);
    const QFileInfo info(cartella);
    if (info.isSymLink() || info.isFile())
        QFile::remove(cartella);
    else if (info.isDir())
        QDir(cartella).removeRecursively();
}

EsitoImportazione ImportaTabelleParadox(const QString &cartella, const QStringList &soloTabelle,
                                        const std::function<void()> &passo)
{
    EsitoImportazione esito;
    auto avanza = [&] {
        if (passo)
            passo();
    };
    auto scelta = [&](const QString &nome) {
        if (soloTabelle.isEmpty())
            return true;
        for (const QString &s : soloTabelle)
            if (s.compare(nome, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };

    QList<TabellaParadoxTrovata> daImportare;
    QStringList illeggibili;
    for (const TabellaParadoxTrovata &t : EsaminaCartellaParadox(cartella)) {
        if (!scelta(t.nome) || !t.importata || t.file.isEmpty())
            continue;
        if (t.daImportare())
            daImportare << t;
        else
            illeggibili << QStringLiteral("\"%1\": %2").arg(cartella + t.file, t.errore);
    }
    if (!illeggibili.isEmpty()) {
        esito.errore = QStringLiteral("Alcuni file non si possono importare, perciò nessuna tabella è stata "
                                      "importata:\n") +
                       illeggibili.join(QLatin1Char('\n'));
        return esito;
    }
    if (daImportare.isEmpty()) {
        esito.errore = QStringLiteral("Nella cartella \"%1\" non ci sono tabelle Paradox da importare.").arg(cartella);
        return esito;
    }

    const QString programma = CartellaProgramma();
    const std::optional<Lingua> lingua = linguaAttuale(programma);
    RimuoviImportazioneInterrotta(programma);
    const QString appoggio = programma + QLatin1String(CartellaImportazione) + QLatin1Char('/');
    if (!QDir().mkpath(appoggio) || QFileInfo(appoggio).isSymLink()) {
        esito.errore = QStringLiteral("Impossibile creare la cartella \"%1\": nessuna tabella è stata importata.").arg(appoggio);
        return esito;
    }

    QStringList nomi;
    QString fallito;
    try {
        for (const TabellaParadoxTrovata &t : std::as_const(daImportare)) {
            avanza();
            TabellaParadox px;
            const QString origine = cartella + t.file;
            const std::optional<store::TableDeclaration> d = dichiarazione(t.nome);
            qint64 scritte = 0;
            QString errore;
            if (!px.apri(origine))
                errore = px.errore();
            else if (const std::optional<QString> e = scriviTabella(px, *d, appoggio + t.nome, lingua, scritte))
                errore = *e;
            if (errore.isEmpty()) {
                // The written table is checked whole, and must hold every row that was read.
                const store::EsitoVerifica verifica = store::VerificaTabella(appoggio + t.nome);
                if (!verifica.valida)
                    errore = verifica.motivo;
                else if (verifica.righe != scritte || scritte != px.intestazione().numeroRecord)
                    errore = QStringLiteral("la tabella scritta ha %1 righe invece di %2")
                                 .arg(verifica.righe)
                                 .arg(px.intestazione().numeroRecord);
            }
            if (!errore.isEmpty()) {
                fallito = errore.startsWith(QStringLiteral("Il file \"")) ? errore
                                                                         : QStringLiteral("\"%1\": %2").arg(origine, errore);
                break;
            }
            nomi << t.nome;
            store::Database::faultPoint(QStringLiteral("importazione: tabella scritta"));
        }
    } catch (const std::exception &) {
        fallito = QStringLiteral("l'importazione è stata interrotta");
    }
    if (!fallito.isEmpty()) {
        RimuoviImportazioneInterrotta(programma);
        esito.errore = QStringLiteral("Importazione non riuscita, nessuna tabella è stata cambiata:\n") + fallito;
        return esito;
    }

    const EsitoRecupero recupero = RecuperaTabelle(nomi, appoggio, passo);
    RimuoviImportazioneInterrotta(programma);
    esito.riuscito = recupero.riuscito;
    esito.importate = recupero.riuscito ? recupero.copiati : 0;
    if (!recupero.riuscito)
        esito.errore = QStringLiteral("Importazione non riuscita.\n") + recupero.errore;
    return esito;
}

QStringList TabelleParadoxInCartella(const QString &cartella)
{
    QStringList trovate;
    for (const store::TableDeclaration &d : TabelleProgramma()) {
        const QString file = fileNellaCartella(cartella, d.fileName);
        if (!file.isEmpty() && EFileParadox(cartella + file))
            trovate << d.fileName;
    }
    return trovate;
}

EsitoImportazione ImportaParadoxAllAvvio(const std::function<void()> &passo)
{
    const QString programma = CartellaProgramma();
    const QStringList trovate = TabelleParadoxInCartella(programma);
    EsitoImportazione esito;
    // The originals are kept first, each copy complete under its name before anything changes.
    QStringList originali;
    for (const QString &nome : trovate) {
        const QString file = fileNellaCartella(programma, nome);
        originali << file;
        const QString memo = fileNellaCartella(programma, QFileInfo(file).completeBaseName() + QStringLiteral(".mb"));
        if (!memo.isEmpty())
            originali << memo;
    }
    // Copies that an import which fails leaves behind would only say that it happened: the folder
    // is left as it was found (a copy kept from an earlier start stays).
    QStringList fatte;
    auto togliCopie = [&] {
        for (const QString &c : std::as_const(fatte))
            QFile::remove(c);
        SincronizzaCartella(programma);
    };
    for (const QString &file : std::as_const(originali)) {
        if (passo)
            passo();
        const QString copia = programma + file + QLatin1String(SuffissoOriginaleParadox);
        const bool cera = QFileInfo::exists(copia);
        if (!CopiaFileAtomica(programma + file, copia, false)) {
            togliCopie();
            esito.errore = QStringLiteral("Impossibile copiare \"%1\" in \"%2\": nessuna tabella è stata importata.")
                               .arg(programma + file, copia);
            return esito;
        }
        if (!cera)
            fatte << copia;
    }
    SincronizzaCartella(programma);
    QStringList tabelle = trovate;
    tabelle.removeIf([](const QString &t) { return t == NomeLingua; });
    if (!tabelle.isEmpty()) {
        esito = ImportaTabelleParadox(programma, tabelle, passo);
        if (!esito.riuscito) {
            togliCopie();
            return esito;
        }
    }
    // The Paradox translation table (kept as its copy) leaves its name to ours, and the memo files
    // of the tables now imported go too: their copies stay beside.
    for (const QString &file : std::as_const(originali)) {
        const bool lingua = file.compare(NomeLingua, Qt::CaseInsensitive) == 0;
        const bool memo = file.endsWith(QStringLiteral(".mb"), Qt::CaseInsensitive);
        if (lingua || memo)
            QFile::remove(programma + file);
    }
    SincronizzaCartella(programma);
    esito.riuscito = true;
    return esito;
}

bool OffriImportazioneAllAvvio()
{
    const QString programma = CartellaProgramma();
    RimuoviImportazioneInterrotta(programma);
    const QStringList trovate = TabelleParadoxInCartella(programma);
    if (trovate.isEmpty())
        return false;
    if (!ChiediConfermaDistruttiva(
            QStringLiteral("Nella cartella del programma ci sono tabelle nel formato precedente (Paradox): %1.\n"
                           "Importarle ora? Gli originali restano accanto, con l'estensione \".paradox\".\n"
                           "Rispondendo No restano come sono e il programma non le usa.")
                .arg(trovate.join(QStringLiteral(", ")))))
        return false;
    EsitoImportazione esito;
    {
        store::ConsegnaTabelle consegna;
        if (!consegna.ottenuta()) {
            MostraErrore(store::MessaggioTabelleInUso);
            return false;
        }
        CursoreAttesa attesa;
        esito = ImportaParadoxAllAvvio();
    }
    if (!esito.riuscito) {
        MostraErrore(esito.errore);
        return false;
    }
    MostraMessaggio(QStringLiteral("Importazione completata: le tabelle del formato precedente sono state importate; "
                                   "gli originali sono accanto, con l'estensione \".paradox\"."));
    return true;
}
