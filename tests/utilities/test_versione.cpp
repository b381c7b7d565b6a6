// The version check's rules: the extraction by criteria over one or more page texts, the page's
// body, the own build number and the verdict against the published one.
#include "utilities/versione.h"

#include <QtTest>

class TestVersione : public QObject {
    Q_OBJECT
private slots:
    void extraction_data()
    {
        QTest::addColumn<QStringList>("testi");
        QTest::addColumn<QStringList>("attesi");
        const auto L = [](std::initializer_list<const char *> l) {
            QStringList r;
            for (const char *s : l)
                r << QString::fromUtf8(s);
            return r;
        };
        QTest::newRow("the page of the site") << L({"<body><p>Versione 04.2002-67</p></body>"}) << L({"67"});
        QTest::newRow("no texts") << QStringList() << QStringList();
        QTest::newRow("no key") << L({"<p>Release 04.2002-67</p>"}) << QStringList();
        QTest::newRow("key is case-sensitive") << L({"<p>versione 04.2002-67</p>"}) << QStringList();
        QTest::newRow("no marker after the key") << L({"04-1<b>Versione 67</b>"}) << QStringList();
        QTest::newRow("no end marker") << L({"Versione 04.2002-67"}) << QStringList();
        QTest::newRow("the marker before the key does not count") << L({"a-1<b> Versione 04.2002-67<"})
                                                                   << L({"67"});
        QTest::newRow("key in one text, marker in the next")
            << L({"<p>Versione</p>", "<p>04.2002-68</p>"}) << L({"68"});
        QTest::newRow("texts before the key are passed over")
            << L({"<p>2002-10</p>", "Versione 04.2002-69<"}) << L({"69"});
        QTest::newRow("a text without an end is passed for the next")
            << L({"Versione 04.2002-67", "<i>-70</i>"}) << L({"70"});
        QTest::newRow("two keys in two texts") << L({"Versione 1-5<", "Versione 1-6<"}) << L({"5", "6"});
        QTest::newRow("a second key in the same text is not looked for") << L({"Versione 1-5< Versione 1-6<"})
                                                                           << L({"5"});
        QTest::newRow("an empty value") << L({"Versione 04.2002-<b>"}) << L({""});
    }

    void extraction()
    {
        QFETCH(QStringList, testi);
        QFETCH(QStringList, attesi);
        QStringList valori;
        EstraiURLConCriterio(testi, valori, CriterioVersione());
        QCOMPARE(valori, attesi);
    }

    void extractionAppendsToWhatIsThere()
    {
        QStringList valori{QStringLiteral("vecchio")};
        EstraiURLConCriterio({QStringLiteral("Versione 04.2002-67<")}, valori, CriterioVersione());
        QCOMPARE(valori, QStringList({QStringLiteral("vecchio"), QStringLiteral("67")}));
    }

    void theFlags()
    {
        const QStringList pagina{QStringLiteral("Prg: Versione a-1< b-2< c-3<x  <")};
        CriterioEstrazione c = CriterioVersione();
        QStringList valori;

        c.mantieniInizio = true;
        EstraiURLConCriterio(pagina, valori, c);
        QCOMPARE(valori, QStringList{QStringLiteral("-1")});

        c = CriterioVersione();
        c.includiFine = true;
        valori.clear();
        EstraiURLConCriterio(pagina, valori, c);
        QCOMPARE(valori, QStringList{QStringLiteral("1<")});

        // Trimming: every trailing character of the set goes, one by one.
        c = CriterioVersione();
        c.caratteriDaTogliere = QStringLiteral(" x");
        valori.clear();
        EstraiURLConCriterio({QStringLiteral("Versione c-3x x <")}, valori, c);
        QCOMPARE(valori, QStringList{QStringLiteral("3")});

        // A skip: occurrences count per text, so the skipped one is the key's own text.
        c = CriterioVersione();
        c.occorrenzeDaSaltare = 1;
        valori.clear();
        EstraiURLConCriterio({QStringLiteral("Versione a-1<"), QStringLiteral("b-2<"), QStringLiteral("c-3<")}, valori,
                             c);
        QCOMPARE(valori, QStringList{QStringLiteral("2")});
        c.occorrenzeDaSaltare = 5;
        valori.clear();
        EstraiURLConCriterio({QStringLiteral("Versione a-1<"), QStringLiteral("b-2<")}, valori, c);
        QVERIFY(valori.isEmpty());

        // A start marker not in the text after the occurrence: nothing from that text.
        c = CriterioVersione();
        c.marcatoreInizio = QStringLiteral("#");
        valori.clear();
        EstraiURLConCriterio(pagina, valori, c);
        QVERIFY(valori.isEmpty());

        // An empty key finds nothing; empty markers are not looked for.
        c = CriterioVersione();
        c.chiave.clear();
        valori.clear();
        EstraiURLConCriterio(pagina, valori, c);
        QVERIFY(valori.isEmpty());
        c = CriterioVersione();
        c.marcatoreFine.clear();
        valori.clear();
        EstraiURLConCriterio({QStringLiteral("Versione 04.2002-71")}, valori, c);
        QCOMPARE(valori, QStringList{QStringLiteral("71")});
    }

