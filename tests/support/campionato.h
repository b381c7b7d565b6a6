// Building a championship's tables for a test in a line or two, and reading them back: the settings,
// the teams, the standings rows and the matchdays, as the calendar builder and the composer store
// them; and the form controls found by their component names.
#pragma once

#include <QMap>
#include <QStringList>
#include <QVariant>
#include <QObject>

namespace prova {

// Writes one field of the settings record.
void Impostazione(const char *campo, const QVariant &valore);
// The teams as the calendar builder stores them: squadre.db and Class.db rows at 0 points.
void Squadre(const QStringList &squadre);
// Only the standings rows, at 0 points and with empty counters.
void SquadreInClassifica(const QStringList &squadre);
// One standings row with its counters (SetG is SetV + SetP); a null `riposo` leaves it blank.
void RigaClassifica(const QString &squadra, int punti, int setV, int setP, const QVariant &riposo = QVariant());
// A matchday record as the composer stores it: teams in slot order, sets blank unless given.
void AggiungiGiornata(int numero, const QStringList &squadre, bool giocata = false, const QMap<int, QString> &sets = {});
// A whole calendar for an even number of teams (the circle method), first leg and return leg
// stored as the composer stores them (1, 1 + h, 2, 2 + h ...), nothing played.
void Calendario(const QStringList &squadre);
// "Squadra 1", "Squadra 2" ...
QStringList Nomi(const char *prefisso, int quante);

// A standings row as it stands on disk; {-1, ...} when the team has none.
struct Riga {
    int punti, setV, setP, setG;
    bool riposo;
    bool operator==(const Riga &) const = default;
};
inline constexpr Riga RigaZero{0, 0, 0, 0, false};
Riga RigaDi(const QString &squadra);

// A matchday record as it stands on disk.
struct Giornata {
    QStringList squadre; // Squadra1 ... Squadra20
    QStringList sets;    // Set1 ... Set20
    bool giocata = false;
};
Giornata GiornataDi(int numero);
// Every value of one field of a table, in stored order.
QStringList Colonna(const QString &file, const QString &campo);

// The lines of a PDF file as pdftotext lays them out, blanks inside each line squeezed to one;
// a null list when pdftotext is not installed.
QStringList RighePdf(const QString &file);

// The control of that name, or the test stops.
template <typename T> T *Figlio(QObject *form, const QString &nome)
{
    T *w = form->findChild<T *>(nome);
    if (!w)
        qFatal("no control %s", qPrintable(nome));
    return w;
}

// How QCOMPARE prints a standings row.
char *toString(const Riga &r);

} // namespace prova
