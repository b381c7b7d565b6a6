// The table export: a query composed from the preset editor's boxes runs over the program's tables,
// its result is shown in a grid and written either to a fixed-width text file or to a spreadsheet
// workbook. Queries with their output settings are kept as presets in tabexport.db.
#pragma once

#include "core/esito.h"

#include <QDialog>
#include <QList>
#include <QString>

class DBGrid;
class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTreeView;
class RadioGroup;

namespace store {
class Query;
class Table;
}

class TfrmEsportazioneTabelle : public QDialog {
    Q_OBJECT
public:
    explicit TfrmEsportazioneTabelle(QWidget *parent = nullptr);
    ~TfrmEsportazioneTabelle() override;

    void cbPreimpostatiChange(int indice);
    void buttEseguiClick();
    void bbExportClick();
    void buttClearClick();
    void Button3Click();
    void Button4Click();
    void buttEliminaClick();
    void LBTableNameClick();
    void LBFieldNameDblClick();
    void EditOrdinamentoExit();
    void rgTIPOClick();
    void DirectoryListBox1Change();
    void sbEsciClick();

    // The query behind the grid (open after Esegui, and after an export, for another one).
    store::Query *query() const { return Query1; }
    bool esportazioneInCorso() const { return esportando; }

    // Closing is refused while an export runs.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *evento) override;
    void showEvent(QShowEvent *evento) override;

private:
    void costruisci();
    // Widens (and heightens) the window to what the page needs, within a small screen.
    void AdattaAllaPagina();
    void FormCreate();
    void TraduciEtichette();
    void RiempiModelli();
    void RiempiTabelle();
    void PulisciDati();
    void MostraCartella(const QString &cartella);
    Esito ControllaModello();
    void ScriviModello(store::Table &t);
    QList<QList<QVariant>> LeggiRighe();
    void EsportaTesto();
    void EsportaExcel();
    void InizioEsportazione(int righe);
    void AvanzaEsportazione(int fatte);
    void FineEsportazione();
    QString PercorsoArchivio(const QString &nome) const;

    store::Table *TabExport = nullptr;
    store::Query *Query1 = nullptr;
    QList<int> progressivi; // PROGR of each entry of cbPreimpostati
    int modelloCorrente = -1;
    bool esportando = false;
    bool dimensionata = false; // sized to the page at the first showing
    QString cartellaPredefinita;
    // The size at opening, within a 1280 x 800 screen; wider translations widen it up to the maximum.
    static constexpr int Larghezza = 770;
    static constexpr int Altezza = 720;
    static constexpr int LarghezzaMassima = 1240;
    static constexpr int AltezzaMassima = 740;
    QScrollArea *scorrimento = nullptr; // the page holding the upper part and the editor
    QWidget *superiore = nullptr;
    QWidget *editor = nullptr;

    // upper part
    QLabel *Label7 = nullptr;
    QComboBox *cbPreimpostati = nullptr;
    QPushButton *buttEsegui = nullptr;
    QPushButton *sbEsci = nullptr;
    QLabel *Label13 = nullptr;
    QTreeView *DirectoryListBox1 = nullptr;
    QFileSystemModel *cartelle = nullptr;
    QLabel *Label9 = nullptr;
    DBGrid *DBGrid1 = nullptr;
    QGroupBox *gbPercorso = nullptr;
    QLineEdit *EditEsportaPath = nullptr;
    QGroupBox *gbNome = nullptr;
    QLineEdit *EditNomeFEsportaz = nullptr;
    QLineEdit *EdtNomeFoglioLavoro = nullptr;
    RadioGroup *rgTIPO = nullptr;
    QPushButton *bbExport = nullptr;
    QProgressBar *PrgBar = nullptr;

    // lower part: the preset editor
    QLabel *Label2 = nullptr;
    QListWidget *LBTableName = nullptr;
    QLabel *Label3 = nullptr;
    QListWidget *LBFieldName = nullptr;
    RadioGroup *rgDestinaz = nullptr;
    QLabel *Label4 = nullptr;
    QPlainTextEdit *MemoCampi = nullptr;
    QLabel *Label5 = nullptr;
    QPlainTextEdit *MemoDBSelected = nullptr;
    QLabel *Label6 = nullptr;
    QPlainTextEdit *MemoCondizione = nullptr;
    QLabel *Label10 = nullptr;
    QPlainTextEdit *MemoFormattazione = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label8 = nullptr;
    QLineEdit *EditData = nullptr;
    QLabel *Label12 = nullptr;
    QLineEdit *EditOrdinamento = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *buttElimina = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *buttClear = nullptr;
};
