// Every form of the program, in Italian, English and French, shown: no label, button, check box,
// menu title or grid column is cut or runs past its control or its window, and a window of fixed
// size offers no maximise button.
#include "app/frmabout.h"
#include "app/frmimpostazioni.h"
#include "app/frmmain.h"
#include "app/frmstart.h"
#include "championship/frmcalendario.h"
#include "championship/frmcaricagiornata.h"
#include "championship/frmclassifica.h"
#include "championship/frmdategiornate.h"
#include "championship/frmgiornata.h"
#include "championship/frmmodnomisquadre.h"
#include "championship/frmmodrisultati.h"
#include "championship/frmprevisionegiornata.h"
#include "championship/frmrisultati.h"
#include "championship/frmstatistichesquadra.h"
#include "championship/stclassifica.h"
#include "championship/stgiornata.h"
#include "championship/ststatistichesquadra.h"
#include "rotations/frmrtformazioni.h"
#include "rotations/frmrtgiocatori.h"
#include "rotations/frmrtrotazioni.h"
#include "rotations/frmrtsquadre.h"
#include "store/table.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/stile.h"
#include "utilities/frmbug.h"
#include "utilities/frmcontrollaversione.h"
#include "utilities/frmesportazionetabelle.h"
#include "utilities/frminviodaticasamadre.h"
#include "utilities/frmrecuperodati.h"
#include "utilities/frmsalvataggiodati.h"
#include "utilities/inputdate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QtTest>
#include <functional>

namespace {

void impostaLingua(const QString &lingua)
{
    store::Table t(QStringLiteral("impostazioni.db"));
    t.open();
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("LINGUA")).setAsString(lingua);
    t.fieldByName(QStringLiteral("NSQUADRE")).setAsInteger(20); // every box of the composer
    t.post();
}

QString nome(const QWidget *w)
{
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName(),
             qobject_cast<const QLabel *>(w)            ? qobject_cast<const QLabel *>(w)->text()
             : qobject_cast<const QAbstractButton *>(w) ? qobject_cast<const QAbstractButton *>(w)->text()
                                                        : QString());
}

// A championship of seven teams whose first matchday is played, for the forms that show results.
void campionato()
{
    const QStringList squadre = {"Sant'Antioco", "Forlì & Cesena", "100% Bari", "Dervio", "Empoli", "Fano", "L'Aquila"};
    prova::Squadre(squadre);
    prova::AggiungiGiornata(1, squadre, true, {{1, "3"}, {2, "0"}, {3, "2"}, {4, "3"}, {5, "*"}, {6, "*"}, {7, "*"}});
    prova::AggiungiGiornata(2, {"L'Aquila", "Sant'Antioco", "Dervio", "Forlì & Cesena", "Fano", "Empoli", "100% Bari"});
}

// What does not fit in the shown form, one line per control.
QStringList nonEntra(QWidget *form)
{
    QStringList out;
    const QRect finestra = form->rect();
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(form) || w->isWindow())
            continue;
        const QRect dove(w->mapTo(form, QPoint(0, 0)), w->size());
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().isEmpty())
                continue;
            if (label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                  : label->width() < label->minimumSizeHint().width())
                out << QStringLiteral("cut: ") + nome(w);
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            // A push button's size hint has a style's minimum width; its text needs its own
            // width and the style's margin on each side. Check and radio buttons need their hint.
            const QString testo = QString(button->text()).remove(QLatin1Char('&'));
            const int serve = qobject_cast<QPushButton *>(w)
                                  ? button->fontMetrics().horizontalAdvance(testo) +
                                        2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin)
                                  : button->sizeHint().width();
            if (!testo.isEmpty() && button->width() < serve)
                out << QStringLiteral("cut: %1 (%2 < %3)").arg(nome(w)).arg(button->width()).arg(serve);
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            const QFontMetrics fm(box->font());
            if (fm.horizontalAdvance(box->title()) + 2 * fm.averageCharWidth() > box->width())
                out << QStringLiteral("cut: group ") + box->title();
        } else if (auto *grid = qobject_cast<QTableView *>(w)) {
            if (grid->horizontalHeader()->length() > grid->viewport()->width())
                out << QStringLiteral("columns past the grid: %1 (%2 > %3)")
                           .arg(grid->objectName())
                           .arg(grid->horizontalHeader()->length())
                           .arg(grid->viewport()->width());
        } else if (auto *bar = qobject_cast<QMenuBar *>(w)) {
            for (QAction *a : bar->actions())
                if (a->isVisible() && !bar->rect().contains(bar->actionGeometry(a)))
                    out << QStringLiteral("menu past the bar: ") + a->text();
        }
        if (!finestra.contains(dove))
            out << QStringLiteral("past the window: ") + nome(w);
    }
    // The title, with the program's name the window manager adds, whole in the title bar beside
    // the window's icon and buttons.
    QFont grassetto = form->font();
    grassetto.setBold(true);
    const QString programma = QGuiApplication::applicationDisplayName();
    const QString titolo = form->windowTitle().contains(programma) ? form->windowTitle()
                                                                  : form->windowTitle() + QStringLiteral(" - ") + programma;
    if (QFontMetrics(grassetto).horizontalAdvance(titolo) + 110 > form->width())
        out << QStringLiteral("title cut: %1 (%2 wide)").arg(form->windowTitle()).arg(form->width());
    const bool fissa = form->minimumSize() == form->maximumSize();
    if (fissa && form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint))
        out << QStringLiteral("fixed size with a maximise button");
    return out;
}

