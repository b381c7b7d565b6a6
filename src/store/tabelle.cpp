#include "store/tabelle.h"

#include "core/attesa.h"
#include "core/cartella.h"
#include "core/messaggi.h"
#include "paradox/tabellaparadox.h"
#include "store/campigiornata.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/righelingua.h"
#include "store/segnalazioni.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

using namespace store;

// ---- declarations ------------------------------------------------------------------------------

TableDeclaration DichiarazioneGiornate()
{
    TableDeclaration d{QStringLiteral("giornate.db"), QString(), {integerField(QStringLiteral("Giornata"), true)}, {}};
    for (int p = 1; p <= PartiteGiornata; ++p) {
        d.fields << textField(CampoSquadra(2 * p - 1), 30) << textField(CampoSquadra(2 * p), 30)
                 << textField(CampoSet(2 * p - 1), 1) << textField(CampoSet(2 * p), 1);
    }
    d.fields << logicalField(QStringLiteral("Giocata"));
    return d;
}

TableDeclaration DichiarazioneSquadre()
{
    return {QStringLiteral("squadre.db"), QString(), {textField(QStringLiteral("Squadre"), 30, true)}, {}};
}

TableDeclaration DichiarazioneClassifica()
{
    return {QStringLiteral("Class.db"),
            QString(),
            {integerField(QStringLiteral("Punti")), textField(QStringLiteral("Squadre"), 30),
             integerField(QStringLiteral("SetV")), integerField(QStringLiteral("SetP")),
             integerField(QStringLiteral("SetG")), logicalField(QStringLiteral("Riposo"))},
            {}};
}

TableDeclaration DichiarazioneLingua()
{
    return {QStringLiteral("lingua.db"),
            QString(),
            {textField(QStringLiteral("Italiano"), 100), textField(QStringLiteral("English"), 100),
             textField(QStringLiteral("Français"), 100)},
            {}};
}

TableDeclaration DichiarazioneImpostazioni()
{
    TableDeclaration d{QStringLiteral("impostazioni.db"), QString(), {}, {}};
    d.fields << textField(QStringLiteral("ANNATA"), 30) << textField(QStringLiteral("CATEGORIA"), 30)
             << textField(QStringLiteral("SQUADRAPREFERITA"), 30) << integerField(QStringLiteral("NGIORNATE"))
             << integerField(QStringLiteral("NSQUADRE"));
    for (const char *name : {"MODULOROTAZIONI", "PROPONISCAMBIOAUTOM", "NOMEINCAMPOGRANDE", "COGNOMEINCAMPOGRANDE",
                             "LETTERA_P_COLORE_PALL", "GRASSETTO_BATTUTA_PIC"})
        d.fields << logicalField(QLatin1String(name));
    d.fields << integerField(QStringLiteral("CAR_CAMPO_GRANDE")) << logicalField(QStringLiteral("COLOR_GIOCATORI"));
    for (const char *name : {"COLOR_PALLEGGIATORE", "COLOR_OPPOSTO", "COLOR_SCHIACCIATORI", "COLOR_CENTRALI",
                             "COLOR_LIBERO", "COLOR_PALLEGGIATORE_PIC", "LINGUA", "REGOLA_POSIZIONI"})
        d.fields << textField(QLatin1String(name), 10);
    return d;
}

TableDeclaration DichiarazioneRtSquadre()
{
    return {QStringLiteral("rt_squadre.db"),
            QString(),
            {integerField(QStringLiteral("idsquadra")), textField(QStringLiteral("nomesquadra"), 30)},
            {}};
}

TableDeclaration DichiarazioneRtGiocatori()
{
    return {QStringLiteral("rt_giocatori.db"),
            QString(),
            {integerField(QStringLiteral("idgiocatore")), integerField(QStringLiteral("idsquadra")),
             integerField(QStringLiteral("numeromaglia")), textField(QStringLiteral("nome"), 50),
             textField(QStringLiteral("cognome"), 50), textField(QStringLiteral("ruolo"), 1),
             textField(QStringLiteral("battuta"), 10)},
            {}};
}

