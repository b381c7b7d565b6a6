// The overlap rule: whether the six players of a team stand in their rotational order at the moment
// of the serve. Positions are judged by the players' rotational positions 1 ... 6 (a libero in the
// position of the player he replaced): front before back in the same column (4 before 5, 3 before 6,
// 2 before 1, "before" meaning nearer the net), and left to right within a row (4, 3, 2 in front;
// 5, 6, 1 behind, seen from the team's own end line). Nothing diagonal. Pure code: the board and the
// detail print both ask it, on the places of the engine's court model.
#pragma once

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace rotazioni {

// A place on a team's half-court in metres, measured from that team's own end line (0 at the end
// line, 9 at the centre line) and from its own left sideline (0 ... 9), seen from its end line.
struct PuntoCampo {
    qreal profondita = 0;
    qreal laterale = 0;
    bool operator==(const PuntoCampo &) const = default;
};
inline constexpr qreal LatoCampoMetri = 9;
inline constexpr qreal LineaAttaccoMetri = 6; // from the end line

// The rule set of the setting REGOLA_POSIZIONI.
enum class RegolaPosizioni {
    Fivb2025, // only the receiving team; level is legal, a fault only when one player is wholly past
    Classico, // both teams, the serving team's server excepted; level is a fault
};
inline const QString TestoFivb2025 = QStringLiteral("FIVB 2025");
inline const QString TestoClassico = QStringLiteral("Classico");
// "Classico" for that text; "FIVB 2025" for it and for anything else (an empty field included).
RegolaPosizioni RegolaDaTesto(const QString &testo);

// One relation at fault, between two rotational positions; named with the lower first ("3-6").
struct CoppiaPosizioni {
    int prima = 0;
    int seconda = 0;
    QString nome() const;
    bool operator==(const CoppiaPosizioni &) const = default;
};

// The places of a team's players by rotational position (index r - 1); no value for a position
// without a player on the court.
using PostiRotazionali = std::array<std::optional<PuntoCampo>, 6>;

// The relations at fault, in the fixed order 4-5, 3-6, 1-2 (the columns from the left), 3-4, 2-3
// (the front row), 5-6, 1-6 (the back row). A relation with a position that holds no player is not
// judged. The serving team: none under FIVB 2025, and under Classico none involving its server
// (rotational position 1).
QList<CoppiaPosizioni> FalliDiPosizione(const PostiRotazionali &posti, bool battente, RegolaPosizioni regola);

// The nearest place to the wanted one at which the player of rotational position r breaks none of
// his own relations with the others where they stand. Where no place along an axis is legal (two
// others out of order between themselves), that coordinate stays where the player stands now.
// Coordinates are kept inside the half-court.
PuntoCampo LimitaARegolare(const PostiRotazionali &posti, int r, const PuntoCampo &voluto, bool battente,
                           RegolaPosizioni regola);

// What the board's label reads: "Posizioni regolari", or one line per team at fault,
// "Fallo di posizione squadra A: 3-6, 2-3". The two captions come in the user's language.
inline const QString PosizioniRegolari = QStringLiteral("Posizioni regolari");
inline const QString FalloDiPosizione = QStringLiteral("Fallo di posizione squadra");
QString TestoPosizioni(const std::array<QList<CoppiaPosizioni>, 2> &falli, const QString &regolari = PosizioniRegolari,
                       const QString &fallo = FalloDiPosizione);

} // namespace rotazioni
