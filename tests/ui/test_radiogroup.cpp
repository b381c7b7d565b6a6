// The radio group: the chosen item's index, none chosen, the signal for the user's click and for a
// change made by the program, the items' names and their columns.
#include "ui/radiogroup.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

class TestRadioGroup : public QObject {
    Q_OBJECT
private slots:
    void theIndexFollowsClicksAndTheProgram()
    {
        RadioGroup g;
        g.setObjectName(QStringLiteral("rgTIPO"));
        g.setItems({QStringLiteral("Formato testo"), QStringLiteral("Formato excel"), QStringLiteral("Altro")});
        g.setColumns(2);
        QCOMPARE(g.count(), 3);
        QCOMPARE(g.itemIndex(), -1);
        QCOMPARE(g.button(1)->objectName(), QStringLiteral("rgTIPO_1"));
        QVERIFY(!g.button(3));
        auto *grid = qobject_cast<QGridLayout *>(g.layout());
        QCOMPARE(grid->columnCount(), 2);
        g.show();

        QSignalSpy spy(&g, &RadioGroup::itemIndexChanged);
        g.button(1)->click();
        QCOMPARE(g.itemIndex(), 1);
        g.button(1)->click(); // the same item again: no change
        QCOMPARE(spy.count(), 1);
        g.setItemIndex(2);
        QVERIFY(g.button(2)->isChecked());
        QVERIFY(!g.button(1)->isChecked());
        // None chosen: every button unchecked, and a click chooses again.
        g.setItemIndex(-1);
        QCOMPARE(g.itemIndex(), -1);
        for (int i = 0; i < g.count(); ++i)
            QVERIFY(!g.button(i)->isChecked());
        g.setItemIndex(7);
        QCOMPARE(g.itemIndex(), -1);
        g.button(0)->click();
        QCOMPARE(g.itemIndex(), 0);
        QCOMPARE(spy.count(), 4);
        QCOMPARE(spy.last().first().toInt(), 0);

        // New items: nothing chosen.
        g.setItems({QStringLiteral("A"), QStringLiteral("B")});
        QCOMPARE(g.count(), 2);
        QCOMPARE(g.itemIndex(), -1);
        QVERIFY(!g.button(0)->isChecked());
    }
};

QTEST_MAIN(TestRadioGroup)
#include "test_radiogroup.moc"