TableDeclaration DichiarazioneRtFormazioni()
{
    TableDeclaration d{QStringLiteral("rt_formazioni.db"),
                       QString(),
                       {integerField(QStringLiteral("idsquadra")), textField(QStringLiteral("metodo"), 11)},
                       {}};
    for (int k = 1; k <= 6; ++k)
        d.fields << integerField(QStringLiteral("pos%1").arg(k));
    d.fields << integerField(QStringLiteral("libe"));
    return d;
}

TableDeclaration DichiarazioneTabExport()
{
    return {QStringLiteral("tabexport.db"),
            QString(),
            {integerField(QStringLiteral("PROGR"), true), textField(QStringLiteral("NOME"), 20),
             textField(QStringLiteral("DESCR"), 40), memoField(QStringLiteral("CAMPI")),
             memoField(QStringLiteral("TABELLE")), memoField(QStringLiteral("CONDIZIONE")),
             textField(QStringLiteral("ORDINAMENTO"), 30), memoField(QStringLiteral("NOMEFILE")),
             memoField(QStringLiteral("NOMEFOGLIOEXCEL")), integerField(QStringLiteral("txtOxls")),
             memoField(QStringLiteral("FORMATTAZIONE")), logicalField(QStringLiteral("CHIEDIDATA")),
             textField(QStringLiteral("CAMPODATA"), 20), logicalField(QStringLiteral("FISSO"))},
            {IndexDef{QString(), {QStringLiteral("PROGR")}, QString(), IxPrimary}}};
}

TableDeclaration DichiarazioneDateGiornate()
{
    return {QStringLiteral("date_giornate.db"),
            QString(),
            {integerField(QStringLiteral("Giornata")), dateField(QStringLiteral("Data")),
             textField(QStringLiteral("Ora"), 5)},
            {}};
}

QList<TableDeclaration> TabelleProgramma()
{
    return {DichiarazioneTabExport(),     DichiarazioneGiornate(),    DichiarazioneSquadre(),
            DichiarazioneClassifica(),    DichiarazioneLingua(),      DichiarazioneImpostazioni(),
            DichiarazioneRtSquadre(),     DichiarazioneRtGiocatori(), DichiarazioneRtFormazioni(),
            DichiarazioneDateGiornate()};
}

QStringList TabelleCampionato()
{
    return {QStringLiteral("Class.db"), QStringLiteral("giornate.db"), QStringLiteral("squadre.db"),
            QStringLiteral("date_giornate.db")};
}

// ---- ensuring one table ------------------------------------------------------------------------

namespace {

// The accepted difference: an index read back as {primary, unique} where {primary} is declared.
bool sameOptions(unsigned found, unsigned declared)
{
    return found == declared || (declared == IxPrimary && found == (IxPrimary | IxUnique));
}

bool sameStructure(const TableDeclaration &declared, const TableDeclaration &old)
{
    for (const FieldDef &f : declared.fields) {
        const FieldDef *found = nullptr;
        for (const FieldDef &o : old.fields)
            if (o.name.compare(f.name, Qt::CaseInsensitive) == 0) {
                found = &o;
                break;
            }
        if (!found || found->type != f.type)
            return false;
        if (f.type != FieldType::Memo && found->size != f.size)
            return false;
    }
    if (declared.indexes.size() != old.indexes.size())
        return false;
    for (const IndexDef &ix : declared.indexes) {
        bool matched = false;
        for (const IndexDef &o : old.indexes)
            if (sameOptions(o.options, ix.options) && o.expression == ix.expression && o.name == ix.name &&
                QString(o.fields.join(QLatin1Char(';'))).compare(ix.fields.join(QLatin1Char(';')), Qt::CaseInsensitive) == 0) {
                matched = true;
                break;
            }
        if (!matched)
            return false;
    }
    return true;
}

QString temporaryName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    return fileName + QStringLiteral("APPOGGIO") + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

} // namespace

