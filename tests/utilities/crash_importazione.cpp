#include "crash_importazione.h"

#include "championship/rinomina.h"
#include "core/cartella.h"
#include "stagioneparadox.h"
#include "store/consegnatabelle.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/crashvfs.h"
#include "utilities/importazioneparadox.h"

#include <QDir>

namespace {

QString cartellaParadox() { return CartellaProgramma() + QStringLiteral("paradox/"); }

// The program's tables (but the translation table) written out as Paradox tables, row by row.
void esportaInParadox(const QString &cartella)
{
    QDir().mkpath(cartella);
    for (const store::TableDeclaration &d : TabelleProgramma()) {
        if (d.fileName == QLatin1String("lingua.db"))
            continue;
        ScritturaParadox s = ParadoxDaDichiarazione(d);
        store::Table t(d.fileName);
        t.open();
        for (t.first(); !t.eof(); t.next()) {
            QList<QVariant> riga;
            for (const store::FieldDef &f : d.fields) {
                const QVariant v = t.fieldByName(f.name).value();
                riga << (!v.isValid() || v.isNull() ? QVariant()
                         : f.type == store::FieldType::Logical ? QVariant(v.toBool())
                                                               : v);
            }
            s.righe << riga;
        }
        s.scrivi();
        if (!s.salva(cartella, d.fileName))
            throw store::EngineError(QStringLiteral("cannot write ") + d.fileName);
    }
}

void importa(long killAt)
{
    store::ConsegnaTabelle consegna;
    if (!consegna.ottenuta())
        throw store::EngineError(store::MessaggioTabelleInUso);
    crashvfs::begin(killAt);
    const EsitoImportazione esito = ImportaTabelleParadox(cartellaParadox());
    crashvfs::end();
    if (!esito.riuscito || esito.importate != TabelleProgramma().size() - 1)
        throw store::EngineError(esito.errore);
}

} // namespace

SalvataggioProva ImportazioneParadox(int n)
{
    return SalvataggioProva{QStringLiteral("import of Paradox tables"),
                            [n] {
                                PreparaCampionato(n, 2);
                                esportaInParadox(cartellaParadox());
                                GiocaGiornata(3, n);
                                RinominaSquadra(NomeSquadra(n, 3), QStringLiteral("Sant'Elia Volley"));
                            },
                            [](long killAt) { importa(killAt); }};
}
