// Pdxrbld: checks and rebuilds the program's tables in a folder.
//   Pdxrbld -Q+ -R1 "/F<folder>"
// Exit codes: 0 done; 1 other switches; 2 no folder; 3 a damaged table was left as it was; 4 a
// table could not be rebuilt; -2 a table is in use (nothing was changed).
#include "ricostruzione.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList argomenti = app.arguments();
    argomenti.removeFirst();
    QString cartella;
    pdxrbld::Esito esito = pdxrbld::LeggiSwitch(argomenti, cartella);
    QStringList rapporto;
    if (esito == pdxrbld::Riuscito)
        esito = pdxrbld::RicostruisciCartella(cartella, rapporto);
    else if (esito == pdxrbld::SwitchErrati)
        rapporto << QStringLiteral("Uso: Pdxrbld -Q+ -R1 \"/F<cartella>\"");
    else
        rapporto << QStringLiteral("Cartella non trovata: %1").arg(cartella);
    QTextStream uscita(stdout);
    for (const QString &riga : std::as_const(rapporto))
        uscita << riga << '\n';
    uscita.flush();
    return int(esito);
}
