// The restore's work, apart from its form: which files of a backup come back, and putting them in
// the program folder all together or not at all. The caller holds the tables handed over
// (store::ConsegnaTabelle) while it runs.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The program's tables among a backup's files, by their names whatever the case, each table once
// (a second copy under another case would undo the first); any other file is passed over.
QStringList TabelleDaRecuperare(const QStringList &fileBackup);

struct EsitoRecupero {
    bool riuscito = false;
    int copiati = 0;
    int nonCopiati = 0;
    QString errore; // the message to show when the restore did not succeed; nothing was restored
};

// Every table is first checked, then copied beside the live one under a temporary name; only when
// all copies are there (and the mark of a restore in progress stands) does each live table get a
// safety copy and the restored one is renamed over it, so a table's name always holds a complete
// table. Any failure puts every live table back as it was. origine ends with a separator; passo is
// called before each file's work.
EsitoRecupero RecuperaTabelle(const QStringList &tabelle, const QString &origine,
                              const std::function<void()> &passo = {});
