#include "championship/frmdategiornate.h"

#include "championship/calendarioics.h"
#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"
#include "ui/modale.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QString tradotto(const QString &testo)
{
    const Lingua lingua = LinguaImpostata();
    if (lingua == Lingua::Italiano)
        return testo;
    try {
        return Traduci(testo, lingua);
    } catch (const store::EngineError &) {
        return testo;
    }
}

QDateEdit *campoData(QWidget *parent, const QString &nome, const QDate &data)
{
    auto *d = createNamed<QDateEdit>(parent, nome);
    d->setDisplayFormat(FormatoDataBreve(QLocale()));
    d->setCalendarPopup(true);
    d->setDate(data);
    return d;
}
} // namespace

// ---- TFrmProponiDate -------------------------------------------------------------------------------

TFrmProponiDate::TFrmProponiDate(int giornate, const QDate &primaAndata, QWidget *parent)
    : QDialog(parent), giornate(giornate)
{
    setObjectName(QStringLiteral("FrmProponiDate"));
    setWindowTitle(QStringLiteral("Proponi date"));
    Label1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("Data della prima giornata"));
    DTPandata = campoData(this, QStringLiteral("DTPandata"), primaAndata);
    Label2 = createLabel(this, QStringLiteral("Label2"), QStringLiteral("Giorni tra una giornata e la successiva"));
    SPNpasso = createNamed<QSpinBox>(this, QStringLiteral("SPNpasso"));
    SPNpasso->setRange(1, 60);
    SPNpasso->setValue(7);
    Label3 = createLabel(this, QStringLiteral("Label3"), QStringLiteral("Data della prima giornata di ritorno"));
    DTPritorno = campoData(this, QStringLiteral("DTPritorno"), PrimoRitornoPredefinito(giornate, primaAndata, 7));
    BTSok = createButton(this, QStringLiteral("BTSok"), QStringLiteral("OK"));
    BTSannulla = createButton(this, QStringLiteral("BTSannulla"), QStringLiteral("Annulla"));
    BTSok->setDefault(true);
    connect(BTSok, &QPushButton::clicked, this, &QDialog::accept);
    connect(BTSannulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(DTPandata, &QDateEdit::dateChanged, this, &TFrmProponiDate::AggiornaRitorno);
    connect(SPNpasso, &QSpinBox::valueChanged, this, &TFrmProponiDate::AggiornaRitorno);
    connect(DTPritorno, &QDateEdit::dateChanged, this, [this] {
        if (!aggiornando)
            ritornoScelto = true;
    });

    auto *campi = new QFormLayout;
    campi->addRow(Label1, DTPandata);
    campi->addRow(Label2, SPNpasso);
    campi->addRow(Label3, DTPritorno);
    auto *pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(BTSok);
    pulsanti->addWidget(BTSannulla);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(campi);
    layout->addLayout(pulsanti);
    TraduciControlli({this, Label1, Label2, Label3, BTSannulla});
}

void TFrmProponiDate::AggiornaRitorno()
{
    if (ritornoScelto)
        return;
    aggiornando = true;
    DTPritorno->setDate(PrimoRitornoPredefinito(giornate, DTPandata->date(), SPNpasso->value()));
    aggiornando = false;
}

QDate TFrmProponiDate::PrimaAndata() const { return DTPandata->date(); }
int TFrmProponiDate::Passo() const { return SPNpasso->value(); }
QDate TFrmProponiDate::PrimoRitorno() const { return DTPritorno->date(); }

// ---- TFrmDateGiornate ------------------------------------------------------------------------------

TFrmDateGiornate::DomandaFile &TFrmDateGiornate::DomandaFileIcs()
{
    static DomandaFile domanda = [](QWidget *parent, const QString &suggerito) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Esporta .ics"), suggerito,
                                            QStringLiteral("iCalendar (*.ics)"));
    };
    return domanda;
}

