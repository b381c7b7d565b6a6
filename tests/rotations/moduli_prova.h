// What the rotation registry form tests share: a program folder with the tables, the forms
// driven by their component names, and direct reads of what the tables hold.
#pragma once

#include "rotations/frmrtgiocatori.h"
#include "rotations/frmrtsquadre.h"
#include "store/query.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"
#include "ui/datacontrols.h"
#include "ui/dbgrid.h"
#include "ui/dbnavigator.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace prova {

template <typename T> T *figlio(QObject *form, const char *nome)
{
    T *w = form->findChild<T *>(QLatin1String(nome));
    if (!w)
        qFatal("no control %s", nome);
    return w;
}

inline void clicca(QWidget *form, const char *nome)
{
    QTest::mouseClick(figlio<QAbstractButton>(form, nome), Qt::LeftButton);
}

inline void scrivi(QWidget *form, const char *nome, const QString &testo)
{
    auto *e = figlio<QLineEdit>(form, nome);
    e->selectAll();
    QTest::keyClicks(e, testo);
}

// Picks an entry of a list as the user would; false when the list has no such entry.
inline bool scegli(QComboBox *lista, const QString &voce)
{
    const int i = lista->findText(voce);
    if (i < 0)
        return false;
    lista->setCurrentIndex(i);
    emit lista->activated(i);
    return true;
}
inline bool scegli(QWidget *form, const char *nome, const QString &voce)
{
    return scegli(figlio<QComboBox>(form, nome), voce);
}

inline QStringList voci(QWidget *form, const char *nome)
{
    auto *c = figlio<QComboBox>(form, nome);
    QStringList l;
    for (int i = 0; i < c->count(); ++i)
        l << c->itemText(i);
    return l;
}

inline QString testo(QWidget *form, const char *nome) { return figlio<QLabel>(form, nome)->text(); }

// A folder with every table of the program.
struct Cartella {
    TempProgramFolder folder;
    ScriptedMessages boxes;
    Cartella()
    {
        CreaTabellaEsportazione();
        CreaTabelle();
    }
};

// The rows of a query, each as its fields' texts joined by "|".
inline QStringList righe(const QString &sql, const QList<QVariant> &valori = {})
{
    store::Query q(sql);
    for (const QVariant &v : valori)
        q.addBindValue(v);
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next()) {
        QStringList campi;
        for (int i = 0; i < q.fieldCount(); ++i)
            campi << q.field(i).asString();
        out << campi.join(QLatin1Char('|'));
    }
    return out;
}

// Adds a team through the team form; its id.
inline int nuovaSquadra(TFrmRTsquadre &form, const QString &nome)
{
    clicca(&form, "nbInsert");
    scrivi(&form, "DBEditSquadra", nome);
    clicca(&form, "nbPost");
    return figlio<store::Table>(&form, "TableRTSquadre")->fieldByName(QStringLiteral("idsquadra")).asInteger();
}

// Types a player into the players form (team already chosen) and presses Post.
inline void nuovoGiocatore(TFrmRTgiocatori &form, const QString &numero, const QString &nome, const QString &cognome,
                           const QString &ruolo, const QString &battuta = QString())
{
    clicca(&form, "nbInsert");
    if (!numero.isEmpty())
        scrivi(&form, "DBEditNumero", numero);
    if (!nome.isEmpty())
        scrivi(&form, "DBEditNome", nome);
    if (!cognome.isEmpty())
        scrivi(&form, "DBEditCognome", cognome);
    if (!ruolo.isEmpty())
        scegli(&form, "DBcbRuolo", ruolo);
    if (!battuta.isEmpty())
        scegli(&form, "DBcbBattuta", battuta);
    clicca(&form, "nbPost");
}

// The id of the team's player with the shirt number.
inline int idGiocatore(int squadra, int numero)
{
    const QStringList r = righe(QStringLiteral("select idgiocatore from rt_giocatori where idsquadra = ? and numeromaglia = ?"),
                                {squadra, numero});
    return r.isEmpty() ? 0 : r.first().toInt();
}

// Writes the fields of the team's (first) line-up row directly.
inline void impostaFormazione(int squadra, const QString &metodo, const QList<int> &posizioni, int libero = 0)
{
    store::Table t(QStringLiteral("rt_formazioni.db"));
    t.open();
    if (!t.locate(QStringLiteral("idsquadra"), squadra))
        qFatal("no line-up row for team %d", squadra);
    t.edit();
    t.fieldByName(QStringLiteral("metodo")).setAsString(metodo);
    for (int i = 0; i < posizioni.size(); ++i)
        t.fieldByName(QStringLiteral("pos%1").arg(i + 1)).setAsInteger(posizioni[i]);
    t.fieldByName(QStringLiteral("libe")).setAsInteger(libero);
    t.post();
}

} // namespace prova