void CreaOAggiornaTabella(TableDeclaration &dichiarazione)
{
    struct ClearOnReturn {
        TableDeclaration &d;
        ~ClearOnReturn()
        {
            d.fields.clear();
            d.indexes.clear();
        }
    } clear{dichiarazione};

    Database &db = Database::instance();
    const QString fileName = dichiarazione.fileName;
    if (!db.exists(fileName)) {
        db.createTable(dichiarazione);
        return;
    }
    // Damage inside the data pages escapes a look at the structure alone: every page is read, and a
    // damaged table is reported and left exactly as it is, never rebuilt or filled.
    // (SQLite's own account of the damage names pages and inner names: nothing the user can act on.)
    if (!db.checkIntegrity(fileName))
        throw EngineError(QStringLiteral("La tabella '%1' è danneggiata e non viene modificata.").arg(db.path(fileName)),
                          HcNotATable, db.path(fileName));
    const TableDeclaration old = db.readStructure(fileName);
    dichiarazione.fileName = temporaryName(fileName);
    const bool same = sameStructure(dichiarazione, old);
    if (same) {
        dichiarazione.fileName = fileName;
        return;
    }

    // Rebuild under the temporary name; the table's own name keeps the complete old table until the
    // complete new one replaces it in one atomic rename.
    const QString temporary = dichiarazione.fileName;
    if (db.exists(temporary))
        db.deleteTable(temporary);
    db.createTable(dichiarazione);
    Database::faultPoint(QStringLiteral("creata"));
    int failures = 0;
    {
        Table oldTable(fileName);
        Table newTable(temporary);
        oldTable.open();
        newTable.open();
        Transaction transaction(db);
        const int n = oldTable.recordCount();
        for (int i = 1; i <= n; ++i) {
            oldTable.setRecNo(i);
            if (!CopiaRecord(oldTable, newTable))
                ++failures;
            if (i == 1)
                Database::faultPoint(QStringLiteral("copia"));
        }
        transaction.commit();
    }
    Database::faultPoint(QStringLiteral("copiata"));
    if (failures > 0)
        MostraMessaggio(QStringLiteral("Attenzione! alla tabella: %1 mancano n. %2 records (righe).").arg(fileName).arg(failures));
    try {
        Database::faultPoint(QStringLiteral("rinomina"));
        db.renameTable(temporary, fileName);
    } catch (const EngineError &) {
        MostraErrore(QStringLiteral("Non riesco ad aggiornare la tabella: '%1'").arg(fileName));
        dichiarazione.fileName = fileName;
        return;
    }
    Database::faultPoint(QStringLiteral("sostituita"));
    dichiarazione.fileName = fileName;
}

// ---- copying one row ---------------------------------------------------------------------------

namespace {

void appendToLog(const QStringList &lines)
{
    const QString path = CartellaProgramma() + QStringLiteral("dberrori.log");
    QFile file(path);
    const bool existed = file.exists() && file.size() > 0;
    bool needsBreak = false;
    if (existed && file.open(QIODevice::ReadOnly)) {
        file.seek(file.size() - 1);
        needsBreak = file.read(1) != "\n";
        file.close();
    }
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return;
    QByteArray out;
    if (needsBreak)
        out += '\n';
    for (const QString &line : lines)
        out += line.toUtf8() + '\n';
    file.write(out);
}

QStringList fieldLines(Table &table)
{
    QStringList lines;
    for (int i = 0; i < table.fieldCount(); ++i)
        lines << QStringLiteral("%1: '%2'").arg(table.field(i).name(), table.field(i).asString());
    return lines;
}

} // namespace

