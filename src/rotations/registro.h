// What the forms of the rotation registry (teams, players, line-ups) share: building their
// controls, the team list, the lookups by id, the removal of a team's rows and leaving a form that
// may hold pending changes.
#pragma once

#include "store/query.h"
#include "store/table.h"
#include "ui/namedwidgets.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class DBGrid;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace rotazioni {

// The question of every form that might lose pending edits.
inline const QString DomandaUscita = QStringLiteral(
    "Alcune modifiche non sono ancora state salvate, uscendo tali modifiche verranno perse, uscire comunque?");
inline const QString SuggerimentoEsci = QStringLiteral("Esci da questa maschera senza salvare le modifiche");
// The hints of a navigator's ten buttons, in button order.
QStringList SuggerimentiNavigatore();


// A fresh query on the text, its "?" marks bound to the values in order, already open.
std::unique_ptr<store::Query> apriQuery(const QString &sql, const QList<QVariant> &valori = {});

// Column maximum + 1, or 1 for an empty table ("select max(campo) from tabella").
int NuovoId(const QString &tabella, const QString &campo);

// Fills the list with the names of rt_squadre by name; each entry keeps its team's id as data,
// so that two teams of the same name stay apart.
void RiempiSquadre(QComboBox &lista);
// The id of the chosen entry of a list filled by RiempiSquadre; for an entry without one, the first
// team of that name; 0 when there is none.
int IdSquadraScelta(const QComboBox &lista);

// Deletes every row of the table whose field holds the id; the table's filter is off afterwards.
void EliminaRighe(store::Table &tabella, const QString &campo, int id);

// Esci: with pending changes asks whether to drop them; true when the form may close (the
// changes are then cancelled).
bool PuoUscire(store::Table &tabella);

// Runs a handler; an engine error it raises is shown in the error box, as the toolkit would.
void Protetto(const std::function<void()> &azione);

// When LINGUA asks for it, the grid column's title in that language.
void TraduciColonna(DBGrid &griglia, int colonna);

// The Italian caption of a line-up slot (1 to 6) under a method: "Palleggiatore:",
// "Schiacciatore1:" ...; an empty text for any other method.
QString DidascaliaPosto(const QString &metodo, int posto);

} // namespace rotazioni