using Fabbrica = std::function<QWidget *(QWidget *owner)>;

// What runs into something else on a printed page: a text past the page's right edge, past its own
// box, or into the next text on its line.
QStringList nonEntraStampa(const ReportDocument &documento)
{
    QStringList out;
    const qreal pagina = documento.area().width();
    const auto larghezza = [](const ReportItem &i) {
        QFont f = i.font; // report units are pixels at 96 dpi
        f.setPixelSize(qRound(i.font.pointSizeF() * 96 / 72));
        return QFontMetricsF(f).horizontalAdvance(i.text);
    };
    for (const ReportPage &p : documento.pages) {
        QList<const ReportItem *> testi;
        for (const ReportItem &i : p.items)
            if (i.kind == ReportItem::Kind::Text && i.visible && !i.text.isEmpty() && !i.text.contains(QLatin1Char('\n')))
                testi << &i;
        for (const ReportItem *i : testi) {
            const qreal w = larghezza(*i);
            if (i->rect.width() > 0) {
                if (w > i->rect.width() + 1)
                    out << QStringLiteral("past its box: %1 \"%2\"").arg(i->name, i->text);
                continue;
            }
            if (i->x() + w > pagina + 1)
                out << QStringLiteral("past the page: %1 \"%2\"").arg(i->name, i->text);
            for (const ReportItem *j : testi)
                if (j != i && j->rect.width() <= 0 && qAbs(j->y() - i->y()) < 4 && j->x() > i->x() && i->x() + w > j->x() + 1)
                    out << QStringLiteral("into the next: %1 \"%2\" -> %3 \"%4\"").arg(i->name, i->text, j->name, j->text);
        }
    }
    out.removeDuplicates();
    return out;
}

} // namespace

