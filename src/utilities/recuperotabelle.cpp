#include "utilities/recuperotabelle.h"

#include "core/cartella.h"
#include "core/copiaatomica.h"
#include "core/helpers.h"
#include "store/database.h"
#include "store/tabelle.h"
#include "store/verificatabella.h"
#include "utilities/cartellebackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {
const QString SuffissoRecupero = QLatin1String(SuffissoCopiaRecupero);
const QString SuffissoSicurezza = QLatin1String(SuffissoCopiaSicurezza);

// The name under which a table lives in the program folder, whatever the case of the backup's copy.
QString nomeVivo(const QString &programma, const QString &nome)
{
    const QStringList presenti = QDir(programma).entryList(QDir::Files | QDir::Hidden);
    for (const QString &p : presenti)
        if (p.compare(nome, Qt::CaseInsensitive) == 0)
            return p;
    return nome;
}

QString accanto(const QString &programma, const QString &nome, const QString &suffisso)
{
    return programma + QLatin1Char('.') + nome + suffisso;
}

// A journal left by a live table belongs to it, never to the table that takes its name: before the
// swap it goes aside under its safety name (".<table>-journal.sicurezza").
enum class Giornale { Assente, MessoDaParte, Fermo };
Giornale giornaleDaParte(const QString &cartella, const QString &tabella)
{
    const QString giornale = cartella + tabella + QStringLiteral("-journal");
    if (!QFileInfo::exists(giornale))
        return Giornale::Assente;
    return SpostaSopra(giornale, accanto(cartella, tabella + QStringLiteral("-journal"), SuffissoSicurezza), false)
               ? Giornale::MessoDaParte
               : Giornale::Fermo;
}

