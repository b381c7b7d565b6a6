// The data-aware controls: what the user types or chooses reaches the row only through an edit of
// the table, what the table shows reaches every control, and display refreshes are never taken for
// user changes.
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"
#include "ui/datacontrols.h"

#include <QSignalSpy>
#include <QtTest>

using namespace store;

namespace {

const QString Nome = QStringLiteral("Nome");
const QString Eta = QStringLiteral("Eta");
const QString Attivo = QStringLiteral("Attivo");
const QString Colore = QStringLiteral("Colore");

void createPeople()
{
    Database::instance().createTable(
        {QStringLiteral("Persone.db"),
         QString(),
         {textField(Nome, 10), integerField(Eta), logicalField(Attivo), textField(Colore, 10)},
         {}});
    Table t(QStringLiteral("Persone.db"));
    t.open();
    const QList<QList<QVariant>> rows = {{QStringLiteral("Anna"), 30, true, QStringLiteral("Rosso")},
                                         {QStringLiteral("Bruno"), 41, false, QStringLiteral("Verde")}};
    for (const QList<QVariant> &row : rows) {
        t.append();
        for (int i = 0; i < row.size(); ++i)
            t.field(i).setValue(row[i]);
        t.post();
    }
}

// What is on disk, read through a cursor of its own.
QString stored(const QString &field, int row = 1)
{
    Table t(QStringLiteral("Persone.db"));
    t.open();
    t.setRecNo(row);
    return t.fieldByName(field).asString();
}

// A form with one control of each kind on the first row of Persone.db.
struct Form {
    Table table{QStringLiteral("Persone.db")};
    DBEdit nome, eta;
    DBCheckBox attivo;
    DBComboBox colore;
    Form()
    {
        colore.addItems({QStringLiteral("Rosso"), QStringLiteral("Verde"), QStringLiteral("Giallo")});
        nome.setDataField(&table, Nome);
        eta.setDataField(&table, Eta);
        attivo.setDataField(&table, Attivo);
        colore.setDataField(&table, Colore);
        table.open();
    }
};

} // namespace

class TestDataControls : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::shutdown(); }

    void typingStartsTheEditAndPostStoresTheText()
    {
        TempProgramFolder folder;
        createPeople();
        Form f;
        QCOMPARE(f.nome.text(), QStringLiteral("Anna"));
        QTest::keyClicks(&f.nome, QStringLiteral("lisa"));
        QCOMPARE(f.table.state(), Table::Edit);
        QCOMPARE(f.nome.text(), QStringLiteral("Annalisa"));

        // Another control writing its field refreshes the row: the pending text must survive it.
        QTest::keyClicks(&f.eta, QStringLiteral("1"));
        QTest::keyClick(&f.attivo, Qt::Key_Space);
        QCOMPARE(f.nome.text(), QStringLiteral("Annalisa"));
        QCOMPARE(f.eta.text(), QStringLiteral("301"));

        QVERIFY(f.table.post());
        QCOMPARE(f.table.state(), Table::Browse);
        QCOMPARE(stored(Nome), QStringLiteral("Annalisa"));
        QCOMPARE(stored(Eta), QStringLiteral("301"));
        QCOMPARE(stored(Attivo), QStringLiteral("False"));
        QCOMPARE(stored(Nome, 2), QStringLiteral("Bruno"));
    }

    void leavingAnEditWritesItOrReportsTheRefusal()
    {
        TempProgramFolder folder;
        createPeople();
        ScriptedMessages boxes;
        Form f;
        QTest::keyClicks(&f.nome, QStringLiteral("bella e buona")); // wider than the field
        QTest::keyClick(&f.nome, Qt::Key_Return);
        QCOMPARE(f.table.fieldByName(Nome).asString(), QStringLiteral("Annabella "));
        QCOMPARE(f.nome.text(), QStringLiteral("Annabella "));
        QVERIFY(!f.nome.hasPendingText());

        f.eta.selectAll();
        QTest::keyClicks(&f.eta, QStringLiteral("tanti"));
        QTest::keyClick(&f.eta, Qt::Key_Return);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().titolo, QStringLiteral("Errore"));
        QCOMPARE(f.eta.text(), QStringLiteral("tanti")); // kept for the user to correct
        QVERIFY_THROWS_EXCEPTION(EngineError, f.table.post());
        QCOMPARE(stored(Eta), QStringLiteral("30"));
    }

    void cancelShowsTheStoredValuesAgain()
    {
        TempProgramFolder folder;
        createPeople();
        Form f;
        QTest::keyClicks(&f.nome, QStringLiteral("xyz"));
        QTest::keyClick(&f.attivo, Qt::Key_Space);
        QTest::keyClick(&f.colore, Qt::Key_Down);
        QCOMPARE(f.colore.currentText(), QStringLiteral("Verde"));
        f.table.cancel();
        QCOMPARE(f.nome.text(), QStringLiteral("Anna"));
        QVERIFY(!f.nome.hasPendingText());
        QVERIFY(f.attivo.isChecked());
        QCOMPARE(f.colore.currentText(), QStringLiteral("Rosso"));
        QCOMPARE(stored(Colore), QStringLiteral("Rosso"));
    }

    void checkBoxAndComboWriteAtOnce()
    {
        TempProgramFolder folder;
        createPeople();
        Form f;
        f.table.next();
        QTest::keyClick(&f.attivo, Qt::Key_Space);
        QCOMPARE(f.table.state(), Table::Edit);
        QVERIFY(f.attivo.isChecked());
        QCOMPARE(f.table.fieldByName(Attivo).asString(), QStringLiteral("True"));

        QTest::keyClick(&f.colore, Qt::Key_Down);
        QCOMPARE(f.table.fieldByName(Colore).asString(), QStringLiteral("Giallo"));
        QVERIFY(f.table.post());
        QCOMPARE(stored(Attivo, 2), QStringLiteral("True"));
        QCOMPARE(stored(Colore, 2), QStringLiteral("Giallo"));
        QCOMPARE(stored(Attivo, 1), QStringLiteral("True"));
    }

    void showingRowsNeverStartsAnEdit()
    {
        TempProgramFolder folder;
        createPeople();
        Form f;
        QSignalSpy states(&f.table, &Table::stateChanged);
        f.table.next();
        QCOMPARE(f.nome.text(), QStringLiteral("Bruno"));
        QCOMPARE(f.eta.text(), QStringLiteral("41"));
        QVERIFY(!f.attivo.isChecked());
        QCOMPARE(f.colore.currentText(), QStringLiteral("Verde"));

        // Another cursor changes the row; the refresh shows it and still nothing is being edited.
        {
            Table other(QStringLiteral("Persone.db"));
            other.open();
            other.last();
            other.edit();
            other.fieldByName(Colore).setAsString(QStringLiteral("Blu")); // not in the list
            other.fieldByName(Attivo).setAsBoolean(true);
            other.post();
        }
        f.table.refresh();
        QCOMPARE(f.colore.currentIndex(), -1);
        QVERIFY(f.attivo.isChecked());
        f.table.first();
        QCOMPARE(f.nome.text(), QStringLiteral("Anna"));
        QCOMPARE(f.table.state(), Table::Browse);
        QCOMPARE(states.count(), 0);

        f.table.close();
        QCOMPARE(f.nome.text(), QString());
        QVERIFY(!f.attivo.isChecked());
        QTest::keyClicks(&f.nome, QStringLiteral("x")); // a closed table is not opened by typing
        QCOMPARE(f.table.state(), Table::Inactive);
    }
};

QTEST_MAIN(TestDataControls)
#include "test_datacontrols.moc"