class TestTestiEntrano : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The program's own look and name, as main() sets them.
        QApplication::setApplicationName(QStringLiteral("Brivo_Rotaset"));
        InstallaStileProgramma();
    }

    // The championship's prints in the three languages: no text runs into another or off the page.
    void everyPrintEveryLanguage()
    {
        for (const QString &lingua : {QStringLiteral("Italiano"), QStringLiteral("English"), QStringLiteral("Français")}) {
            TestProgram program;
            campionato();
            impostaLingua(lingua);
            TStClassifica classifica;
            TStGiornata giornata;
            TStStatisticheSquadra statistiche;
            const QList<QPair<QString, ReportDocument>> stampe = {{QStringLiteral("classifica"), classifica.Pagine()},
                                                                  {QStringLiteral("giornata"), giornata.Pagine(1)},
                                                                  {QStringLiteral("statistiche"), statistiche.Pagine()}};
            for (const auto &[nome, documento] : stampe) {
                const QStringList difetti = nonEntraStampa(documento);
                QVERIFY2(difetti.isEmpty(), qPrintable(lingua + QLatin1Char(' ') + nome + QStringLiteral(": ") +
                                                       difetti.join(QLatin1String("; "))));
                if (const QString cartella = qEnvironmentVariable("ROTASET_SCREENSHOTS"); !cartella.isEmpty())
                    QVERIFY(writeReportPdf(documento, QDir(cartella).filePath(nome + QLatin1Char('-') + lingua.left(2) +
                                                                              QStringLiteral(".pdf"))));
            }
        }
    }

    void everyFormEveryLanguage_data()
    {
        QTest::addColumn<QString>("lingua");
        QTest::addColumn<QString>("modulo");
        const QStringList moduli = {"FrmMain",  "FrmAbout",     "frmStart",     "FrmImpostazioni",
                                    "FrmCalendario", "FrmGiornata", "FrmRisultati", "FrmClassifica",
                                    "FrmRTsquadre",  "FrmRTgiocatori", "FrmRTformazioni",
                                    "FrmModRisultati", "FrmCaricaGiornata", "FrmAfterCaricaGiornata",
                                    "FrmStatisticheSquadra", "FrmPrevisioneGiornata", "FrmModNomiSquadre",
                                    "FrmRTrotazioni", "FrmSalvataggioDati", "FrmRecuperoDati",
                                    "FrmInvioDatiCasaMadre", "frmEsportazioneTabelle", "InputDate",
                                    "FrmControllaVersione", "frmBug"};
        for (const QString &lingua : {QStringLiteral("Italiano"), QStringLiteral("English"), QStringLiteral("Français")})
            for (const QString &m : moduli)
                QTest::newRow(qPrintable(lingua + QLatin1Char(' ') + m)) << lingua << m;
    }
    void everyFormEveryLanguage()
    {
        QFETCH(QString, lingua);
        QFETCH(QString, modulo);
        TestProgram program;
        campionato();
        impostaLingua(lingua);
        TStClassifica stampa;
        TStGiornata stampaGiornata;
        TFrmMain main;
        std::unique_ptr<TFrmGiornata> compositore; // holds the matchdays' table the view shows
        const QHash<QString, Fabbrica> fabbriche = {
            {"FrmMain", [](QWidget *) -> QWidget * { return nullptr; }},
            {"FrmAbout", [](QWidget *o) -> QWidget * { return new TFrmAbout(o); }},
            {"frmStart", [](QWidget *o) -> QWidget * { return new TfrmStart(o); }},
            {"FrmImpostazioni", [](QWidget *o) -> QWidget * { return new TFrmImpostazioni(o); }},
            {"FrmCalendario", [](QWidget *o) -> QWidget * { return new TFrmCalendario(o); }},
            {"FrmGiornata", [](QWidget *o) -> QWidget * { return new TFrmGiornata(o); }},
            {"FrmRisultati", [](QWidget *o) -> QWidget * { return new TFrmRisultati(o); }},
            {"FrmClassifica", [&stampa](QWidget *o) -> QWidget * { return new TFrmClassifica(&stampa, o); }},
            {"FrmRTsquadre", [](QWidget *o) -> QWidget * { return new TFrmRTsquadre(o); }},
            {"FrmRTgiocatori", [](QWidget *o) -> QWidget * { return new TFrmRTgiocatori(o); }},
            {"FrmRTformazioni", [](QWidget *o) -> QWidget * { return new TFrmRTformazioni(o); }},
            {"FrmModRisultati", [](QWidget *o) -> QWidget * { return new TFrmModRisultati(o); }},
            {"FrmCaricaGiornata",
             [&](QWidget *o) -> QWidget * {
                 compositore = std::make_unique<TFrmGiornata>();
                 return new TFrmCaricaGiornata(compositore->TblGiornate, &stampaGiornata, 1, o);
             }},
            {"FrmAfterCaricaGiornata", [](QWidget *o) -> QWidget * { return new TFrmAfterCaricaGiornata(o); }},
            {"FrmStatisticheSquadra", [](QWidget *o) -> QWidget * { return new TFrmStatisticheSquadra(o); }},
            {"FrmPrevisioneGiornata", [](QWidget *o) -> QWidget * { return new TFrmPrevisioneGiornata(o); }},
            {"FrmModNomiSquadre", [](QWidget *o) -> QWidget * { return new TFrmModNomiSquadre(o); }},
            {"FrmDateGiornate", [](QWidget *o) -> QWidget * { return new TFrmDateGiornate(o); }},
            {"FrmProponiDate", [](QWidget *o) -> QWidget * { return new TFrmProponiDate(38, QDate(2024, 10, 12), o); }},
            {"FrmRTrotazioni", [](QWidget *o) -> QWidget * { return new TFrmRTrotazioni(o); }},
            {"FrmSalvataggioDati", [](QWidget *o) -> QWidget * { return new TFrmSalvataggioDati(o); }},
            {"FrmRecuperoDati", [](QWidget *o) -> QWidget * { return new TFrmRecuperoDati(o); }},
            {"FrmInvioDatiCasaMadre", [](QWidget *o) -> QWidget * { return new TFrmInvioDatiCasaMadre(o); }},
            // At the size it opens: the models' editor shows without enlarging the window.
            {"frmEsportazioneTabelle", [](QWidget *o) -> QWidget * { return new TfrmEsportazioneTabelle(o); }},
            {"InputDate", [](QWidget *o) -> QWidget * { return new TInputDate(o); }},
            {"FrmControllaVersione", [](QWidget *o) -> QWidget * { return new TFrmControllaVersione(o); }}, // no connection
            {"frmBug", [](QWidget *o) -> QWidget * { return new TfrmBug(o); }},
        };
        std::unique_ptr<QWidget> creato(fabbriche.value(modulo)(&main));
        QWidget *form = creato ? creato.get() : &main;
        form->show();
        QCoreApplication::processEvents();
        // ROTASET_SCREENSHOTS names a folder that receives a picture of every form in every language.
        if (const QString cartella = qEnvironmentVariable("ROTASET_SCREENSHOTS"); !cartella.isEmpty())
            form->grab().save(QDir(cartella).filePath(QStringLiteral("%1-%2.png").arg(modulo, lingua.left(2))));
        QStringList difetti = nonEntra(form);
        // The labels that show only while the form works ("Operazione in corso...", the done line)
        // must fit as well when they appear.
        for (QLabel *l : form->findChildren<QLabel *>())
            if (!l->isVisibleTo(form) && !l->text().isEmpty() && l->parentWidget()->isVisibleTo(form))
                l->show();
        QCoreApplication::processEvents();
        for (const QString &d : nonEntra(form))
            if (!difetti.contains(d))
                difetti << d + QStringLiteral(" (at work)");
        form->hide();
        creato.reset();
        QVERIFY2(difetti.isEmpty(), qPrintable(difetti.join(QLatin1String("; "))));
    }
};

QTEST_MAIN(TestTestiEntrano)
#include "test_testientrano.moc"