bool CopiaRecord(Table &origine, Table &destinazione)
{
    destinazione.append();
    try {
        for (int i = 0; i < origine.fieldCount(); ++i) {
            const int target = destinazione.fieldIndex(origine.field(i).name());
            if (target >= 0)
                destinazione.field(target).setValue(origine.field(i).value());
        }
        destinazione.post();
        return true;
    } catch (const EngineError &e) {
        const QLocale locale = QLocale::system();
        const QDateTime now = QDateTime::currentDateTime();
        QStringList lines;
        lines << QString()
              << QStringLiteral("data e ora: ") + locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                     locale.toString(now.time(), QLocale::ShortFormat)
              << QStringLiteral("Errore: %1 - Help context: %2").arg(e.message()).arg(e.helpContext())
              << QStringLiteral("DATI RECORD TABELLA ORIGINE: %1, DATABASE: ").arg(origine.fileName());
        lines << fieldLines(origine);
        lines << QString() << QStringLiteral("DATI RECORD TABELLA DESTINAZIONE:%1, DATABASE: ").arg(destinazione.fileName());
        lines << fieldLines(destinazione);
        appendToLog(lines);
        MostraAttenzione(QStringLiteral("Trovati errori in fase di aggiornamento tabella.+#1310+Consultare il file ") +
                         CartellaProgramma() + QStringLiteral("dberrori.log e contattare Brivo."));
        destinazione.cancel();
        return false;
    }
}

// ---- the start-up check ------------------------------------------------------------------------