bool contiene(const QStringList &nomi, const QString &nome)
{
    for (const QString &n : nomi)
        if (n.compare(nome, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
} // namespace

QStringList TabelleDaRecuperare(const QStringList &fileBackup)
{
    const QStringList nomi = store::NomiTabelle();
    QStringList tabelle;
    for (const QString &f : fileBackup) {
        if (EstensioneEsclusa(f))
            continue;
        bool gia = false;
        for (const QString &t : std::as_const(tabelle))
            gia = gia || t.compare(f, Qt::CaseInsensitive) == 0;
        for (const QString &n : nomi)
            if (!gia && f.compare(n, Qt::CaseInsensitive) == 0)
                tabelle << f;
    }
    return tabelle;
}

EsitoRecupero RecuperaTabelle(const QStringList &tabelle, const QString &origine, const std::function<void()> &passo)
{
    const QString programma = CartellaProgramma();
    EsitoRecupero esito;
    auto avanza = [&] {
        if (passo)
            passo();
    };

    QStringList danneggiate;
    for (const QString &t : tabelle) {
        avanza();
        const store::EsitoVerifica verifica = store::VerificaTabella(origine + t);
        if (!verifica.valida)
            danneggiate << QStringLiteral("\"%1\" (%2)").arg(origine + t, verifica.motivo);
    }
    if (!danneggiate.isEmpty()) {
        esito.nonCopiati = int(danneggiate.size());
        esito.errore = QStringLiteral("Il backup contiene file che non sono tabelle leggibili del programma, perciò "
                                      "nessun file è stato recuperato:\n") +
                       danneggiate.join(QLatin1Char('\n'));
        return esito;
    }

    struct Passo {
        QString vivo;       // the live table's name in the program folder
        QString copia;      // the restored copy beside it
        bool messoDaParte = false; // the live table has its safety copy
        bool vivoAlSuoPosto = false; // ... and is still under its name (a second link to it)
        bool giornaleDaParte = false;
        bool sostituito = false;
        bool togli = false; // a championship table the backup lacks: the live one goes, none comes
    };
    QList<Passo> passi;
    QString fallito;
    const QString segno = programma + QLatin1String(SegnoRecuperoInCorso);
    auto sicurezza = [&](const QString &nome) { return accanto(programma, nome, SuffissoSicurezza); };
    auto giornale = [&](const QString &nome) { return programma + nome + QStringLiteral("-journal"); };
    try {
        for (const QString &t : tabelle) {
            avanza();
            Passo p;
            p.vivo = nomeVivo(programma, t);
            const std::optional<QString> copia = CopiaAccanto(origine + t, programma + p.vivo, SuffissoRecupero);
            if (!copia) {
                fallito = programma + p.vivo;
                break;
            }
            p.copia = *copia;
            passi << p;
            store::Database::faultPoint(QStringLiteral("recupero: copiata accanto"));
        }
        // A backup taken before the matchdays had dates brings the matchdays back without them: the
        // live dates belong to the calendar being replaced and go too, so the next start finds the
        // table missing and makes it empty.
        const QString date = DichiarazioneDateGiornate().fileName;
        if (fallito.isEmpty() && contiene(tabelle, QStringLiteral("giornate.db")) && !contiene(tabelle, date)) {
            Passo p;
            p.vivo = nomeVivo(programma, date);
            p.togli = true;
            if (QFileInfo::exists(programma + p.vivo))
                passi << p;
        }
        if (fallito.isEmpty()) {
            // From here until the last table is in place, a start after a crash completes the
            // restore instead of finding half of the backup among the live tables. The copies'
            // names reach the disk before the mark that makes them count.
            SincronizzaCartella(programma);
            QFile file(segno);
            const bool creato = file.open(QIODevice::WriteOnly);
            file.close();
            if (!creato || !ScriviSuDisco(segno))
                fallito = segno;
            SincronizzaCartella(programma);
        }
        if (fallito.isEmpty()) {
            store::Database::faultPoint(QStringLiteral("recupero: segno scritto"));
            for (Passo &p : passi) {
                avanza();
                const QString vivo = programma + p.vivo;
                if (QFileInfo(vivo).isDir()) {
                    fallito = vivo;
                    break;
                }
                if (p.togli) {
                    // Moved aside under its safety name: back in place if the restore is undone.
                    QFile::remove(sicurezza(p.vivo));
                    if (!SpostaSopra(vivo, sicurezza(p.vivo), false)) {
                        fallito = vivo;
                        break;
                    }
                    p.messoDaParte = true;
                } else if (QFileInfo::exists(vivo)) {
                    // A second name for the live table keeps it under its own name until the
                    // restored one replaces it in one rename; where links cannot be made it is
                    // moved aside instead.
                    QFile::remove(sicurezza(p.vivo));
                    if (CollegaFile(vivo, sicurezza(p.vivo))) {
                        p.vivoAlSuoPosto = true;
                    } else if (!SpostaSopra(vivo, sicurezza(p.vivo), false)) {
                        fallito = vivo;
                        break;
                    }
                    p.messoDaParte = true;
                }
                const Giornale g = giornaleDaParte(programma, p.vivo);
                if (g == Giornale::Fermo) {
                    fallito = vivo;
                    break;
                }
                p.giornaleDaParte = g == Giornale::MessoDaParte;
                store::Database::faultPoint(QStringLiteral("recupero: tabella messa da parte"));
                if (p.togli)
                    continue;
                if (!SpostaSopra(p.copia, vivo, false)) {
                    fallito = vivo;
                    break;
                }
                p.sostituito = true;
                store::Database::faultPoint(QStringLiteral("recupero: tabella sostituita"));
            }
        }
    } catch (const std::exception &) {
        if (fallito.isEmpty())
            fallito = programma + (passi.isEmpty() ? tabelle.first() : passi.last().vivo);
    }

    SincronizzaCartella(programma);
    if (fallito.isEmpty()) {
        // Every table is in place: what is left is tidying up. Stopped here, the mark still stands
        // and the next start removes the rest.
        try {
            for (const Passo &p : std::as_const(passi)) {
                QFile::remove(sicurezza(p.vivo));
                QFile::remove(sicurezza(p.vivo + QStringLiteral("-journal")));
                store::Database::faultPoint(QStringLiteral("recupero: copia di sicurezza rimossa"));
            }
            QFile::remove(segno);
            SincronizzaCartella(programma);
        } catch (const std::exception &) {
        }
        esito.riuscito = true;
        esito.copiati = int(std::count_if(passi.cbegin(), passi.cend(), [](const Passo &p) { return !p.togli; }));
        return esito;
    }

    // Everything back as it was, last step first. Once the mark stands it says so first: stopped
    // from here on, the next start puts the safety copies back instead of completing the restore.
    if (QFileInfo::exists(segno)) {
        QFile file(segno);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(ContenutoRecuperoAnnullato);
        file.close();
        AvvisaOsservatoreDisco(PassoDisco::Scritto, segno);
        ScriviSuDisco(segno);
    }
    auto puntoDiGuasto = [] {
        try {
            store::Database::faultPoint(QStringLiteral("recupero: annullamento"));
        } catch (const std::exception &) { // the undoing goes on whatever happens
        }
    };
    puntoDiGuasto();
    bool rimesso = true;
    for (auto it = passi.rbegin(); it != passi.rend(); ++it) {
        const QString vivo = programma + it->vivo;
        if (it->sostituito && !it->messoDaParte)
            rimesso = QFile::remove(vivo) && rimesso;
        if (it->messoDaParte && (it->sostituito || !it->vivoAlSuoPosto))
            rimesso = SpostaSopra(sicurezza(it->vivo), vivo) && rimesso;
        else if (it->messoDaParte)
            QFile::remove(sicurezza(it->vivo));
        if (it->giornaleDaParte)
            rimesso = SpostaSopra(sicurezza(it->vivo + QStringLiteral("-journal")), giornale(it->vivo)) && rimesso;
        if (!it->sostituito && !it->copia.isEmpty())
            QFile::remove(it->copia);
        puntoDiGuasto();
    }
    QFile::remove(segno);
    SincronizzaCartella(programma);
    esito.nonCopiati = 1;
    esito.errore = QStringLiteral("Errore durante la copia del file \"%1\"").arg(fallito);
    esito.errore += rimesso ? QStringLiteral("\nIl recupero è stato annullato: le tabelle sono rimaste come prima.")
                            : QStringLiteral("\nIl recupero è stato annullato, ma non tutte le tabelle sono state "
                                             "rimesse al loro posto: le copie di sicurezza sono nella cartella del "
                                             "programma.");
    return esito;
}

bool CompletaRecuperoInterrotto(const QString &cartella)
{
    QDir dir(cartella);
    const QString base = dir.path() + QLatin1Char('/');
    const QString segno = base + QLatin1String(SegnoRecuperoInCorso);
    const QStringList copie =
        dir.entryList({QLatin1Char('*') + SuffissoRecupero}, QDir::Files | QDir::Hidden | QDir::System);
    const bool interrotto = QFileInfo(segno).isFile();
    bool annullato = false;
    if (interrotto) {
        QFile f(segno);
        annullato = f.open(QIODevice::ReadOnly) && f.readAll().trimmed() == ContenutoRecuperoAnnullato;
    }
    auto sicurezza = [&] {
        return dir.entryList({QLatin1Char('*') + SuffissoSicurezza}, QDir::Files | QDir::Hidden | QDir::System);
    };
    if (annullato) {
        // The live tables back under their names; a name that is a second link to its table is
        // left as it stands by the rename, and the safety name removed below.
        for (const QString &s : sicurezza())
            if (s.startsWith(QLatin1Char('.')))
                SpostaSopra(base + s, base + s.mid(1, s.size() - 1 - SuffissoSicurezza.size()), false);
    }
    for (const QString &copia : copie) {
        if (!copia.startsWith(QLatin1Char('.')) || copia == QLatin1String(SegnoRecuperoInCorso))
            continue;
        if (!interrotto || annullato) {
            dir.remove(copia);
            continue;
        }
        const QString tabella = copia.mid(1, copia.size() - 1 - SuffissoRecupero.size());
        giornaleDaParte(base, tabella);
        SpostaSopra(base + copia, base + tabella, false);
    }
    if (!interrotto)
        return false;
    for (const QString &s : sicurezza())
        if (s.startsWith(QLatin1Char('.')))
            dir.remove(s);
    SincronizzaCartella(cartella);
    QFile::remove(segno);
    SincronizzaCartella(cartella);
    return !annullato;
}
