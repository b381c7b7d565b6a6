#include "utilities/frmesportazionetabelle.h"

#include "core/attesa.h"
#include "core/cartella.h"
#include "core/messaggi.h"
#include "core/shell.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/query.h"
#include "store/table.h"
#include "ui/dbgrid.h"
#include "ui/inputbox.h"
#include "ui/modale.h"
#include "ui/namedwidgets.h"
#include "ui/radiogroup.h"
#include "utilities/esportazione.h"
#include "utilities/inputdate.h"
#include "utilities/scritturaesportazione.h"
#include "utilities/traduzioneutilita.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QShowEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString DatiNonCorretti = QStringLiteral("Dati non corretti, correggere la situazione e ripetere l'operazione!");
const QString TabellaChiusa = QStringLiteral(
    "Tabella chiusa, scegliere un modello da esportare e premere su esegui per attivare la tabella.");
const QString NonRiescoAScrivere =
    QStringLiteral("Non riesco a scrivere l'archivio nel percorso indicato! Controllare e ripetere l'operazione.");
const QString NomeFileTesto = QStringLiteral("Export.txt");
const QString NomeFoglio = QStringLiteral("Foglio n.1");

// The user's documents folder; the home folder when there is none.
QString CartellaDocumenti()
{
    const QString documenti = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documenti.isEmpty() && QFileInfo(documenti).isDir())
        return QDir::toNativeSeparators(documenti);
    return QDir::toNativeSeparators(QDir::homePath());
}

QPlainTextEdit *creaMemo(QWidget *parent, const QString &nome)
{
    auto *m = createNamed<QPlainTextEdit>(parent, nome);
    m->setTabChangesFocus(true);
    m->setMinimumHeight(44);
    return m;
}

// The text as the boxes hold it: lines joined by line breaks.
QString testoMemo(const QPlainTextEdit *m) { return m->toPlainText(); }

// The last "/" or "\" of a stored path: presets written on Windows keep their backslashes.
int ultimoSeparatore(const QString &percorso)
{
    return int(std::max(percorso.lastIndexOf(QLatin1Char('/')), percorso.lastIndexOf(QLatin1Char('\\'))));
}
} // namespace

TfrmEsportazioneTabelle::TfrmEsportazioneTabelle(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEsportazioneTabelle"));
    setWindowTitle(QStringLiteral("Esportazione archivi in formato ASCII e EXCEL"));
    TabExport = new store::Table(QStringLiteral("tabexport.db"), this);
    TabExport->setObjectName(QStringLiteral("TabExport"));
    Query1 = new store::Query(QString(), this);
    Query1->setObjectName(QStringLiteral("Query1"));
    costruisci();
    FormCreate();
    AdattaAllaPagina();
}

void TfrmEsportazioneTabelle::AdattaAllaPagina()
{
    // As large as the translated captions of the page need, up to a small screen (beyond it the
    // page scrolls).
    const QSize pagina = scorrimento->widget()->minimumSizeHint();
    resize(std::clamp(pagina.width() + 2, width(), LarghezzaMassima), std::clamp(pagina.height() + 2, height(), AltezzaMassima));
}

void TfrmEsportazioneTabelle::showEvent(QShowEvent *evento)
{
    // Laid out and translated only now: the page's needs are known.
    if (!evento->spontaneous() && !dimensionata) {
        dimensionata = true;
        AdattaAllaPagina();
    }
    QDialog::showEvent(evento);
}

TfrmEsportazioneTabelle::~TfrmEsportazioneTabelle()
{
    DBGrid1->setDataSource(nullptr);
    Query1->close();
    TabExport->close();
}