    void bodyOnly()
    {
        const QString pagina = QStringLiteral("<html><head><title>Versione 04.2002-99</title></head>"
                                              "<BODY class=\"x\"><p>Versione 04.2002-67</p></BODY></html>");
        QCOMPARE(CorpoPagina(pagina), QStringLiteral("<BODY class=\"x\"><p>Versione 04.2002-67</p></BODY>"));
        QStringList valori;
        EstraiURLConCriterio({CorpoPagina(pagina)}, valori, CriterioVersione());
        QCOMPARE(valori, QStringList{QStringLiteral("67")});

        // Only the title names a version: the body has none.
        valori.clear();
        EstraiURLConCriterio({CorpoPagina(QStringLiteral("<head><title>Versione 04.2002-99</title></head><body>Nulla"
                                                         "</body>"))},
                             valori, CriterioVersione());
        QVERIFY(valori.isEmpty());

        QCOMPARE(CorpoPagina(QStringLiteral("<head><title>Versione 1-9</title></head><p>x</p>")),
                 QStringLiteral("<p>x</p>"));
        QCOMPARE(CorpoPagina(QStringLiteral("<body>senza fine")), QStringLiteral("<body>senza fine"));
        QCOMPARE(CorpoPagina(QStringLiteral("testo")), QStringLiteral("testo"));
    }

    void ownBuildNumber()
    {
        QCOMPARE(NumeroBuild(QStringLiteral("04.2002-66")), 66);
        QCOMPARE(NumeroBuild(QStringLiteral("04.2002-")), -1);
        QCOMPARE(NumeroBuild(QStringLiteral("04.2002-6a")), -1);
    }

    void publishedNumber()
    {
        QCOMPARE(NumeroPubblicato({}), -1);
        QCOMPARE(NumeroPubblicato({QStringLiteral("67"), QStringLiteral("12")}), 67);
        QCOMPARE(NumeroPubblicato({QStringLiteral("0")}), 0);
        QCOMPARE(NumeroPubblicato({QStringLiteral("")}), -1);
        QCOMPARE(NumeroPubblicato({QStringLiteral("6 7")}), -1);
        QCOMPARE(NumeroPubblicato({QStringLiteral("-5")}), -1);
        QCOMPARE(NumeroPubblicato({QStringLiteral("2147483647")}), 2147483647);
        QCOMPARE(NumeroPubblicato({QStringLiteral("2147483648")}), -1);
        QCOMPARE(NumeroPubblicato({QStringLiteral("99999999999999999999999")}), -1);
    }

    void verdict()
    {
        QCOMPARE(ConfrontaVersioni(66, 67), VerdettoVersione::Nuova);
        QCOMPARE(ConfrontaVersioni(66, 66), VerdettoVersione::NessunaNuova);
        QCOMPARE(ConfrontaVersioni(66, 65), VerdettoVersione::NessunaNuova);
        QCOMPARE(ConfrontaVersioni(66, 0), VerdettoVersione::NessunaNuova);
        QCOMPARE(ConfrontaVersioni(66, -1), VerdettoVersione::NonDeterminabile);
        QCOMPARE(ConfrontaVersioni(66, NumeroPubblicato({QStringLiteral("-7")})), VerdettoVersione::NonDeterminabile);
        QCOMPARE(ConfrontaVersioni(66, NumeroPubblicato({QStringLiteral("99999999999")})),
                 VerdettoVersione::NonDeterminabile);
        QCOMPARE(ConfrontaVersioni(66, 2147483647), VerdettoVersione::Nuova);
    }
};

QTEST_GUILESS_MAIN(TestVersione)
#include "test_versione.moc"
