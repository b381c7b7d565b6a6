// The settings form driven through its controls, the settings reader and the caption translation
// every form goes through.
#include "app/frmimpostazioni.h"
#include "store/database.h"
#include "store/impostazioni.h"
#include "store/tabelle.h"
#include "store/table.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"
#include "ui/datacontrols.h"
#include "ui/finestraprincipale.h"
#include "ui/traduzione.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

using namespace store;

namespace {

// The main window as the form sees it: records when the rotation menu is asked to follow the
// settings, and what the stored switch was at that moment.
class FakeMain : public InterfacciaPrincipale {
public:
    FakeMain() { ImpostaFinestraPrincipale(this); }
    ~FakeMain() override { ImpostaFinestraPrincipale(nullptr); }
    void AbilitaMenuCalendario() override {}
    void DisabilitaMenuCalendario() override {}
    void MostraModuloRotazioni() override { switchSeen << LeggiImpostazione(QStringLiteral("MODULOROTAZIONI")); }
    void TerminaProgramma() override {}
    QStringList switchSeen;
};

void setSetting(const char *field, const QVariant &value)
{
    Table t(QStringLiteral("impostazioni.db"));
    t.open();
    t.first();
    t.edit();
    t.fieldByName(QLatin1String(field)).setValue(value);
    t.post();
}

template <typename T> T *child(QWidget *form, const char *name)
{
    T *w = form->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

QString caption(QWidget *form, const char *name)
{
    return child<QAbstractButton>(form, name)->text();
}
QString label(QWidget *form, const char *name)
{
    return child<QLabel>(form, name)->text();
}

// A folder with the program's tables; the settings form opened and shown on it.
struct Fixture {
    TempProgramFolder folder;
    ScriptedMessages boxes;
    FakeMain main;
    Fixture()
    {
        CreaTabellaEsportazione();
        CreaTabelle();
    }
    std::unique_ptr<TFrmImpostazioni> open()
    {
        auto form = std::make_unique<TFrmImpostazioni>();
        form->show();
        return form;
    }
};

} // namespace

class TestFrmImpostazioni : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::shutdown(); }

    void okStoresTheRotationSwitchAndTheMenuFollows()
    {
        Fixture fx;
        auto form = fx.open();
        auto *modulo = child<DBCheckBox>(form.get(), "DBCheckBox2");
        QVERIFY(modulo->isChecked());
        QTest::keyClick(modulo, Qt::Key_Space);
        child<QPushButton>(form.get(), "sbOK")->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QVERIFY(fx.main.switchSeen.isEmpty()); // the menu is updated when the form goes away
        form.reset();
        QCOMPARE(fx.main.switchSeen, QStringList{QStringLiteral("False")});
        QCOMPARE(fx.boxes.count(), 0);
    }

    // Choosing French and confirming: the toolkit's own texts speak French as soon as the form
    // is gone, without a new start.
    void aNewLanguageReachesTheToolkitAtOnce()
    {
        Fixture fx;
        auto form = fx.open();
        auto *lingua = child<DBComboBox>(form.get(), "DBComboBox8");
        lingua->setCurrentIndex(lingua->findText(QStringLiteral("Français")));
        emit lingua->activated(lingua->currentIndex());
        child<QPushButton>(form.get(), "sbOK")->click();
        form.reset();
        QCOMPARE(LeggiImpostazione(QStringLiteral("LINGUA")), QStringLiteral("Français"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
        ApplicaLinguaToolkit(QString());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sì"));
    }

    // The overlap rule on the rotation page: the record's rule shown, Classico chosen and kept by "Ok";
    // the rule's caption translated, its two choices stored as shown in every language.
    void theOverlapRuleIsChosenOnTheRotationPage()
    {
        Fixture fx;
        {
            auto form = fx.open();
            auto *regola = child<DBComboBox>(form.get(), "DBComboBox9");
            QCOMPARE(label(form.get(), "Label17"), QStringLiteral("Regola posizioni"));
            QCOMPARE(regola->count(), 2);
            QCOMPARE(regola->itemText(1), QStringLiteral("Classico"));
            QCOMPARE(regola->currentText(), QStringLiteral("FIVB 2025"));
            QVERIFY(child<QWidget>(form.get(), "tsRotazioni")->isAncestorOf(regola));
            regola->setCurrentIndex(1);
            emit regola->activated(1);
            child<QPushButton>(form.get(), "sbOK")->click();
        }
        QCOMPARE(LeggiImpostazione(QStringLiteral("REGOLA_POSIZIONI")), QStringLiteral("Classico"));
        setSetting("LINGUA", QStringLiteral("English"));
        auto form = fx.open();
        QCOMPARE(label(form.get(), "Label17"), QStringLiteral("Positional fault rule"));
        QCOMPARE(child<DBComboBox>(form.get(), "DBComboBox9")->currentText(), QStringLiteral("Classico"));
        QCOMPARE(fx.boxes.count(), 0);
    }

    void esciDropsThePendingChange()
    {
        Fixture fx;
        auto form = fx.open();
        QTest::keyClick(child<DBCheckBox>(form.get(), "DBCheckBox2"), Qt::Key_Space);
        QTest::keyClick(child<DBComboBox>(form.get(), "DBComboBox1"), Qt::Key_Down);
        child<QPushButton>(form.get(), "sbEsci")->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Rejected));
        form.reset();
        QCOMPARE(fx.main.switchSeen, QStringList{QStringLiteral("True")});
        QCOMPARE(LeggiImpostazione(QStringLiteral("MODULOROTAZIONI")), QStringLiteral("True"));
        QCOMPARE(LeggiImpostazione(QStringLiteral("CAR_CAMPO_GRANDE")), QStringLiteral("7"));
    }

    void annullaShowsTheStoredColourAndStaysOpen()
    {
        Fixture fx;
        auto form = fx.open();
        auto *palleggiatore = child<DBComboBox>(form.get(), "DBComboBox2");
        QCOMPARE(palleggiatore->currentText(), QStringLiteral("Fucsia"));
        QTest::keyClick(palleggiatore, Qt::Key_Down);
        QCOMPARE(palleggiatore->currentText(), QStringLiteral("Celeste"));
        child<QPushButton>(form.get(), "sbAnnulla")->click();
        QCOMPARE(palleggiatore->currentText(), QStringLiteral("Fucsia"));
        QVERIFY(form->isVisible());
        QVERIFY(!child<Table>(form.get(), "TblImpostazioni")->isEditing());

        // The form still works after the cancel: a new choice is saved by Ok.
        QTest::keyClick(palleggiatore, Qt::Key_Up);
        child<QPushButton>(form.get(), "sbOK")->click();
        QCOMPARE(LeggiImpostazione(QStringLiteral("COLOR_PALLEGGIATORE")), QStringLiteral("Giallo"));
    }

    void extraSettingsRowsAreRemovedKeepingTheLast()
    {
        Fixture fx;
        setSetting("ANNATA", QStringLiteral("prima"));
        {
            Table t(QStringLiteral("impostazioni.db"));
            t.open();
            for (const char *annata : {"seconda", "terza"}) {
                t.append();
                t.fieldByName(QStringLiteral("ANNATA")).setAsString(QLatin1String(annata));
                t.post();
            }
        }
        auto form = fx.open();
        QCOMPARE(fx.boxes.count(), 1);
        QCOMPARE(fx.boxes.last().titolo, QStringLiteral("Attenzione."));
        QCOMPARE(
            fx.boxes.last().testo,
            QStringLiteral("Sono state rilevate incoerenze nel file di configurazione, la situazione verrà corretta "
                           "automaticamente, se si riscontrano ancora problemi contattare Brivo."));
        QCOMPARE(child<DBEdit>(form.get(), "DBEdAnnata")->text(), QStringLiteral("terza"));
        form.reset();
        Table t(QStringLiteral("impostazioni.db"));
        t.open();
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(t.fieldByName(QStringLiteral("ANNATA")).asString(), QStringLiteral("terza"));
    }

    void englishCaptionsComeFromTheTranslationTable()
    {
        Fixture fx;
        setSetting("LINGUA", QStringLiteral("English"));
        auto form = fx.open();
        QWidget *f = form.get();
        auto *pages = child<QTabWidget>(f, "PageControl1");
        QCOMPARE(pages->currentWidget(), child<QWidget>(f, "tsModuli"));
        QCOMPARE(pages->tabText(0), QStringLiteral("General"));
        QCOMPARE(label(f, "Label10"), QStringLiteral("Enable / disable modules:"));
        QCOMPARE(caption(f, "DBCheckBox2"), QStringLiteral("Rotation management module"));
        QCOMPARE(caption(f, "DBCheckBox5"), QStringLiteral("p for the setter (and color it on the small court)"));
        // The row is stored as "dell opposto": the caption finds it all the same.
        QCOMPARE(label(f, "Label11"), QStringLiteral("Color of the box opposite"));
        // The page's title ends with a colon its row lacks.
        QCOMPARE(label(f, "Label1"), QStringLiteral("Rotation module settings:"));
        QCOMPARE(caption(f, "sbEsci"), QStringLiteral("Exit"));
        // No row: the Italian text stays.
        QCOMPARE(label(f, "Label12"), QStringLiteral("Colore della casella degli schiacciatori"));
        // Not in the form's list: the button, hints, choices and stored values stay Italian.
        QCOMPARE(caption(f, "sbOK"), QStringLiteral("Ok"));
        QCOMPARE(child<QPushButton>(f, "sbOK")->toolTip(), QStringLiteral("Conferma modifiche"));
        QCOMPARE(child<DBComboBox>(f, "DBComboBox2")->itemText(0), QStringLiteral("Rosso"));
        QCOMPARE(child<DBComboBox>(f, "DBComboBox8")->currentText(), QStringLiteral("English"));
        QCOMPARE(f->windowTitle(), QStringLiteral("Impostazioni"));
        QCOMPARE(fx.boxes.count(), 0);
    }

    void italianOrEmptyLanguageRunsNoLookup()
    {
        Fixture fx;
        setSetting("LINGUA", QVariant());
        Database::instance().deleteTable(QStringLiteral("lingua.db")); // a lookup would now fail
        auto form = fx.open();
        QCOMPARE(label(form.get(), "Label10"), QStringLiteral("Attivazione / disattivazione moduli:"));
        QCOMPARE(caption(form.get(), "sbEsci"), QStringLiteral("Esci"));
        QCOMPARE(fx.boxes.count(), 0);
    }

    void championshipValuesAreShownButNotEditable()
    {
        Fixture fx;
        setSetting("ANNATA", QStringLiteral("2009/2010"));
        setSetting("NGIORNATE", 22);
        auto form = fx.open();
        QCOMPARE(child<DBEdit>(form.get(), "DBEdAnnata")->text(), QStringLiteral("2009/2010"));
        QCOMPARE(child<DBEdit>(form.get(), "DBEdNumGiornate")->text(), QStringLiteral("22"));
        for (const char *name :
             {"DBEdAnnata", "DBEdCategoria", "DBEdSquadraPreferita", "DBEdNumGiornate", "DBEdNumSquadre"}) {
            auto *edit = child<DBEdit>(form.get(), name);
            QVERIFY2(edit->isReadOnly() && !edit->isEnabled(), name);
            QTest::keyClicks(edit, QStringLiteral("9"));
        }
        QCOMPARE(child<Table>(form.get(), "TblImpostazioni")->state(), Table::Browse);
    }

    void readingSettings()
    {
        Fixture fx;
        QCOMPARE(LeggiImpostazione(QStringLiteral("MODULOROTAZIONI")), QStringLiteral("True"));
        QCOMPARE(LeggiImpostazione(QStringLiteral("proponiscambioautom")), QStringLiteral("False"));
        QCOMPARE(LeggiImpostazione(QStringLiteral("ANNATA")), QString());
        QCOMPARE(fx.boxes.count(), 0);

        QCOMPARE(LeggiImpostazione(QStringLiteral("COLORE_RETE")), QString());
        QCOMPARE(fx.boxes.count(), 1);
        QCOMPARE(fx.boxes.last().titolo, QStringLiteral("Errore"));
        QCOMPARE(fx.boxes.last().testo,
                 QStringLiteral("Errore di lettura in parametri di impostazione, campo: COLORE_RETE"));

        Database::instance().deleteTable(QStringLiteral("impostazioni.db"));
        QCOMPARE(LeggiImpostazione(QStringLiteral("LINGUA")), QString());
        QCOMPARE(fx.boxes.count(), 2);
    }

    void translatingTexts()
    {
        Fixture fx;
        const QString en = QStringLiteral("English");
        QCOMPARE(Traduci(QStringLiteral("&Esci"), en), QStringLiteral("Exit"));
        QCOMPARE(Traduci(QStringLiteral("&Esci"), QStringLiteral("Français")), QStringLiteral("Quitter"));
        QCOMPARE(Traduci(QStringLiteral("E' un prodotto Brivo"), en), QStringLiteral("A Brivo product"));
        QCOMPARE(Traduci(QStringLiteral("Dell'altra squadra"), en), QStringLiteral("Dellaltra squadra"));
        QCOMPARE(Traduci(QStringLiteral("Riposo"), en), QStringLiteral("Bye")); // two rows: the first
        QCOMPARE(fx.boxes.count(), 0);
    }
};

QTEST_MAIN(TestFrmImpostazioni)
#include "test_frmimpostazioni.moc"