void TfrmEsportazioneTabelle::costruisci()
{
    QWidget *contenuto = this;

    // ---- upper part ----
    Label7 = createLabel(contenuto, QStringLiteral("Label7"), QStringLiteral("Lista modelli"));
    cbPreimpostati = createNamed<QComboBox>(contenuto, QStringLiteral("cbPreimpostati"));
    cbPreimpostati->setEditable(true);
    cbPreimpostati->setInsertPolicy(QComboBox::NoInsert);
    cbPreimpostati->setMinimumWidth(260);
    connect(cbPreimpostati, &QComboBox::activated, this, &TfrmEsportazioneTabelle::cbPreimpostatiChange);
    buttEsegui = createButton(contenuto, QStringLiteral("buttEsegui"), QStringLiteral("&Esegui"));
    connect(buttEsegui, &QPushButton::clicked, this, &TfrmEsportazioneTabelle::buttEseguiClick);
    sbEsci = createButton(contenuto, QStringLiteral("sbEsci"), QStringLiteral("Esci"),
                          QStringLiteral("Esci da questa maschera"));
    connect(sbEsci, &QPushButton::clicked, this, &TfrmEsportazioneTabelle::sbEsciClick);

    Label13 = createLabel(contenuto, QStringLiteral("Label13"), QStringLiteral("Percorso dell'archivio"));
    cartelle = new QFileSystemModel(this);
    cartelle->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    cartelle->setRootPath(QDir::rootPath());
    DirectoryListBox1 = createNamed<QTreeView>(contenuto, QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setModel(cartelle);
    for (int c = 1; c < cartelle->columnCount(); ++c)
        DirectoryListBox1->hideColumn(c);
    DirectoryListBox1->header()->hide();
    DirectoryListBox1->setMinimumWidth(200);
    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TfrmEsportazioneTabelle::DirectoryListBox1Change);

    Label9 = createLabel(contenuto, QStringLiteral("Label9"),
                         QStringLiteral("Risultato dell'esecuzione del modello (premere Esporta per ottenere l'archivio)"));
    DBGrid1 = createNamed<DBGrid>(contenuto, QStringLiteral("DBGrid1"));

    gbPercorso = createNamed<QGroupBox>(contenuto, QStringLiteral("gbPercorso"));
    gbPercorso->setTitle(QStringLiteral("Percorso dell'archivio da generare"));
    EditEsportaPath = createNamed<QLineEdit>(gbPercorso, QStringLiteral("EditEsportaPath"));
    (new QVBoxLayout(gbPercorso))->addWidget(EditEsportaPath);

    gbNome = createNamed<QGroupBox>(contenuto, QStringLiteral("gbNome"));
    gbNome->setTitle(QStringLiteral("Nome dell'archivio"));
    EditNomeFEsportaz = createNamed<QLineEdit>(gbNome, QStringLiteral("EditNomeFEsportaz"));
    EdtNomeFoglioLavoro = createNamed<QLineEdit>(gbNome, QStringLiteral("EdtNomeFoglioLavoro"));
    EdtNomeFoglioLavoro->setVisible(false);
    auto *nomi = new QHBoxLayout(gbNome);
    nomi->addWidget(EditNomeFEsportaz);
    nomi->addWidget(EdtNomeFoglioLavoro);

    rgTIPO = createNamed<RadioGroup>(contenuto, QStringLiteral("rgTIPO"));
    rgTIPO->setTitle(QStringLiteral("Tipo formato d'esportazione"));
    rgTIPO->setItems({QStringLiteral("Formato testo"), QStringLiteral("Formato excel")});
    rgTIPO->setColumns(2);
    connect(rgTIPO, &RadioGroup::itemIndexChanged, this, &TfrmEsportazioneTabelle::rgTIPOClick);
    bbExport = createButton(contenuto, QStringLiteral("bbExport"), QStringLiteral("Esporta"),
                            QStringLiteral("Esportazione archivio"));
    bbExport->setEnabled(false);
    connect(bbExport, &QPushButton::clicked, this, &TfrmEsportazioneTabelle::bbExportClick);
    PrgBar = createNamed<QProgressBar>(contenuto, QStringLiteral("PrgBar"));
    PrgBar->setTextVisible(false);
    PrgBar->setRange(0, 1);
    PrgBar->setValue(0);

    // ---- lower part: the preset editor ----
    Label2 = createLabel(contenuto, QStringLiteral("Label2"), QStringLiteral("&Tabelle"));
    LBTableName = createNamed<QListWidget>(contenuto, QStringLiteral("LBTableName"));
    Label2->setBuddy(LBTableName);
    connect(LBTableName, &QListWidget::currentRowChanged, this, &TfrmEsportazioneTabelle::LBTableNameClick);
    Label3 = createLabel(contenuto, QStringLiteral("Label3"), QStringLiteral("&Campi"));
    LBFieldName = createNamed<QListWidget>(contenuto, QStringLiteral("LBFieldName"));
    Label3->setBuddy(LBFieldName);
    connect(LBFieldName, &QListWidget::itemDoubleClicked, this, &TfrmEsportazioneTabelle::LBFieldNameDblClick);
    rgDestinaz = createNamed<RadioGroup>(contenuto, QStringLiteral("rgDestinaz"));
    rgDestinaz->setTitle(QStringLiteral("Destinazione campi"));
    rgDestinaz->setItems({QStringLiteral("Box campi selezionati"), QStringLiteral("Box condizione"),
                          QStringLiteral("Campo richiesta periodo"), QStringLiteral("Box Ordinamento")});
    rgDestinaz->setColumns(2); // two by two: the editor fits below the upper part
    rgDestinaz->setItemIndex(0);
    Label4 = createLabel(contenuto, QStringLiteral("Label4"), QStringLiteral("Campi selezionati:"));
    MemoCampi = creaMemo(contenuto, QStringLiteral("MemoCampi"));
    Label5 = createLabel(contenuto, QStringLiteral("Label5"), QStringLiteral("Tabelle selezionate:"));
    MemoDBSelected = creaMemo(contenuto, QStringLiteral("MemoDBSelected"));
    Label6 = createLabel(contenuto, QStringLiteral("Label6"), QStringLiteral("Condizione"));
    MemoCondizione = creaMemo(contenuto, QStringLiteral("MemoCondizione"));
    Label10 = createLabel(contenuto, QStringLiteral("Label10"), QStringLiteral("Formattazione"));
    MemoFormattazione = creaMemo(contenuto, QStringLiteral("MemoFormattazione"));
    Label11 = createLabel(contenuto, QStringLiteral("Label11"),
                          QStringLiteral("I nomi dei campi da formattare in uscita, devono essere uguali a quelli "
                                         "dell'intestazione delle colonne visibili nel risultato dell'esecuzione del "
                                         "modello."));
    Label11->setWordWrap(true);
    Label11->setMinimumHeight(2 * Label11->fontMetrics().lineSpacing() + 4);
    Label8 = createLabel(contenuto, QStringLiteral("Label8"), QStringLiteral("Campo richiesta periodo (dal ... al ...)"));
    EditData = createNamed<QLineEdit>(contenuto, QStringLiteral("EditData"));
    Label12 = createLabel(contenuto, QStringLiteral("Label12"), QStringLiteral("Ordine per:"));
    EditOrdinamento = createNamed<QLineEdit>(contenuto, QStringLiteral("EditOrdinamento"));
    connect(EditOrdinamento, &QLineEdit::editingFinished, this, &TfrmEsportazioneTabelle::EditOrdinamentoExit);
    Button3 = createButton(contenuto, QStringLiteral("Button3"), QStringLiteral("Aggiungi come nuovo modello"));
    connect(Button3, &QPushButton::clicked, this, &TfrmEsportazioneTabelle::Button3Click);
    buttElimina = createButton(contenuto, QStringLiteral("buttElimina"), QStringLiteral("Elimina modello attuale"));
    connect(buttElimina, &QPushButton::clicked, this, &TfrmEsportazioneTabelle::buttEliminaClick);
    Button4 = createButton(contenuto, QStringLiteral("Button4"), QStringLiteral("Conferma variazione modello attuale"));
    connect(Button4, &QPushButton::clicked, this, &TfrmEsportazioneTabelle::Button4Click);
    buttClear = createButton(contenuto, QStringLiteral("buttClear"), QStringLiteral("Pulisci dati"));
    connect(buttClear, &QPushButton::clicked, this, &TfrmEsportazioneTabelle::buttClearClick);

    // ---- layout ----
    // The upper part above the preset editor, both in one page that scrolls when the window is
    // smaller than the page: every control can be reached at any size.
    superiore = new QWidget(this);
    superiore->setObjectName(QStringLiteral("ParteSuperiore"));
    auto *v = new QVBoxLayout(superiore);
    v->setContentsMargins(8, 6, 8, 4);
    v->setSpacing(4);
    auto *alto = new QGridLayout;
    alto->addWidget(Label7, 0, 0);
    alto->addWidget(cbPreimpostati, 1, 0);
    alto->addWidget(buttEsegui, 1, 1);
    alto->addWidget(Label13, 0, 3);
    alto->addWidget(DirectoryListBox1, 1, 3, 4, 1);
    alto->addWidget(Label9, 2, 0, 1, 3);
    alto->addWidget(DBGrid1, 3, 0, 2, 3);
    alto->setColumnStretch(0, 3);
    alto->setColumnStretch(3, 1);
    alto->setRowStretch(4, 1);
    v->addLayout(alto, 1);
    auto *esporta = new QHBoxLayout;
    esporta->addWidget(gbPercorso, 2);
    esporta->addWidget(gbNome, 2);
    esporta->addWidget(rgTIPO, 2);
    auto *pulsanti = new QVBoxLayout;
    pulsanti->addWidget(bbExport);
    pulsanti->addWidget(sbEsci);
    esporta->addLayout(pulsanti);
    v->addLayout(esporta);
    v->addWidget(PrgBar);

    editor = new QWidget(this);
    editor->setObjectName(QStringLiteral("EditorModelli"));
    auto *colonne = new QHBoxLayout;
    auto colonna = [&colonne](std::initializer_list<QWidget *> widgets, int stretch, bool finale = false) {
        auto *c = new QVBoxLayout;
        for (QWidget *w : widgets)
            c->addWidget(w);
        if (finale)
            c->addStretch();
        colonne->addLayout(c, stretch);
    };
    colonna({Label2, LBTableName}, 2);
    colonna({Label3, LBFieldName}, 2);
    colonna({rgDestinaz, Label8, EditData, Label12, EditOrdinamento}, 2, true);
    colonna({Label4, MemoCampi, Label5, MemoDBSelected}, 3);
    colonna({Label6, MemoCondizione, Label10, MemoFormattazione}, 3);
    auto *modelli = new QHBoxLayout;
    modelli->addWidget(Button3);
    modelli->addWidget(Button4);
    modelli->addWidget(buttElimina);
    modelli->addStretch();
    modelli->addWidget(buttClear);
    auto *e = new QVBoxLayout(editor);
    e->setContentsMargins(8, 4, 8, 8);
    e->addLayout(colonne);
    e->addWidget(Label11);
    e->addLayout(modelli);
    DBGrid1->setMinimumHeight(70);
    DirectoryListBox1->setMinimumHeight(70);
    PrgBar->setMaximumHeight(12);

    auto *pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("PaginaEsportazione"));
    auto *parti = new QVBoxLayout(pagina);
    parti->setContentsMargins(0, 0, 0, 0);
    parti->setSpacing(0);
    parti->addWidget(superiore, 1);
    parti->addWidget(editor);
    scorrimento = createNamed<QScrollArea>(this, QStringLiteral("ScrollEsportazione"));
    scorrimento->setFrameShape(QFrame::NoFrame);
    scorrimento->setWidgetResizable(true);
    scorrimento->setWidget(pagina);
    auto *finestra = new QVBoxLayout(this);
    finestra->setContentsMargins(0, 0, 0, 0);
    finestra->addWidget(scorrimento);
    setMinimumSize(400, 300);
    setSizeGripEnabled(true);
    resize(Larghezza, Altezza);
}

