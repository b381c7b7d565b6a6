// The rotation engine: the line-ups of teams A and B laid on the six zones of their half-courts for
// each rotation, with the server's mark, the libero, the switch after the serve and the reception
// formation. Pure code: it reads players through a lookup and returns a court model, which the board
// and the prints only display.
#pragma once

#include "rotations/posizioni.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <array>

namespace rotazioni {

enum class Squadra { A = 0, B = 1 };

inline const QString NonDisponibile = QStringLiteral("Non disponibile.");
inline const QString NonDefinito = QStringLiteral("N.d.");
inline const QString DaInserireGiocatore = QStringLiteral("Da inserire");
// The letter in front of a zone value that marks the server.
inline const QString MarcaBattuta = QStringLiteral("b");

// A player as the engine reads him from rt_giocatori.
struct Giocatore {
    int id = 0;
    QString numero; // numeromaglia as text
    QString nome;
    QString cognome;
    QString ruolo;
    QString battuta;
};

// Where the engine finds the players by id.
class ElencoGiocatori {
public:
    virtual ~ElencoGiocatori() = default;
    // The player of that id, or nullptr when there is none.
    virtual const Giocatore *giocatore(int id) const = 0;
};

// Players held in memory.
class ElencoFisso : public ElencoGiocatori {
public:
    void aggiungi(const Giocatore &g) { giocatori.insert(g.id, g); }
    const Giocatore *giocatore(int id) const override;

private:
    QHash<int, Giocatore> giocatori;
};

// A line-up row of rt_formazioni: the method, the six slots and the libero, as texts (an empty field
// gives an empty text).
struct RigaFormazione {
    QString metodo;
    std::array<QString, 6> posti;
    QString libero;
};

// The settings that change what the courts show.
struct OpzioniCampo {
    bool letteraP = false;          // LETTERA_P_COLORE_PALL
    bool nomeInCampoGrande = false; // NOMEINCAMPOGRANDE
    bool cognomeInCampoGrande = false;
    bool grassettoBattuta = false; // GRASSETTO_BATTUTA_PIC
    bool coloraGiocatori = false;  // COLOR_GIOCATORI
    QString coloreP, coloreO, coloreS, coloreC, coloreL; // colour names of the big court's circles
    QString colorePic;                                   // COLOR_PALLEGGIATORE_PIC
};

// The six zone values of one team, zone z at index z - 1.
using Zone = std::array<QString, 6>;

// x mod 6 in 0 ... 5, also for a negative x.
int Modulo6(int x);
// x when x < 7, else x - 6 (x from 1 to 12).
int ZonaPalleggiatore(int x);
// The offset k of rotation n (1 ... 6): (7 - n) mod 6; and back.
int OffsetDiRotazione(int n);
int RotazioneDiOffset(int k);
// The line-up slot (1 ... 6) standing in zone z when the setter stands in zone v.
int PostoInZona(int zona, int zonaPalleggiatore);

// A zone value without the server's mark; whether it carries the mark; whether it names no player.
QString IdDelValore(const QString &valore);
bool HaMarcaBattuta(const QString &valore);
bool SenzaGiocatore(const QString &valore);

// "Non disponibile." for no player, an empty text for a player that does not exist, else his role
// (serve type).
QString RuoloGiocatore(const QString &valore, const ElencoGiocatori &elenco);
QString BattutaGiocatore(const QString &valore, const ElencoGiocatori &elenco);

// The six zone values of a team in the rotation of offset k from the setter's starting zone a:
// placement, server mark (when the team serves), then, with the switch on, the libero for a
// back-row middle and the switch of each row to its playing zones. When asked, 'rotazionali' tells
// for each zone z the rotational position (the zone before the switch) of the player now in it, at
// index z - 1; the libero has the position of the middle he replaced.
Zone SchieraRotazione(const RigaFormazione &riga, int a, int k, bool battente, bool scambio,
                      const ElencoGiocatori &elenco, std::array<int, 6> *rotazionali = nullptr);

// The texts of a zone value on the courts and beside them.
QString TestoCampoPiccolo(const QString &valore, const ElencoGiocatori &elenco, const OpzioniCampo &opzioni);
QString TestoCampoGrande(const QString &valore, const ElencoGiocatori &elenco, const OpzioniCampo &opzioni);
QString NumeroGiocatore(const QString &valore, const ElencoGiocatori &elenco);
QString SchedaGiocatore(const QString &valore, const ElencoGiocatori &elenco);
QString DescrizioneFormazione(const QString &valore, const ElencoGiocatori &elenco);
// "prima" ... "sesta" for n = 1 ... 6.
QString OrdinaleRotazione(int n);
// The colour of a settings colour name; white for "Nessuno" and any other text.
QColor ColoreDaNome(const QString &nome);

// One overview cell: its text, and whether it is bold (the server) and its background.
struct CellaPiccola {
    QString testo;
    bool grassetto = false;
    QColor sfondo = Qt::white;
};

// The six small courts: for each team, offset k and zone z, the cell [team][k][z - 1].
struct Panoramica {
    std::array<std::array<Zone, 6>, 2> valori;
    std::array<std::array<std::array<CellaPiccola, 6>, 6>, 2> celle;
    const CellaPiccola &cella(Squadra s, int zona, int k) const { return celle[int(s)][k][zona - 1]; }
};

Panoramica GeneraPanoramica(const RigaFormazione &rigaA, const RigaFormazione &rigaB, int zonaA, int zonaB,
                            Squadra battente, bool scambio, const ElencoGiocatori &elenco,
                            const OpzioniCampo &opzioni);

// One place of the big court: a zone (1 ... 6) or a reception spot (7 ... 13).
struct PostoGrande {
    QString testo;  // the name cell
    QString numero; // inside the circle
    QString scheda; // the name cell's hint: the player card, from which the role is read back
    QColor cerchio = Qt::white;
    bool visibile = true;
    int rotazionale = 0; // the rotational position of the player shown here; 0 for no player
};

// Where the engine puts each place p (zones 1 ... 6, reception spots 7 ... 13) on a team's
// half-court: the zones in the middle of their ninths, the spots as described with the board.
PuntoCampo PostoNelCampo(int p);

// One team's half of the big court.
struct MetaCampo {
    std::array<PostoGrande, 13> posti; // place p (1 ... 13) at index p - 1
    Zone valori;
    QString battuta;              // the serve label: the server's serve type, for the serving team
    bool immagineBattuta = false; // the serve picture, shown for the serving team
    int zonaPalleggiatore = 0;
    // Where each place stands now: the engine's places, until the user moves a player.
    std::array<PuntoCampo, 13> punti = PuntiDelMotore();
    PostoGrande &posto(int p) { return posti[p - 1]; }
    const PostoGrande &posto(int p) const { return posti[p - 1]; }
    // The role letter of a zone: the first character of its card.
    QString ruolo(int zona) const;
    // The shown players by rotational position, at their places now (a player shown twice counts
    // at his first place).
    PostiRotazionali postiRotazionali() const;
    static std::array<PuntoCampo, 13> PuntiDelMotore();
};

// Rearranges the receiving team's half into its reception formation, by the eight rules in order.
void Ricezione(MetaCampo &ricevente, const QString &battutaServente);

// The detail of rotation n (1 ... 6) on the big court.
struct Dettaglio {
    int rotazione = 0;
    std::array<MetaCampo, 2> squadre;
    QString titolo; // "ZP6 Dettaglio seconda rotazione ZP2"
    const MetaCampo &squadra(Squadra s) const { return squadre[int(s)]; }
    MetaCampo &squadra(Squadra s) { return squadre[int(s)]; }
    // The relations at fault of each team where its players stand now; the serving team is the one
    // that shows the serve picture.
    std::array<QList<CoppiaPosizioni>, 2> falli(RegolaPosizioni regola) const;
};

Dettaglio DettaglioRotazione(const RigaFormazione &rigaA, const RigaFormazione &rigaB, int zonaA, int zonaB, int n,
                             Squadra battente, bool scambio, const ElencoGiocatori &elenco,
                             const OpzioniCampo &opzioni);

} // namespace rotazioni