TFrmDateGiornate::TFrmDateGiornate(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmDateGiornate"));
    setWindowTitle(QStringLiteral("Date giornate"));

    Label1 = createLabel(this, QStringLiteral("Label1"),
                         QStringLiteral("Data e ora (facoltativa, hh:mm) di ogni giornata"));
    GRDdate = createNamed<QTableWidget>(this, QStringLiteral("GRDdate"));
    GRDdate->setColumnCount(3);
    GRDdate->setHorizontalHeaderLabels({tradotto(QStringLiteral("Giornata")), tradotto(QStringLiteral("Data")),
                                        tradotto(QStringLiteral("Ora"))});
    GRDdate->verticalHeader()->hide();
    GRDdate->horizontalHeader()->setStretchLastSection(true);
    GRDdate->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(GRDdate, &QTableWidget::itemChanged, this, [this] {
        if (!riempiendo)
            modificato = true;
    });

    CHKsolo = createNamed<QCheckBox>(this, QStringLiteral("CHKsolo"));
    BTSproponi = createButton(this, QStringLiteral("BTSproponi"), QStringLiteral("Proponi date"));
    BTSsalva = createButton(this, QStringLiteral("BTSsalva"), QStringLiteral("Salva"));
    BTSesporta = createButton(this, QStringLiteral("BTSesporta"), QStringLiteral("Esporta .ics"));
    BTSesci = createButton(this, QStringLiteral("BTSesci"), QStringLiteral("Esci"));
    connect(BTSproponi, &QPushButton::clicked, this, &TFrmDateGiornate::BTSproponiClick);
    connect(BTSsalva, &QPushButton::clicked, this, [this] { BTSsalvaClick(); });
    connect(BTSesporta, &QPushButton::clicked, this, &TFrmDateGiornate::BTSesportaClick);
    connect(BTSesci, &QPushButton::clicked, this, &TFrmDateGiornate::BTSesciClick);

    auto *pulsanti = new QHBoxLayout;
    pulsanti->addWidget(BTSproponi);
    pulsanti->addStretch();
    pulsanti->addWidget(BTSsalva);
    pulsanti->addWidget(BTSesporta);
    pulsanti->addWidget(BTSesci);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(GRDdate, 1);
    layout->addWidget(CHKsolo);
    layout->addLayout(pulsanti);
    resize(460, 520);

    TraduciControlli({this, Label1, BTSproponi, BTSsalva, BTSesporta, BTSesci});
    squadraPreferita = LeggiImpostazione(QStringLiteral("SQUADRAPREFERITA")).trimmed();
    annata = LeggiImpostazione(QStringLiteral("ANNATA")).trimmed();
    categoria = LeggiImpostazione(QStringLiteral("CATEGORIA")).trimmed();
    CHKsolo->setText(tradotto(QStringLiteral("Solo le partite di")) + QLatin1Char(' ') + squadraPreferita);
    CHKsolo->setChecked(!squadraPreferita.isEmpty());
    CHKsolo->setEnabled(!squadraPreferita.isEmpty());
    Carica();
}

