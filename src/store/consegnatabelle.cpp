#include "store/consegnatabelle.h"

#include "store/database.h"

namespace store {

ConsegnaTabelle::ConsegnaTabelle(Database &database) : db(database), riuscita(database.detachAll()) {}

ConsegnaTabelle::ConsegnaTabelle() : ConsegnaTabelle(Database::instance()) {}

ConsegnaTabelle::~ConsegnaTabelle()
{
    if (riuscita)
        db.reloadAll();
}

} // namespace store
