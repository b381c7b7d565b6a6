// The hand-over of the program folder's tables to work done on their files from outside the engine
// (backup, restore, the rebuild utility). While it lasts no table is attached to the connection, so
// a file copied, replaced by rename or rebuilt is never read or written through a stale handle; when
// it ends every cursor reads its table's file again.
#pragma once

#include <QString>

namespace store {

class Database;

// The message shown when the tables cannot be handed over.
inline const QString MessaggioTabelleInUso = QStringLiteral("Impossibile eseguire il controllo mentre il database è in uso!");

class ConsegnaTabelle {
public:
    // Refuses (ottenuta() false, nothing detached) while a table is open in a cursor or a
    // transaction runs.
    explicit ConsegnaTabelle(Database &db);
    ConsegnaTabelle();
    ~ConsegnaTabelle();
    ConsegnaTabelle(const ConsegnaTabelle &) = delete;
    ConsegnaTabelle &operator=(const ConsegnaTabelle &) = delete;

    bool ottenuta() const { return riuscita; }

private:
    Database &db;
    bool riuscita = false;
};

} // namespace store