namespace {

bool ensure(TableDeclaration declaration, QStringList &errors)
{
    try {
        // A table of the earlier format is not damaged: the start offers its import, and when the
        // user declines it stays exactly as found, without a second box about it.
        Database &db = Database::instance();
        if (db.exists(declaration.fileName) && paradox::EFileParadox(db.path(declaration.fileName))) {
            SegnaTabellaSegnalata(db.path(declaration.fileName));
            return false;
        }
        CreaOAggiornaTabella(declaration);
        return true;
    } catch (const EngineError &e) {
        errors << e.message();
        // The box below names the file: the forms that read it at start say nothing more.
        if (!e.file().isEmpty())
            SegnaTabellaSegnalata(e.file());
        return false;
    }
}

// The stored texts of the standard rows that still read as they shipped before a rewording: row
// index, column and new text. Rows whose Italian key is not the expected one are left alone.
struct Riformulazione {
    int riga;
    QString colonna;
    QString testo;
};

QList<Riformulazione> riformulazioni(Table &lingua)
{
    QList<Riformulazione> out;
    int riga = 0;
    int prossimo = 0; // TestiPrecedenti is in row order
    for (lingua.first(); !lingua.eof() && prossimo < NumeroTestiPrecedenti; lingua.next(), ++riga) {
        const TestoPrecedente &vecchio = TestiPrecedenti[prossimo];
        if (vecchio.riga != riga)
            continue;
        ++prossimo;
        const RigaLingua &nuova = RigheLingua[riga];
        // The table keeps the first 100 characters of a longer key.
        if (lingua.fieldByName(QStringLiteral("Italiano")).asString() != QString::fromUtf8(nuova.italiano).left(100))
            continue;
        const auto controlla = [&](const char *prima, const char *dopo, const QString &colonna) {
            if (prima && lingua.fieldByName(colonna).asString() == QString::fromUtf8(prima))
                out.append({riga, colonna, QString::fromUtf8(dopo)});
        };
        controlla(vecchio.english, nuova.english, QStringLiteral("English"));
        controlla(vecchio.francais, nuova.francais, QStringLiteral("Français"));
    }
    return out;
}

void fillLingua()
{
    Table lingua(QStringLiteral("lingua.db"));
    lingua.open();
    const int stored = lingua.recordCount();
    const QList<Riformulazione> daRiformulare =
        stored >= NumeroRigheLinguaStandard ? riformulazioni(lingua) : QList<Riformulazione>();
    if (stored >= NumeroRigheLingua && daRiformulare.isEmpty())
        return;
    Transaction transaction;
    // Texts still as they shipped take the new wording; texts the user changed stay.
    if (!daRiformulare.isEmpty()) {
        int riga = 0;
        auto prossima = daRiformulare.cbegin();
        for (lingua.first(); !lingua.eof() && prossima != daRiformulare.cend(); lingua.next(), ++riga) {
            while (prossima != daRiformulare.cend() && prossima->riga == riga) {
                lingua.edit();
                lingua.fieldByName(prossima->colonna).setAsString(prossima->testo);
                lingua.post();
                ++prossima;
            }
        }
        Database::faultPoint(QStringLiteral("lingua riformulata"));
    }
    if (stored < NumeroRigheLingua) {
        // A table holding the standard rows keeps them, edits included, and gains the rows added
        // since; a shorter one is filled anew.
        int from = stored;
        if (stored < NumeroRigheLinguaStandard) {
            from = 0;
            lingua.first();
            while (!lingua.isEmpty())
                lingua.remove();
        }
        for (int i = from; i < NumeroRigheLingua; ++i) {
            const RigaLingua &riga = RigheLingua[i];
            lingua.append();
            lingua.fieldByName(QStringLiteral("Italiano")).setAsString(QString::fromUtf8(riga.italiano));
            lingua.fieldByName(QStringLiteral("English")).setAsString(QString::fromUtf8(riga.english));
            lingua.fieldByName(QStringLiteral("Français")).setAsString(QString::fromUtf8(riga.francais));
            lingua.post();
        }
    }
    transaction.commit();
}

void insertDefaultSettings()
{
    Table settings(QStringLiteral("impostazioni.db"));
    settings.open();
    if (settings.recordCount() > 0) {
        // A record from before the overlap rule's setting: it gets the default rule.
        settings.first();
        if (settings.fieldByName(QStringLiteral("REGOLA_POSIZIONI")).isNull()) {
            settings.edit();
            settings.fieldByName(QStringLiteral("REGOLA_POSIZIONI")).setAsString(QStringLiteral("FIVB 2025"));
            settings.post();
        }
        return;
    }
    settings.append();
    auto set = [&](const char *name, const QVariant &value) { settings.fieldByName(QLatin1String(name)).setValue(value); };
    set("MODULOROTAZIONI", true);
    set("PROPONISCAMBIOAUTOM", false);
    set("NOMEINCAMPOGRANDE", true);
    set("COGNOMEINCAMPOGRANDE", true);
    set("LETTERA_P_COLORE_PALL", true);
    set("GRASSETTO_BATTUTA_PIC", true);
    set("CAR_CAMPO_GRANDE", 7);
    set("COLOR_GIOCATORI", true);
    set("COLOR_PALLEGGIATORE", QStringLiteral("Fucsia"));
    set("COLOR_OPPOSTO", QStringLiteral("Verde"));
    set("COLOR_SCHIACCIATORI", QStringLiteral("Rosso"));
    set("COLOR_CENTRALI", QStringLiteral("Celeste"));
    set("COLOR_LIBERO", QStringLiteral("Nessuno"));
    set("COLOR_PALLEGGIATORE_PIC", QStringLiteral("Fucsia"));
    set("LINGUA", QStringLiteral("Italiano"));
    set("REGOLA_POSIZIONI", QStringLiteral("FIVB 2025"));
    settings.post();
}

// The presets an empty export table starts with, ready to run: the standings and the calendar.
// They are fixed: neither changed nor deleted by the export form.
void insertDefaultPresets()
{
    Table presets(QStringLiteral("tabexport.db"));
    presets.open();
    if (presets.recordCount() > 0)
        return;
    const auto campo = [](const char *tabella, const QString &nome) {
        return QStringLiteral("\"%1\".\"%2\"").arg(QLatin1String(tabella), nome);
    };
    QStringList calendario{campo("giornate.db", QStringLiteral("Giornata"))};
    for (int k = 1; k <= SlotGiornata; ++k)
        calendario << campo("giornate.db", CampoSquadra(k));
    struct Preset {
        const char *nome;
        QString campi, tabella, ordinamento;
        const char *file;
        int tipo; // 0 text, 1 workbook
    };
    const Preset rows[] = {
        {"Classifica",
         QStringList{campo("Class.db", QStringLiteral("Squadre")), campo("Class.db", QStringLiteral("Punti")),
                     campo("Class.db", QStringLiteral("SetV")), campo("Class.db", QStringLiteral("SetP"))}
             .join(QStringLiteral(", ")),
         QStringLiteral("\"Class.db\""), campo("Class.db", QStringLiteral("Punti")) + QStringLiteral(" desc"),
         "Classifica.txt", 0},
        {"Calendario", calendario.join(QStringLiteral(", ")), QStringLiteral("\"giornate.db\""),
         campo("giornate.db", QStringLiteral("Giornata")), "Calendario.xlsx", 1},
    };
    Transaction transaction;
    int progr = 0;
    for (const Preset &p : rows) {
        if (progr > 0)
            Database::faultPoint(QStringLiteral("modelli: tra i modelli"));
        presets.append();
        auto set = [&](const char *name, const QVariant &value) { presets.fieldByName(QLatin1String(name)).setValue(value); };
        set("PROGR", ++progr);
        set("NOME", QString::fromLatin1(p.nome).toUpper());
        set("DESCR", QString::fromLatin1(p.nome));
        set("CAMPI", p.campi);
        set("TABELLE", p.tabella);
        set("ORDINAMENTO", p.ordinamento);
        set("NOMEFILE", QString::fromLatin1(p.file));
        set("NOMEFOGLIOEXCEL", QString::fromLatin1(p.nome));
        set("txtOxls", p.tipo);
        set("CHIEDIDATA", false);
        set("FISSO", true);
        presets.post();
    }
    transaction.commit();
}

void showErrors(const QStringList &errors)
{
    if (!errors.isEmpty())
        MostraErrore(errors.join(QLatin1Char('\n')));
}

} // namespace