void TFrmDateGiornate::Carica()
{
    numeri.clear();
    DateGiornate date;
    try {
        for (const GiornataCalendario &g : LeggiCalendario())
            if (g.numero > 0 && !numeri.contains(g.numero))
                numeri << g.numero;
        date = LeggiDateGiornate();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    std::sort(numeri.begin(), numeri.end());
    Riempi(date);
    modificato = false;
}

void TFrmDateGiornate::Riempi(const DateGiornate &date)
{
    riempiendo = true;
    const QLocale locale;
    const QString formato = FormatoDataBreve(locale);
    GRDdate->setRowCount(int(numeri.size()));
    for (int r = 0; r < numeri.size(); ++r) {
        auto *numero = new QTableWidgetItem(QString::number(numeri[r]));
        numero->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        numero->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const DataGiornata d = date.value(numeri[r]);
        GRDdate->setItem(r, 0, numero);
        GRDdate->setItem(r, 1, new QTableWidgetItem(d.data.isValid() ? locale.toString(d.data, formato) : QString()));
        GRDdate->setItem(r, 2, new QTableWidgetItem(d.ora));
    }
    GRDdate->resizeColumnsToContents();
    GRDdate->setColumnWidth(1, qMax(GRDdate->columnWidth(1), GRDdate->fontMetrics().horizontalAdvance(
                                                                  QStringLiteral("00/00/00000000"))));
    riempiendo = false;
}

bool TFrmDateGiornate::LeggiGriglia(DateGiornate &date, bool soloOre)
{
    date.clear();
    const QLocale locale;
    for (int r = 0; r < numeri.size(); ++r) {
        const QString testoData = GRDdate->item(r, 1) ? GRDdate->item(r, 1)->text().trimmed() : QString();
        const QString testoOra = GRDdate->item(r, 2) ? GRDdate->item(r, 2)->text().trimmed() : QString();
        const QDate data = LeggiDataDigitata(testoData, locale);
        if (!testoData.isEmpty() && !data.isValid()) {
            MostraErrore(QStringLiteral("La data \"%1\" della giornata %2 non è valida: scriverla come %3.")
                             .arg(testoData)
                             .arg(numeri[r])
                             .arg(locale.toString(QDate(2024, 10, 12), FormatoDataBreve(locale))));
            GRDdate->setCurrentCell(r, 1);
            return false;
        }
        const std::optional<QString> ora = NormalizzaOra(testoOra);
        if (!ora) {
            MostraErrore(QStringLiteral("L'ora \"%1\" della giornata %2 non è valida: scriverla come hh:mm, "
                                        "da 00:00 a 23:59.")
                             .arg(testoOra)
                             .arg(numeri[r]));
            GRDdate->setCurrentCell(r, 2);
            return false;
        }
        if (!ora->isEmpty() && !data.isValid() && !soloOre) {
            MostraErrore(QStringLiteral("La giornata %1 ha un'ora ma non una data.").arg(numeri[r]));
            GRDdate->setCurrentCell(r, 1);
            return false;
        }
        if (data.isValid() || !ora->isEmpty())
            date.insert(numeri[r], {data, *ora});
    }
    return true;
}

void TFrmDateGiornate::BTSproponiClick()
{
    const int giornate = int(numeri.size());
    if (giornate == 0) {
        MostraAttenzione(QStringLiteral("Il calendario non ha giornate."));
        return;
    }
    DateGiornate attuali;
    if (!LeggiGriglia(attuali, true))
        return;
    bool conDate = false;
    for (const DataGiornata &d : std::as_const(attuali))
        conDate = conDate || d.data.isValid();
    QDate prima = attuali.value(numeri.first()).data;
    if (!prima.isValid()) {
        prima = QDate::currentDate();
        prima = prima.addDays((Qt::Saturday - prima.dayOfWeek() + 7) % 7); // the next Saturday
    }
    TFrmProponiDate domanda(giornate, prima, this);
    if (MostraModale(domanda) != QDialog::Accepted)
        return;
    if (conDate && !ChiediConferma(QStringLiteral("Le date presenti saranno sostituite. Proseguire?")))
        return;
    // The proposal counts the matchdays as the grid lists them: the first half is the first leg.
    const DateGiornate proposte = ProponiDate(giornate, domanda.PrimaAndata(), domanda.Passo(), domanda.PrimoRitorno());
    DateGiornate perNumero;
    for (int r = 0; r < numeri.size(); ++r)
        if (proposte.contains(r + 1))
            perNumero.insert(numeri[r], {proposte.value(r + 1).data, attuali.value(numeri[r]).ora});
    Riempi(perNumero);
    modificato = true;
}

bool TFrmDateGiornate::BTSsalvaClick()
{
    DateGiornate date;
    if (!LeggiGriglia(date))
        return false;
    try {
        SalvaDateGiornate(date);
    } catch (const std::exception &e) {
        const auto *errore = dynamic_cast<const store::EngineError *>(&e);
        MostraErrore(QStringLiteral("Le date non sono state salvate.") +
                     (errore ? QLatin1Char('\n') + errore->message() : QString()));
        return false;
    }
    modificato = false;
    MostraMessaggio(QStringLiteral("Date salvate."));
    return true;
}

void TFrmDateGiornate::BTSesportaClick()
{
    DateGiornate date;
    if (!LeggiGriglia(date))
        return;
    QList<GiornataCalendario> calendario;
    try {
        calendario = LeggiCalendario();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        return;
    }
    OpzioniIcs opzioni;
    opzioni.annata = annata;
    opzioni.categoria = categoria;
    opzioni.squadra = CHKsolo->isChecked() ? squadraPreferita : QString();
    opzioni.parolaGiornata = tradotto(QStringLiteral("Giornata"));
    const CalendarioIcs ics = ComponiIcs(calendario, date, opzioni);
    if (ics.eventi == 0) {
        MostraAttenzione(QStringLiteral("Nessuna partita ha una data: il file non è stato scritto."));
        return;
    }
    const QString cartella = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString nome = DomandaFileIcs()(this, QDir(cartella).filePath(NomeFileIcs(annata)));
    if (nome.isEmpty())
        return;
    QSaveFile file(nome);
    bool scritto = file.open(QIODevice::WriteOnly);
    if (scritto)
        scritto = file.write(ics.testo) == ics.testo.size();
    if (scritto)
        scritto = file.commit();
    else
        file.cancelWriting();
    if (!scritto) {
        MostraErrore(QStringLiteral("Impossibile scrivere il file \"%1\": %2.\nIl calendario non è stato esportato.")
                         .arg(QDir::toNativeSeparators(nome), file.errorString()));
        return;
    }
    QString messaggio = QStringLiteral("Esportate %1 partite in \"%2\".")
                            .arg(QLocale().toString(ics.eventi), QDir::toNativeSeparators(nome));
    if (!ics.senzaData.isEmpty()) {
        QStringList giornate;
        for (int g : ics.senzaData)
            giornate << QString::number(g);
        messaggio += QStringLiteral("\nGiornate senza data, non esportate: %1 (%2).")
                         .arg(QLocale().toString(int(ics.senzaData.size())), giornate.join(QStringLiteral(", ")));
    }
    MostraMessaggio(messaggio);
}

bool TFrmDateGiornate::PuoUscire()
{
    if (!modificato)
        return true;
    return ChiediConfermaDistruttiva(
        QStringLiteral("Le date modificate non sono state salvate. Uscire senza salvarle?"));
}

void TFrmDateGiornate::BTSesciClick() { reject(); }

void TFrmDateGiornate::reject()
{
    if (!uscitaDecisa && !PuoUscire())
        return;
    uscitaDecisa = true;
    QDialog::reject();
}

void TFrmDateGiornate::closeEvent(QCloseEvent *event)
{
    if (!uscitaDecisa && !PuoUscire()) {
        event->ignore();
        return;
    }
    uscitaDecisa = true;
    QDialog::closeEvent(event);
}

void TFrmDateGiornate::showEvent(QShowEvent *event)
{
    uscitaDecisa = false;
    QDialog::showEvent(event);
}
