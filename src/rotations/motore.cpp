#include "rotations/motore.h"

#include "rotations/vocabolario.h"

namespace rotazioni {

namespace {

const Giocatore *trova(const QString &valore, const ElencoGiocatori &elenco)
{
    return elenco.giocatore(IdDelValore(valore).toInt());
}

// The playing zone a role moves to in a row after the serve; 0 for a role that moves nothing.
int ZonaDiGiocoDietro(const QString &ruolo)
{
    if (ruolo == Opposto || ruolo == Palleggiatore)
        return 1;
    if (ruolo == Schiacciatore)
        return 6;
    if (ruolo == Centrale || ruolo == Libero)
        return 5;
    return 0;
}

int ZonaDiGiocoAvanti(const QString &ruolo)
{
    if (ruolo == Opposto || ruolo == Palleggiatore)
        return 2;
    if (ruolo == Schiacciatore)
        return 4;
    if (ruolo == Centrale)
        return 3;
    return 0;
}

// Moves the three players of a row from the copy to their playing zones, only when that is a
// permutation of the row: each player to a zone of his own. Otherwise (a role edited after the
// line-up was saved, an empty slot) the row keeps its rotational order, so that no player shows
// twice and none is lost.
void ScambiaFila(Zone &zone, const Zone &copia, std::array<int, 6> &rot, const std::array<int, 6> &copiaRot,
                 const std::array<int, 3> &fila, int (*destinazione)(const QString &), const ElencoGiocatori &elenco)
{
    std::array<int, 3> verso{};
    for (int i = 0; i < 3; ++i) {
        verso[i] = destinazione(RuoloGiocatore(copia[fila[i] - 1], elenco));
        if (verso[i] == 0)
            return;
        for (int j = 0; j < i; ++j)
            if (verso[j] == verso[i])
                return;
    }
    for (int i = 0; i < 3; ++i) {
        zone[verso[i] - 1] = copia[fila[i] - 1];
        rot[verso[i] - 1] = copiaRot[fila[i] - 1];
    }
}

// Copies a zone's text, circle colour and number into a reception spot and shows the spot there
// instead of the zone. A spot already taken, or a zone already moved (roles edited after the
// line-up was saved can ask for both), is left as it is, so that no player is lost or shown twice.
void Sposta(MetaCampo &m, int zona, int posto)
{
    PostoGrande &da = m.posto(zona);
    PostoGrande &a = m.posto(posto);
    if (!da.visibile || a.visibile)
        return;
    a.testo = da.testo;
    a.numero = da.numero;
    a.cerchio = da.cerchio;
    a.rotazionale = da.rotazionale;
    a.visibile = true;
    da.visibile = false;
}

bool UnoDi(const QString &ruolo, std::initializer_list<const QString *> ruoli)
{
    for (const QString *r : ruoli)
        if (ruolo == *r)
            return true;
    return false;
}

QColor ColoreRuolo(const QString &ruolo, const OpzioniCampo &o)
{
    if (ruolo == Palleggiatore)
        return ColoreDaNome(o.coloreP);
    if (ruolo == Opposto)
        return ColoreDaNome(o.coloreO);
    if (ruolo == Centrale)
        return ColoreDaNome(o.coloreC);
    if (ruolo == Schiacciatore)
        return ColoreDaNome(o.coloreS);
    if (ruolo == Libero)
        return ColoreDaNome(o.coloreL);
    return Qt::white;
}

MetaCampo SchieraGrande(const RigaFormazione &riga, int a, int k, bool battente, bool scambio,
                        const ElencoGiocatori &elenco, const OpzioniCampo &opzioni)
{
    MetaCampo m;
    for (int p = 7; p <= 13; ++p)
        m.posto(p).visibile = false;
    std::array<int, 6> rotazionali{};
    m.valori = SchieraRotazione(riga, a, k, battente, scambio, elenco, &rotazionali);
    m.zonaPalleggiatore = ZonaPalleggiatore(a + k);
    if (battente) {
        // The server is the player of zone 1 before the switch.
        const int v = ZonaPalleggiatore(a + k);
        m.battuta = BattutaGiocatore(riga.posti[PostoInZona(1, v) - 1], elenco);
        m.immagineBattuta = true;
    }
    for (int z = 1; z <= 6; ++z) {
        PostoGrande &p = m.posto(z);
        const QString &valore = m.valori[z - 1];
        p.testo = TestoCampoGrande(valore, elenco, opzioni);
        p.numero = NumeroGiocatore(valore, elenco);
        p.scheda = SchedaGiocatore(valore, elenco);
        p.rotazionale = SenzaGiocatore(valore) ? 0 : rotazionali[z - 1];
    }
    return m;
}

} // namespace

const Giocatore *ElencoFisso::giocatore(int id) const
{
    const auto it = giocatori.constFind(id);
    return it == giocatori.cend() ? nullptr : &*it;
}

int Modulo6(int x) { return ((x % 6) + 6) % 6; }

int ZonaPalleggiatore(int x) { return x < 7 ? x : x - 6; }

int OffsetDiRotazione(int n) { return Modulo6(7 - n); }

int RotazioneDiOffset(int k) { return Modulo6(7 - k) == 0 ? 6 : Modulo6(7 - k); }

int PostoInZona(int zona, int zonaPalleggiatore) { return Modulo6(zona - zonaPalleggiatore) + 1; }

QString IdDelValore(const QString &valore) { return HaMarcaBattuta(valore) ? valore.mid(1) : valore; }

bool HaMarcaBattuta(const QString &valore) { return valore.startsWith(MarcaBattuta); }

bool SenzaGiocatore(const QString &valore)
{
    const QString id = IdDelValore(valore);
    return id.isEmpty() || id == QLatin1String("0");
}

QString RuoloGiocatore(const QString &valore, const ElencoGiocatori &elenco)
{
    if (SenzaGiocatore(valore))
        return NonDisponibile;
    const Giocatore *g = trova(valore, elenco);
    return g ? g->ruolo : QString();
}

QString BattutaGiocatore(const QString &valore, const ElencoGiocatori &elenco)
{
    if (SenzaGiocatore(valore))
        return NonDisponibile;
    const Giocatore *g = trova(valore, elenco);
    return g ? g->battuta : QString();
}

Zone SchieraRotazione(const RigaFormazione &riga, int a, int k, bool battente, bool scambio,
                      const ElencoGiocatori &elenco, std::array<int, 6> *rotazionali)
{
    // Before the switch every player stands in his rotational position.
    std::array<int, 6> rot{1, 2, 3, 4, 5, 6};
    if (rotazionali)
        *rotazionali = rot;
    // Placement: the setter (slot 1) in zone v, the slots following in rising zone order.
    const int v = ZonaPalleggiatore(a + k);
    Zone zone;
    for (int z = 1; z <= 6; ++z)
        zone[z - 1] = riga.posti[PostoInZona(z, v) - 1];

    // Server mark.
    if (battente)
        zone[0] = MarcaBattuta + zone[0];
    if (!scambio)
        return zone;

    // The libero comes in for a back-row middle (never for the server). He is one player: he takes
    // the place of the first middle found, should an edited role put two there.
    if (riga.libero.toInt() != 0) {
        const std::array<int, 3> dietro{1, 5, 6};
        for (int z : dietro) {
            if (battente && z == 1)
                continue;
            if (RuoloGiocatore(zone[z - 1], elenco) == Centrale) {
                zone[z - 1] = QString::number(riga.libero.toInt());
                break;
            }
        }
    }

    // The switch after the serve, row by row, on a copy; the receiving team's back row keeps its
    // rotational order.
    const Zone copia = zone;
    const std::array<int, 6> copiaRot = rot;
    if (battente)
        ScambiaFila(zone, copia, rot, copiaRot, {1, 5, 6}, ZonaDiGiocoDietro, elenco);
    ScambiaFila(zone, copia, rot, copiaRot, {2, 3, 4}, ZonaDiGiocoAvanti, elenco);
    if (rotazionali)
        *rotazionali = rot;
    return zone;
}

QString TestoCampoPiccolo(const QString &valore, const ElencoGiocatori &elenco, const OpzioniCampo &opzioni)
{
    if (SenzaGiocatore(valore))
        return NonDefinito;
    const Giocatore *g = trova(valore, elenco);
    if (!g)
        return QString();
    QString testo = g->numero;
    if (opzioni.letteraP && g->ruolo == Palleggiatore)
        testo += QLatin1Char('p');
    if (HaMarcaBattuta(valore))
        testo = MarcaBattuta + testo;
    return testo;
}

QString TestoCampoGrande(const QString &valore, const ElencoGiocatori &elenco, const OpzioniCampo &opzioni)
{
    if (SenzaGiocatore(valore))
        return DaInserireGiocatore;
    const Giocatore *g = trova(valore, elenco);
    if (!g)
        return QString();
    QString testo = TestoCampoPiccolo(valore, elenco, opzioni);
    if (opzioni.nomeInCampoGrande)
        testo += QStringLiteral("\r\n") + g->nome;
    if (opzioni.cognomeInCampoGrande)
        testo += QStringLiteral("\r\n") + g->cognome;
    return testo;
}

QString NumeroGiocatore(const QString &valore, const ElencoGiocatori &elenco)
{
    if (SenzaGiocatore(valore))
        return DaInserireGiocatore;
    const Giocatore *g = trova(valore, elenco);
    return g ? g->numero : QString();
}

QString SchedaGiocatore(const QString &valore, const ElencoGiocatori &elenco)
{
    if (SenzaGiocatore(valore))
        return NonDisponibile;
    const Giocatore *g = trova(valore, elenco);
    if (!g)
        return QString();
    return g->ruolo + QStringLiteral(" - ") + g->numero + QStringLiteral(" - ") + g->battuta;
}

QString DescrizioneFormazione(const QString &valore, const ElencoGiocatori &elenco)
{
    if (SenzaGiocatore(valore))
        return DaInserireGiocatore;
    const Giocatore *g = trova(valore, elenco);
    if (!g)
        return QString();
    return g->numero + QStringLiteral(" - ") + g->nome + QLatin1Char(' ') + g->cognome + QStringLiteral(" (") +
           g->battuta + QLatin1Char(')');
}

QString OrdinaleRotazione(int n)
{
    static const char *const Ordinali[6] = {"prima", "seconda", "terza", "quarta", "quinta", "sesta"};
    return n >= 1 && n <= 6 ? QLatin1String(Ordinali[n - 1]) : QString();
}

QColor ColoreDaNome(const QString &nome)
{
    static const QHash<QString, QColor> Colori = {
        {QStringLiteral("Rosso"), QColor(0xFF, 0x00, 0x00)},  {QStringLiteral("Verde"), QColor(0x00, 0x80, 0x00)},
        {QStringLiteral("Giallo"), QColor(0xFF, 0xFF, 0x00)}, {QStringLiteral("Blu"), QColor(0x00, 0x00, 0xFF)},
        {QStringLiteral("Fucsia"), QColor(0xFF, 0x00, 0xFF)}, {QStringLiteral("Celeste"), QColor(0x00, 0xFF, 0xFF)},
        {QStringLiteral("Grigio"), QColor(0x80, 0x80, 0x80)}, {QStringLiteral("Viola"), QColor(0x80, 0x00, 0x80)},
        {QStringLiteral("Oliva"), QColor(0x80, 0x80, 0x00)},
    };
    return Colori.value(nome, QColor(0xFF, 0xFF, 0xFF));
}

Panoramica GeneraPanoramica(const RigaFormazione &rigaA, const RigaFormazione &rigaB, int zonaA, int zonaB,
                            Squadra battente, bool scambio, const ElencoGiocatori &elenco,
                            const OpzioniCampo &opzioni)
{
    Panoramica p;
    const QColor colorePic = ColoreDaNome(opzioni.colorePic);
    for (Squadra s : {Squadra::A, Squadra::B}) {
        const RigaFormazione &riga = s == Squadra::A ? rigaA : rigaB;
        const int a = s == Squadra::A ? zonaA : zonaB;
        for (int k : {0, 5, 4, 3, 2, 1}) {
            const Zone zone = SchieraRotazione(riga, a, k, battente == s, scambio, elenco);
            p.valori[int(s)][k] = zone;
            for (int z = 1; z <= 6; ++z) {
                CellaPiccola &c = p.celle[int(s)][k][z - 1];
                c.testo = TestoCampoPiccolo(zone[z - 1], elenco, opzioni);
                c.grassetto = opzioni.grassettoBattuta && c.testo.startsWith(MarcaBattuta);
                if (opzioni.letteraP && c.testo.endsWith(QLatin1Char('p')))
                    c.sfondo = colorePic;
            }
        }
    }
    return p;
}

QString MetaCampo::ruolo(int zona) const { return posto(zona).scheda.left(1); }

PuntoCampo PostoNelCampo(int p)
{
    // Depth from the end line, then across from the left sideline, in metres.
    static const PuntoCampo Posti[13] = {
        {3.0, 7.5}, {7.5, 7.5}, {7.5, 4.5}, {7.5, 1.5}, {3.0, 1.5}, {3.0, 4.5}, // zones 1 ... 6
        {1.5, 7.5},                                                             // 7: back corner, zone-1 side
        {4.5, 7.5}, {4.5, 4.5}, {4.5, 3.0}, {4.5, 1.5},                         // 8 ... 11: behind the attack line
        {1.5, 3.0}, {1.5, 6.0},                                                 // 12, 13: the two receivers
    };
    return p >= 1 && p <= 13 ? Posti[p - 1] : PuntoCampo{};
}

std::array<PuntoCampo, 13> MetaCampo::PuntiDelMotore()
{
    std::array<PuntoCampo, 13> punti;
    for (int p = 1; p <= 13; ++p)
        punti[p - 1] = PostoNelCampo(p);
    return punti;
}

PostiRotazionali MetaCampo::postiRotazionali() const
{
    PostiRotazionali posti;
    for (int p = 1; p <= 13; ++p) {
        const PostoGrande &g = posto(p);
        if (g.visibile && g.rotazionale >= 1 && g.rotazionale <= 6 && !posti[g.rotazionale - 1])
            posti[g.rotazionale - 1] = punti[p - 1];
    }
    return posti;
}

std::array<QList<CoppiaPosizioni>, 2> Dettaglio::falli(RegolaPosizioni regola) const
{
    std::array<QList<CoppiaPosizioni>, 2> f;
    for (int s = 0; s < 2; ++s)
        f[s] = FalliDiPosizione(squadre[s].postiRotazionali(), squadre[s].immagineBattuta, regola);
    return f;
}

void Ricezione(MetaCampo &m, const QString &battutaServente)
{
    const auto &P = Palleggiatore, &O = Opposto, &L = Libero, &C = Centrale, &S = Schiacciatore;
    // 1 to 3: the back-row setter goes up to the net; from zone 1 the front row's sides exchange.
    if (m.ruolo(5) == P)
        Sposta(m, 5, 11);
    if (m.ruolo(6) == P)
        Sposta(m, 6, 9);
    if (m.ruolo(1) == P) {
        Sposta(m, 1, 8);
        PostoGrande &due = m.posto(2), &quattro = m.posto(4);
        std::swap(due.testo, quattro.testo);
        std::swap(due.cerchio, quattro.cerchio);
        std::swap(due.numero, quattro.numero);
        std::swap(due.rotazionale, quattro.rotazionale);
    }
    // 4: the back-row opposite stands aside in the corner.
    for (int z : {5, 6, 1})
        if (m.ruolo(z) == O)
            Sposta(m, z, 7);
    // 5 to 7: the other back-row players receive between zones 5 and 6 and between 6 and 1.
    if (UnoDi(m.ruolo(5), {&L, &C, &S}))
        Sposta(m, 5, 12);
    if (UnoDi(m.ruolo(6), {&L, &C, &S})) {
        if (UnoDi(m.ruolo(1), {&O, &P}))
            Sposta(m, 6, 13);
        if (UnoDi(m.ruolo(5), {&O, &P}))
            Sposta(m, 6, 12);
    }
    if (UnoDi(m.ruolo(1), {&L, &C, &S}))
        Sposta(m, 1, 13);
    // 8: against a jump serve the zone-4 player drops back to receive.
    if (battutaServente == QLatin1String("SALTO"))
        Sposta(m, 4, 10);
}

Dettaglio DettaglioRotazione(const RigaFormazione &rigaA, const RigaFormazione &rigaB, int zonaA, int zonaB, int n,
                             Squadra battente, bool scambio, const ElencoGiocatori &elenco,
                             const OpzioniCampo &opzioni)
{
    Dettaglio d;
    d.rotazione = n;
    const int k = OffsetDiRotazione(n);
    d.squadre[0] = SchieraGrande(rigaA, zonaA, k, battente == Squadra::A, scambio, elenco, opzioni);
    d.squadre[1] = SchieraGrande(rigaB, zonaB, k, battente == Squadra::B, scambio, elenco, opzioni);
    if (opzioni.coloraGiocatori)
        for (MetaCampo &m : d.squadre)
            for (int z = 1; z <= 6; ++z)
                m.posto(z).cerchio = ColoreRuolo(m.ruolo(z), opzioni);
    if (scambio) {
        const Squadra ricevente = battente == Squadra::A ? Squadra::B : Squadra::A;
        Ricezione(d.squadre[int(ricevente)], d.squadre[int(battente)].battuta);
    }
    d.titolo = QStringLiteral("ZP%1 Dettaglio %2 rotazione ZP%3")
                   .arg(d.squadre[0].zonaPalleggiatore)
                   .arg(OrdinaleRotazione(n))
                   .arg(d.squadre[1].zonaPalleggiatore);
    return d;
}

} // namespace rotazioni