void CreaTabellaEsportazione()
{
    CursoreAttesa attesa;
    QStringList errors;
    if (ensure(DichiarazioneTabExport(), errors)) {
        try {
            insertDefaultPresets();
        } catch (const EngineError &e) {
            errors << e.message();
            if (!e.file().isEmpty())
                SegnaTabellaSegnalata(e.file());
        }
    }
    showErrors(errors);
}

void CreaTabelle()
{
    CursoreAttesa attesa;
    QStringList errors;
    ensure(DichiarazioneGiornate(), errors);
    ensure(DichiarazioneSquadre(), errors);
    ensure(DichiarazioneClassifica(), errors);
    // A table that could not be ensured (damaged, not a table) is never filled.
    if (ensure(DichiarazioneLingua(), errors)) {
        try {
            fillLingua();
        } catch (const EngineError &e) {
            errors << e.message();
            if (!e.file().isEmpty())
                SegnaTabellaSegnalata(e.file());
        }
    }
    if (ensure(DichiarazioneImpostazioni(), errors)) {
        try {
            insertDefaultSettings();
        } catch (const EngineError &e) {
            errors << e.message();
            if (!e.file().isEmpty())
                SegnaTabellaSegnalata(e.file());
        }
    }
    ensure(DichiarazioneRtSquadre(), errors);
    ensure(DichiarazioneRtGiocatori(), errors);
    ensure(DichiarazioneRtFormazioni(), errors);
    ensure(DichiarazioneDateGiornate(), errors);
    try {
        Database::instance().removeStaleJournals();
    } catch (const EngineError &) {
        // no connection: the boxes below already say why
    }
    errors.removeDuplicates();
    showErrors(errors);
}

void AzzeraImpostazioniCampionato()
{
    Table settings(QStringLiteral("Impostazioni.db"));
    settings.open();
    settings.first();
    settings.edit();
    for (const char *name : {"ANNATA", "CATEGORIA", "SQUADRAPREFERITA", "NGIORNATE", "NSQUADRE"})
        settings.fieldByName(QLatin1String(name)).clear();
    settings.post();
    settings.close();
}
