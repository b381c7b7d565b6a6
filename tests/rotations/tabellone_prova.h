// What the tests of the rotation board and of its prints share: two teams of seven players with
// their line-ups written straight into the tables, the settings, and the board driven by its
// component names.
#pragma once

#include "rotations/frmrtrotazioni.h"

#include "moduli_prova.h"

namespace prova {

struct Voce {
    const char *numero, *nome, *cognome, *ruolo, *battuta;
};
// Team A's seven (ids 1 ... 7 in slot order, libero last) and team B's (ids 11 ... 17): the same
// players as the engine's tests, so that the expectations below can be followed there.
const Voce RosaA[7] = {{"1", "Marco", "Rossi", "P", "FLOAT"},      {"2", "Luca", "Bianchi", "S", "SALTO"},
                       {"3", "Gianni", "D'Amico", "C", "FLOAT"},   {"4", "Paolo", "Verdi", "O", "SALTOFLOAT"},
                       {"5", "Ugo", "Neri", "S", "SALTO"},         {"6", "Aldo", "Gialli", "C", "FLOAT"},
                       {"7", "Oscar", "Mori", "L", "FLOAT"}};
const Voce RosaB[7] = {{"21", "Nino", "Lodi", "P", "FLOAT"},       {"22", "Dario", "Conti", "C", "SALTO"},
                       {"23", "Enzo", "Ferri", "S", "FLOAT"},      {"24", "Fabio", "Galli", "O", "SALTO"},
                       {"25", "Piero", "Pace", "C", "FLOAT"},      {"26", "Remo", "Sala", "S", "SALTOFLOAT"},
                       {"27", "Tino", "Vago", "L", "FLOAT"}};

inline void aggiungiSquadra(int id, const QString &nome)
{
    store::Table t(QStringLiteral("rt_squadre.db"));
    t.open();
    t.append();
    t.fieldByName(QStringLiteral("idsquadra")).setAsInteger(id);
    t.fieldByName(QStringLiteral("nomesquadra")).setAsString(nome);
    t.post();
    store::Table f(QStringLiteral("rt_formazioni.db"));
    f.open();
    f.append();
    f.fieldByName(QStringLiteral("idsquadra")).setAsInteger(id);
    f.fieldByName(QStringLiteral("metodo")).setAsString(QStringLiteral("P-S-C-O-S-C"));
    f.post();
}

inline void aggiungiGiocatori(int squadra, int primoId, const Voce (&rosa)[7])
{
    store::Table g(QStringLiteral("rt_giocatori.db"));
    g.open();
    for (int i = 0; i < 7; ++i) {
        g.append();
        g.fieldByName(QStringLiteral("idgiocatore")).setAsInteger(primoId + i);
        g.fieldByName(QStringLiteral("idsquadra")).setAsInteger(squadra);
        g.fieldByName(QStringLiteral("numeromaglia")).setAsString(QLatin1String(rosa[i].numero));
        g.fieldByName(QStringLiteral("nome")).setAsString(QLatin1String(rosa[i].nome));
        g.fieldByName(QStringLiteral("cognome")).setAsString(QLatin1String(rosa[i].cognome));
        g.fieldByName(QStringLiteral("ruolo")).setAsString(QLatin1String(rosa[i].ruolo));
        g.fieldByName(QStringLiteral("battuta")).setAsString(QLatin1String(rosa[i].battuta));
        g.post();
    }
}

inline void impostazione(const char *campo, const QVariant &valore)
{
    store::Table t(QStringLiteral("impostazioni.db"));
    t.open();
    t.first();
    t.edit();
    t.fieldByName(QLatin1String(campo)).setValue(valore);
    t.post();
}

inline void cambiaGiocatore(int id, const char *campo, const QString &valore)
{
    store::Table g(QStringLiteral("rt_giocatori.db"));
    g.open();
    QVERIFY(g.locate(QStringLiteral("idgiocatore"), id));
    g.edit();
    g.fieldByName(QLatin1String(campo)).setAsString(valore);
    g.post();
}

// The program folder with the two teams and their line-ups, and the settings the tests start from.
struct Tabellone : Cartella {
    Tabellone()
    {
        aggiungiSquadra(1, QStringLiteral("Volley Sant'Anna"));
        aggiungiSquadra(2, QStringLiteral("Pallavolo Riva"));
        aggiungiGiocatori(1, 1, RosaA);
        aggiungiGiocatori(2, 11, RosaB);
        impostaFormazione(1, QStringLiteral("P-S-C-O-S-C"), {1, 2, 3, 4, 5, 6}, 7);
        impostaFormazione(2, QStringLiteral("P-C-S-O-C-S"), {11, 12, 13, 14, 15, 16}, 17);
        impostazione("PROPONISCAMBIOAUTOM", true);
        impostazione("CAR_CAMPO_GRANDE", 9);
    }
};

inline QLabel *cella(QWidget *f, const QString &nome) { return figlio<QLabel>(f, qPrintable(nome)); }
inline QString testoDi(QWidget *f, const QString &nome) { return cella(f, nome)->text(); }

// Teams and zones as the user picks them.
inline void prepara(QWidget *f, const QString &a, const QString &b, int zonaA, int zonaB)
{
    QVERIFY(scegli(f, "cbSquadraA", a));
    QVERIFY(scegli(f, "cbSquadraB", b));
    QVERIFY(scegli(f, "cbPallA", QString::number(zonaA)));
    QVERIFY(scegli(f, "cbPallB", QString::number(zonaB)));
}

// Words separated by blanks.
inline QStringList L(const char *testo) { return QString::fromUtf8(testo).split(QLatin1Char(' ')); }

} // namespace prova