void TfrmEsportazioneTabelle::FormCreate()
{
    cartellaPredefinita = CartellaDocumenti();
    try {
        TabExport->open();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    RiempiModelli();
    RiempiTabelle();
    PulisciDati();
    MostraCartella(cartellaPredefinita);
    TraduciEtichette();
}

void TfrmEsportazioneTabelle::TraduciEtichette()
{
    TraduciSeTabellaLingua({this, Label2, Label3, Label7, buttEsegui, Label13, Label9, sbEsci, gbPercorso, gbNome, rgTIPO,
                            rgTIPO->button(0), rgTIPO->button(1), bbExport, rgDestinaz, Label4, Label5, Label6, Label10,
                            Label8, Button3, buttElimina, Button4, buttClear, Label12, Label11});
    // Wrapped but not height-for-width (QLabel asks for it again at each new text): otherwise the
    // scrolling page takes the height every box would like instead of the window's, and the
    // editor falls below the window's edge.
    QSizePolicy politica = Label11->sizePolicy();
    politica.setHeightForWidth(false);
    Label11->setSizePolicy(politica);
}

void TfrmEsportazioneTabelle::RiempiModelli()
{
    cbPreimpostati->blockSignals(true);
    cbPreimpostati->clear();
    progressivi.clear();
    if (TabExport->isOpen()) {
        TabExport->refresh();
        for (TabExport->first(); !TabExport->eof(); TabExport->next()) {
            cbPreimpostati->addItem(TabExport->fieldByName(QStringLiteral("DESCR")).asString());
            progressivi << TabExport->fieldByName(QStringLiteral("PROGR")).asInteger();
        }
    }
    cbPreimpostati->setCurrentIndex(-1);
    cbPreimpostati->blockSignals(false);
    modelloCorrente = -1;
}

void TfrmEsportazioneTabelle::RiempiTabelle()
{
    LBTableName->blockSignals(true);
    LBTableName->clear();
    QDir cartella(CartellaProgramma());
    LBTableName->addItems(cartella.entryList({QStringLiteral("*.db")}, QDir::Files, QDir::Name | QDir::IgnoreCase));
    LBTableName->setCurrentRow(-1);
    LBTableName->blockSignals(false);
    LBFieldName->clear();
}

void TfrmEsportazioneTabelle::MostraCartella(const QString &cartella)
{
    EditEsportaPath->setText(cartella);
    const QModelIndex i = cartelle->index(QDir::fromNativeSeparators(cartella));
    if (i.isValid()) {
        DirectoryListBox1->blockSignals(true);
        DirectoryListBox1->setCurrentIndex(i);
        DirectoryListBox1->scrollTo(i);
        DirectoryListBox1->blockSignals(false);
    }
}

void TfrmEsportazioneTabelle::DirectoryListBox1Change()
{
    const QModelIndex i = DirectoryListBox1->currentIndex();
    if (i.isValid())
        EditEsportaPath->setText(QDir::toNativeSeparators(cartelle->filePath(i)));
}

void TfrmEsportazioneTabelle::PulisciDati()
{
    MemoCampi->clear();
    MemoDBSelected->clear();
    MemoCondizione->clear();
    MemoFormattazione->clear();
    rgDestinaz->setItemIndex(0);
    cbPreimpostati->blockSignals(true);
    cbPreimpostati->setCurrentIndex(-1);
    cbPreimpostati->setEditText(QString());
    cbPreimpostati->blockSignals(false);
    modelloCorrente = -1;
    EditData->clear();
    EditNomeFEsportaz->setText(NomeFileTesto);
    EdtNomeFoglioLavoro->setText(NomeFoglio);
    EditEsportaPath->setText(cartellaPredefinita);
    Query1->close();
    bbExport->setEnabled(false);
}

void TfrmEsportazioneTabelle::buttClearClick() { PulisciDati(); }

void TfrmEsportazioneTabelle::cbPreimpostatiChange(int indice)
{
    if (esportando || indice < 0 || indice >= progressivi.size())
        return;
    PulisciDati();
    try {
        TabExport->refresh();
        if (!TabExport->locate(QStringLiteral("PROGR"), progressivi[indice])) {
            MostraErrore(QStringLiteral("Il modello scelto non esiste più."));
            RiempiModelli();
            return;
        }
        auto testo = [this](const char *campo) { return TabExport->fieldByName(QLatin1String(campo)).asString(); };
        MemoCampi->setPlainText(testo("CAMPI"));
        MemoDBSelected->setPlainText(testo("TABELLE"));
        MemoCondizione->setPlainText(testo("CONDIZIONE"));
        MemoFormattazione->setPlainText(testo("FORMATTAZIONE"));
        EditOrdinamento->setText(testo("ORDINAMENTO"));
        EditData->setText(testo("CAMPODATA"));
        EdtNomeFoglioLavoro->setText(testo("NOMEFOGLIOEXCEL"));
        const QString nomeFile = testo("NOMEFILE");
        const int sep = ultimoSeparatore(nomeFile);
        // A preset that names no folder writes into the documents folder.
        EditEsportaPath->setText(sep >= 0 ? nomeFile.left(sep + 1) : cartellaPredefinita);
        EditNomeFEsportaz->setText(nomeFile.mid(sep + 1));
        const int tipo = TabExport->fieldByName(QStringLiteral("txtOxls")).asInteger();
        rgTIPO->setItemIndex(tipo == 0 || tipo == 1 ? tipo : -1);
        rgTIPOClick();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        return;
    }
    cbPreimpostati->blockSignals(true);
    cbPreimpostati->setCurrentIndex(indice);
    cbPreimpostati->blockSignals(false);
    modelloCorrente = indice;
    PrgBar->setValue(0);
}

void TfrmEsportazioneTabelle::LBTableNameClick()
{
    LBFieldName->clear();
    QListWidgetItem *voce = LBTableName->currentItem();
    if (!voce)
        return;
    try {
        const store::TableDeclaration d = store::Database::instance().readStructure(voce->text());
        LBFieldName->addItem(QStringLiteral("*"));
        for (const store::FieldDef &f : d.fields)
            LBFieldName->addItem(f.name);
    } catch (const store::EngineError &) {
        LBFieldName->clear();
        MostraErrore(QStringLiteral("Selezionare il database e la tabella"));
    }
}

void TfrmEsportazioneTabelle::LBFieldNameDblClick()
{
    QListWidgetItem *tabella = LBTableName->currentItem();
    QListWidgetItem *campo = LBFieldName->currentItem();
    if (!tabella || !campo)
        return;
    BoxEditor box{testoMemo(MemoCampi), testoMemo(MemoDBSelected), testoMemo(MemoCondizione), EditData->text(),
                  EditOrdinamento->text()};
    AggiungiCampoScelto(box, rgDestinaz->itemIndex(), tabella->text(), campo->text());
    if (box.campi != testoMemo(MemoCampi))
        MemoCampi->setPlainText(box.campi);
    if (box.tabelle != testoMemo(MemoDBSelected))
        MemoDBSelected->setPlainText(box.tabelle);
    if (box.condizione != testoMemo(MemoCondizione))
        MemoCondizione->setPlainText(box.condizione);
    EditData->setText(box.campoData);
    EditOrdinamento->setText(box.ordinamento);
}

void TfrmEsportazioneTabelle::EditOrdinamentoExit()
{
    if (EditOrdinamento->text().contains(QLatin1String("Order")))
        MostraAttenzione(QStringLiteral("Non è necessario inserire la clausola \"order\", va inserito solo il campo "
                                        "della tabella."));
}

void TfrmEsportazioneTabelle::rgTIPOClick()
{
    const bool excel = rgTIPO->itemIndex() == 1;
    gbNome->setTitle(excel ? QStringLiteral("Nome foglio di lavoro") : QStringLiteral("Nome dell'archivio"));
    TraduciSeTabellaLingua({gbNome});
    // The workbook is a file too: its folder and name stay editable beside the sheet's name.
    EdtNomeFoglioLavoro->setVisible(excel);
}

// ---- the query ---------------------------------------------------------------------------------

void TfrmEsportazioneTabelle::buttEseguiClick()
{
    if (esportando)
        return;
    ParametriQuery p;
    p.campi = testoMemo(MemoCampi);
    p.tabelle = testoMemo(MemoDBSelected);
    p.condizione = testoMemo(MemoCondizione);
    p.ordinamento = EditOrdinamento->text();
    if (!EditData->text().trimmed().isEmpty()) {
        TInputDate periodo(this);
        if (MostraModale(periodo) == QDialog::Accepted) {
            if (!LeggiDataPeriodo(periodo.dataInizio(), true, p.dal) ||
                !LeggiDataPeriodo(periodo.dataFine(), false, p.al)) {
                MostraErrore(DatiNonCorretti);
                return;
            }
            p.campoData = EditData->text();
        }
    }
    DBGrid1->setDataSource(nullptr);
    DBGrid1->clearColumns();
    bbExport->setEnabled(false);
    try {
        CursoreAttesa attesa;
        Query1->setSql(ComponiQuery(p));
        Query1->open();
    } catch (const store::EngineError &e) {
        Query1->close();
        // What the engine found wrong, so that the query can be mended.
        MostraErrore(DatiNonCorretti + QLatin1Char('\n') + e.message());
        return;
    }
    const int carattere = DBGrid1->fontMetrics().averageCharWidth();
    for (const store::FieldDef &f : Query1->fieldDefs()) {
        const int larghezza = f.type == store::FieldType::Text ? std::clamp(f.size, 4, 30) : 10;
        DBGrid1->addColumn(f.name, f.name, larghezza * carattere + 12);
    }
    DBGrid1->setDataSource(Query1);
    bbExport->setEnabled(true);
}

// ---- the export --------------------------------------------------------------------------------

QList<QList<QVariant>> TfrmEsportazioneTabelle::LeggiRighe()
{
    // The grid reads the query on every move: it lets go until the export ends.
    DBGrid1->setDataSource(nullptr);
    QList<QList<QVariant>> righe;
    righe.reserve(Query1->recordCount());
    const int n = Query1->fieldCount();
    for (Query1->first(); !Query1->eof(); Query1->next()) {
        QList<QVariant> riga;
        riga.reserve(n);
        for (int i = 0; i < n; ++i)
            riga << Query1->field(i).value();
        righe << riga;
    }
    Query1->first();
    return righe;
}

void TfrmEsportazioneTabelle::InizioEsportazione(int righe)
{
    esportando = true;
    bbExport->setEnabled(false);
    buttEsegui->setEnabled(false);
    PrgBar->setRange(0, std::max(righe, 1));
    PrgBar->setValue(0);
}

void TfrmEsportazioneTabelle::AvanzaEsportazione(int fatte)
{
    // Every row, up to 500 steps across the bar: a step paints the bar at once, and beyond that a
    // step moves it by less than a pixel.
    if (fatte - PrgBar->value() >= std::max(1, PrgBar->maximum() / 500) || fatte == PrgBar->maximum())
        PrgBar->setValue(fatte);
    // The window repaints now and then; the user's clicks wait for the end.
    if (fatte % 64 == 0)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmEsportazioneTabelle::FineEsportazione()
{
    esportando = false;
    bbExport->setEnabled(true);
    buttEsegui->setEnabled(true);
    PrgBar->setRange(0, 1);
    PrgBar->setValue(0);
}

QString TfrmEsportazioneTabelle::PercorsoArchivio(const QString &nome) const
{
    QString cartella = EditEsportaPath->text().trimmed();
    if (!cartella.endsWith(QLatin1Char('/')) && !cartella.endsWith(QDir::separator()))
        cartella += QDir::separator();
    return QDir::cleanPath(QDir::fromNativeSeparators(cartella + nome.trimmed()));
}

void TfrmEsportazioneTabelle::bbExportClick()
{
    if (esportando)
        return;
    switch (rgTIPO->itemIndex()) {
    case 0:
        EsportaTesto();
        break;
    case 1:
        EsportaExcel();
        break;
    default:
        MostraErrore(QStringLiteral("Non è stato selezionato nessun tipo di formato d'esportazione, selezionarlo uno "
                                    "e riprovare."));
    }
}

void TfrmEsportazioneTabelle::EsportaTesto()
{
    if (EditEsportaPath->text().trimmed().isEmpty() || EditNomeFEsportaz->text().trimmed().isEmpty()) {
        MostraErrore(QStringLiteral("Definire il percorso ed il nome dell' archivio da esportare!"));
        return;
    }
    if (!Query1->isOpen()) {
        MostraAttenzione(TabellaChiusa);
        return;
    }
    if (const std::optional<QString> no = ControllaNomeArchivio(EditNomeFEsportaz->text())) {
        MostraErrore(*no);
        EditNomeFEsportaz->setFocus();
        return;
    }
    const QString percorso = PercorsoArchivio(EditNomeFEsportaz->text());
    if (const std::optional<QString> no =
            ControllaDestinazione(percorso, CartellaProgramma(), QCoreApplication::applicationFilePath())) {
        MostraErrore(*no);
        return;
    }
    QList<FormatoCampo> formati;
    try {
        formati = PreparaFormati(CampiEsportazione(*Query1), testoMemo(MemoFormattazione));
    } catch (const ErroreFormattazione &e) {
        MostraErrore(e.messaggio());
        return;
    }
    const QList<QList<QVariant>> righe = LeggiRighe();
    bool scritto = false;
    {
        CursoreAttesa attesa;
        InizioEsportazione(int(righe.size()));
        QByteArray contenuto;
        for (int r = 0; r < righe.size(); ++r) {
            contenuto += InWindows1252(RigaTesto(formati, righe[r]));
            contenuto += "\r\n";
            AvanzaEsportazione(r + 1);
        }
        scritto = ScriviArchivioTesto(percorso, contenuto);
        // The result stays after an export, so that it can be exported again or elsewhere.
        DBGrid1->setDataSource(Query1);
        FineEsportazione();
    }
    if (!scritto)
        MostraErrore(NonRiescoAScrivere);
}

void TfrmEsportazioneTabelle::EsportaExcel()
{
    const QString foglio = EdtNomeFoglioLavoro->text();
    if (foglio.trimmed().isEmpty()) {
        MostraErrore(QStringLiteral("Definire il nome del foglio di excel dell' archivio da esportare!"));
        EdtNomeFoglioLavoro->setFocus();
        return;
    }
    if (!Query1->isOpen()) {
        MostraAttenzione(TabellaChiusa);
        return;
    }
    if (const std::optional<QString> no = ControllaNomeFoglio(foglio)) {
        MostraErrore(*no);
        EdtNomeFoglioLavoro->setFocus();
        return;
    }
    if (EditEsportaPath->text().trimmed().isEmpty() || EditNomeFEsportaz->text().trimmed().isEmpty()) {
        MostraErrore(QStringLiteral("Definire il percorso ed il nome dell' archivio da esportare!"));
        return;
    }
    if (const std::optional<QString> no = ControllaNomeArchivio(EditNomeFEsportaz->text())) {
        MostraErrore(*no);
        EditNomeFEsportaz->setFocus();
        return;
    }
    const QString percorso = PercorsoArchivio(NomeCartellaDiLavoro(EditNomeFEsportaz->text()));
    if (const std::optional<QString> no =
            ControllaDestinazione(percorso, CartellaProgramma(), QCoreApplication::applicationFilePath())) {
        MostraErrore(*no);
        return;
    }
    if (!QFileInfo(percorso).absoluteDir().exists()) {
        MostraErrore(NonRiescoAScrivere);
        return;
    }
    if (QFileInfo::exists(percorso) &&
        !ChiediConfermaDistruttiva(QStringLiteral("Il file '%1' esiste già, sostituirlo?").arg(QDir::toNativeSeparators(percorso))))
        return;

    const QList<CampoEsportazione> campi = CampiEsportazione(*Query1);
    const QList<QList<QVariant>> righe = LeggiRighe();
    if (righe.size() > 200)
        MostraAttenzione(QStringLiteral("L'archivio che si è richiesto di esportare contiene molti dati, l'operazione "
                                        "richiederà alcuni minuti di tempo..."));
    EsitoFoglio esito;
    {
        CursoreAttesa attesa;
        InizioEsportazione(int(righe.size()));
        esito = ScriviCartellaDiLavoro(percorso, foglio, campi, righe, [this](int n) { AvanzaEsportazione(n); });
        DBGrid1->setDataSource(Query1);
        FineEsportazione();
    }
    if (esito.stato == EsitoFoglio::ErroreCella) {
        const QString campo = campi.value(esito.colonna - 1).nome;
        MostraErrore(QStringLiteral("Esportazione dati su Tabella Excel Interrotta. \n"
                                    "Si è verificato un'errore imprevisto. \n"
                                    "Il modulo d'esportazione %1 ha causato un errore.\n"
                                    "L'errore presenta le seguenti coordinate:\n"
                                    "Colonna: %2,\n"
                                    "Riga: %3,\n"
                                    "Nome del campo: %4.")
                         .arg(cbPreimpostati->currentText())
                         .arg(esito.colonna)
                         .arg(esito.riga)
                         .arg(campo));
        return;
    }
    if (esito.stato == EsitoFoglio::ErroreFile) {
        MostraErrore(NonRiescoAScrivere);
        return;
    }
    ApriDocumento(percorso);
}

// ---- presets -----------------------------------------------------------------------------------

Esito TfrmEsportazioneTabelle::ControllaModello()
{
    const std::optional<QString> no = ControllaLunghezzeModello(QString(), EditOrdinamento->text(), EditData->text());
    if (!no)
        return Esito::Fatto;
    MostraErrore(*no);
    return Esito::Segnalato;
}

void TfrmEsportazioneTabelle::ScriviModello(store::Table &t)
{
    auto campo = [&t](const char *nome) { return t.fieldByName(QLatin1String(nome)); };
    campo("CAMPI").setAsString(testoMemo(MemoCampi));
    campo("TABELLE").setAsString(testoMemo(MemoDBSelected));
    campo("CONDIZIONE").setAsString(testoMemo(MemoCondizione));
    campo("ORDINAMENTO").setAsString(EditOrdinamento->text());
    campo("FORMATTAZIONE").setAsString(testoMemo(MemoFormattazione));
    campo("CAMPODATA").setAsString(EditData->text());
    QString cartella = EditEsportaPath->text();
    if (!cartella.isEmpty() && !cartella.endsWith(QLatin1Char('/')) && !cartella.endsWith(QLatin1Char('\\')))
        cartella += QDir::separator();
    campo("NOMEFILE").setAsString(cartella + EditNomeFEsportaz->text());
    campo("NOMEFOGLIOEXCEL").setAsString(EdtNomeFoglioLavoro->text());
    campo("txtOxls").setValue(rgTIPO->itemIndex() >= 0 ? QVariant(rgTIPO->itemIndex()) : QVariant());
}

void TfrmEsportazioneTabelle::Button3Click()
{
    if (esportando)
        return;
    const QString descrizione = InputBox(QStringLiteral("Nuovo modello di ricerca"), QStringLiteral("Descrizione:"));
    if (descrizione.trimmed().isEmpty()) {
        MostraErrore(QStringLiteral("Il modello non è stato aggiunto!"));
        return;
    }
    if (const std::optional<QString> no = ControllaLunghezzeModello(descrizione, EditOrdinamento->text(), EditData->text())) {
        MostraErrore(*no);
        return;
    }
    try {
        store::Query massimo(QStringLiteral("select max(progr) from tabexport"));
        massimo.open();
        const int progr = massimo.fieldByName(QStringLiteral("max of progr")).asInteger() + 1;
        TabExport->refresh();
        TabExport->append();
        TabExport->fieldByName(QStringLiteral("PROGR")).setAsInteger(progr);
        TabExport->fieldByName(QStringLiteral("DESCR")).setAsString(descrizione);
        ScriviModello(*TabExport);
        TabExport->post();
        cbPreimpostati->blockSignals(true);
        cbPreimpostati->addItem(descrizione);
        progressivi << progr;
        cbPreimpostati->setCurrentIndex(cbPreimpostati->count() - 1);
        cbPreimpostati->blockSignals(false);
        modelloCorrente = cbPreimpostati->count() - 1;
    } catch (const store::EngineError &e) {
        if (TabExport->isEditing())
            TabExport->cancel();
        MostraErrore(QStringLiteral("Il modello non è stato aggiunto!") + QLatin1Char('\n') + e.message());
    }
}

void TfrmEsportazioneTabelle::Button4Click()
{
    if (esportando)
        return;
    try {
        TabExport->refresh();
        if (modelloCorrente < 0 || !TabExport->locate(QStringLiteral("PROGR"), progressivi.value(modelloCorrente)) ||
            TabExport->fieldByName(QStringLiteral("FISSO")).asBoolean()) {
            MostraErrore(QStringLiteral("Modello non impostato o non modificabile!"));
            return;
        }
        if (ControllaModello() == Esito::Segnalato)
            return;
        const QString descrizione = TabExport->fieldByName(QStringLiteral("DESCR")).asString();
        TabExport->edit();
        ScriviModello(*TabExport);
        TabExport->post();
        MostraMessaggio(QStringLiteral("Le modifiche al modello '") + descrizione +
                        QStringLiteral("' sono state salvate correttamente."));
    } catch (const store::EngineError &e) {
        if (TabExport->isEditing())
            TabExport->cancel();
        MostraErrore(e.message());
    }
}

void TfrmEsportazioneTabelle::buttEliminaClick()
{
    if (esportando)
        return;
    try {
        TabExport->refresh();
        if (modelloCorrente < 0 || !TabExport->locate(QStringLiteral("PROGR"), progressivi.value(modelloCorrente)) ||
            TabExport->fieldByName(QStringLiteral("FISSO")).asBoolean()) {
            MostraErrore(QStringLiteral("Modello non impostato o non eliminabile!"));
            return;
        }
        if (!ChiediConfermaDistruttiva(QStringLiteral("Sicuro di voler eliminare il modello di esportazione selezionato?")))
            return;
        TabExport->remove();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        return;
    }
    RiempiModelli();
    PulisciDati();
}

// ---- closing -----------------------------------------------------------------------------------

void TfrmEsportazioneTabelle::sbEsciClick() { reject(); }

void TfrmEsportazioneTabelle::reject()
{
    if (esportando)
        return;
    QDialog::reject();
}

void TfrmEsportazioneTabelle::closeEvent(QCloseEvent *evento)
{
    if (esportando) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}
