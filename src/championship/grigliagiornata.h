// The matchday grid every matchday form shows: one match per row, ten rows, the home team and its
// sets on the left, the visitor's sets and the visitor on the right. The team boxes SQ1 ... SQ20
// are read-only and show Squadra1 ... Squadra20 of the table's current row; beside each team stands
// its set box P1 ... P20 (typed in, or read-only on Set1 ... Set20) or its mark V1 ... V20.
#pragma once

#include "store/campigiornata.h"

#include <QObject>
#include <array>

class DBEdit;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;
namespace store {
class Table;
}

class GrigliaGiornata {
public:
    static constexpr int Campi = SlotGiornata;
    enum class Accanto {
        SetDigitati, // P1 ... P20: edits of one character, typed in
        SetMostrati, // P1 ... P20: read-only, bound to Set1 ... Set20 of the table
        Segni,       // V1 ... V20: labels
    };

    // Builds the forty controls as children of `form`, laid out in the returned grid.
    GrigliaGiornata(QWidget *form, store::Table *giornate, Accanto accanto);

    QGridLayout *layout() const { return griglia; }
    DBEdit *SQ(int k) const { return squadre[size_t(k - 1)]; }
    QLineEdit *P(int k) const { return set[size_t(k - 1)]; }
    QLabel *V(int k) const { return segni[size_t(k - 1)]; }
    // Shows only the four controls of match `partita` (1 ... 10); 0 hides every one.
    void MostraSoloPartita(int partita);

    static QString Campo(const char *prefisso, int k) { return QLatin1String(prefisso) + QString::number(k); }

private:
    QGridLayout *griglia = nullptr;
    std::array<DBEdit *, Campi> squadre{};
    std::array<QLineEdit *, Campi> set{};
    std::array<QLabel *, Campi> segni{};
    std::array<QLabel *, Campi / 2> trattini{};
};
