// The rotation board: team A and team B, each setter's starting zone and the serving team; the six
// rotations of both teams on six small courts, and the detail of one rotation on the big court with
// names, role colours and the receiving team's reception formation. The engine computes, the board
// only shows its court model (and keeps it, for the prints).
#pragma once

#include "core/esito.h"
#include "rotations/letturarotazioni.h"
#include "rotations/motore.h"
#include "rotations/strotazioni.h"

#include <QDialog>
#include <QList>
#include <array>
#include <optional>

class CampoDisegnato;
class CerchioGiocatore;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TFrmRTrotazioni : public QDialog {
    Q_OBJECT
public:
    explicit TFrmRTrotazioni(QWidget *parent = nullptr);
    ~TFrmRTrotazioni() override;

    void cbSquadraAChange() { SceltaSquadra(rotazioni::Squadra::A); }
    void cbSquadraBChange() { SceltaSquadra(rotazioni::Squadra::B); }
    void ButtGeneraClick();
    // ButROTA1 ... ButROTA6: the detail of rotation n.
    void ButROTAClick(int n);
    void sbEsciClick();
    // "Stampa" and "Stampa campi piccoli": the previews of what the board shows.
    void BTSstampaClick();
    void BitBtn1Click();
    // What the board shows now, as its prints copy it.
    rotazioni::StatoTabellone StatoPerStampa() const;

    bool SquadraAPronta = false;
    bool SquadraBPronta = false;
    int RotazioneMostrata = 0;
    int ZonaPalleggiatoreA = 0;
    int ZonaPalleggiatoreB = 0;

    // What the board shows now, for the prints: the overview of the last generation and the detail
    // of the last rotation button (nothing before the first).
    const std::optional<rotazioni::Panoramica> &panoramica() const { return ultimaPanoramica; }
    const std::optional<rotazioni::Dettaglio> &dettaglio() const { return ultimoDettaglio; }
    // Whether the line-up lists show a team (and which name), kept apart from the captions.
    bool squadraMostrata(rotazioni::Squadra s) const { return !nomeMostrato[int(s)].isEmpty(); }
    const rotazioni::ImpostazioniRotazioni &impostazioni() const { return settings; }
    // Players read by the last computation (each at most once).
    int lettureUltimoCalcolo() const { return letture; }
    // How long a computation may run before the waiting label is shown (tests set 0).
    int sogliaAttesaMs = 150;
    int volteAttesaMostrata = 0;

    // The button of rotation n (ButROTA1 for 1, ButROTA6 for 2 ... ButROTA2 for 6).
    static QString NomePulsanteRotazione(int n);

    // "Ripristina": the players back at the engine's places.
    void bbRipristinaClick();
    // The big court, on which players are dragged, and the pairs at fault it shows now.
    CampoDisegnato *campoDettaglio() const { return campoGrande; }
    const std::array<QList<rotazioni::CoppiaPosizioni>, 2> &falliMostrati() const { return falli; }
    // Where the circle of a place of the big court is drawn now (court coordinates).
    QPointF centroCerchio(rotazioni::Squadra s, int posto) const;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    struct PostoCampo {
        QLabel *testo = nullptr;
        CerchioGiocatore *cerchio = nullptr;
        QLabel *numero = nullptr;
    };
    struct Lato { // the controls of one team
        QLabel *etichetta = nullptr;
        QComboBox *squadra = nullptr;
        QLabel *etichettaZona = nullptr;
        QComboBox *zona = nullptr;
        QRadioButton *battuta = nullptr;
        QLabel *nome = nullptr;
        QLabel *metodo = nullptr;
        std::array<QLabel *, 6> posti{};
        QLabel *libero = nullptr;
        QLabel *etichettaBattuta = nullptr;
        QLabel *immagineBattuta = nullptr;
        QCheckBox *stampa = nullptr;
        std::array<std::array<QLabel *, 6>, 6> celle{}; // [k][zone - 1]
        std::array<PostoCampo, 13> campo{};             // places 1 ... 13
        rotazioni::RigaFormazione riga;
        QString nomeScelto;
    };

    void costruisci();
    QWidget *costruisciComandi();
    QWidget *costruisciPanoramica();
    QWidget *costruisciDettaglio();
    QWidget *costruisciListe(rotazioni::Squadra s);
    CampoDisegnato *costruisciCampoGrande();
    void FormCreate();
    void TraduciEtichette();
    void SceltaSquadra(rotazioni::Squadra s);
    Esito Verifiche();
    void PulisciCampiPiccoli();
    void PulisciCampoGrande();
    void TitoliRotazioni();
    void MostraFormazioni(const rotazioni::ElencoGiocatori &elenco);
    void MostraPanoramica(const rotazioni::Panoramica &p);
    void MostraDettaglio(const rotazioni::Dettaglio &d);
    rotazioni::Squadra Battente() const;
    // The waiting label, shown only once the computation has run for sogliaAttesaMs.
    void attesaInizio();
    void attesaPasso();
    void attesaFine();
    // The label under the court and the red lines between the players at fault.
    void AggiornaPosizioni();
    // The three parts of a place of the big court where the detail puts it.
    void PosizionaPosto(rotazioni::Squadra s, int posto);
    // Dragging a player: the place under a press, the move, the end.
    bool iniziaTrascinamento(QWidget *w, const QPointF &punto);
    void trascina(const QPointF &punto);

    Lato &lato(rotazioni::Squadra s) { return lati[int(s)]; }
    const Lato &lato(rotazioni::Squadra s) const { return lati[int(s)]; }
    std::array<Lato, 2> lati;
    rotazioni::ImpostazioniRotazioni settings;

    QGroupBox *rgBattuta = nullptr;
    QButtonGroup *gruppoBattuta = nullptr;
    QCheckBox *cbScambioAutomatico = nullptr;
    QPushButton *ButtGenera = nullptr;
    QLabel *LabelAttendere = nullptr;
    std::array<QPushButton *, 6> pulsantiRotazione{}; // by rotation n - 1
    std::array<QString, 6> nomiRotazioni; // the buttons' first captions, translated: "Prima rotazione"...
    QLabel *LabelDettaglio = nullptr;
    QLabel *LabelPosizioni = nullptr;
    QCheckBox *cbBloccaRegolari = nullptr;
    QPushButton *bbRipristina = nullptr;
    CampoDisegnato *campoGrande = nullptr;
    QPushButton *BTSstampa = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *sbEsci = nullptr;

    std::optional<rotazioni::Panoramica> ultimaPanoramica;
    std::optional<rotazioni::Dettaglio> ultimoDettaglio;
    std::array<QList<rotazioni::CoppiaPosizioni>, 2> falli;
    QString testoRegolari = rotazioni::PosizioniRegolari; // the label's captions, translated at creation
    QString testoFallo = rotazioni::FalloDiPosizione;
    struct Trascinamento {
        rotazioni::Squadra squadra;
        int posto;
        QPointF scarto; // from the pointer to the centre of the place's box
    };
    std::optional<Trascinamento> trascinamento;
    std::array<QString, 2> nomeMostrato;
    int letture = 0;
    qint64 inizioAttesa = 0;
    bool attesaVisibile = false;
};
