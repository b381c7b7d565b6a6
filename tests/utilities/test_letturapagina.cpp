// The network page service against a small HTTP server on the loopback: the page in its own
// character set, an HTTP error, a refused connection, a page too large, a server that never
// answers, and a request given up. No test leaves the machine.
#include "utilities/letturapagina.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {
// Answers every request with the same bytes, or never when risposta is empty.
class Server : public QTcpServer {
public:
    QByteArray risposta;
    int richieste = 0;
    QByteArray ultimaRichiesta;

    Server()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    ultimaRichiesta += s->readAll();
                    if (!ultimaRichiesta.contains("\r\n\r\n"))
                        return;
                    ++richieste;
                    if (risposta.isEmpty())
                        return;
                    s->write(risposta);
                    s->disconnectFromHost();
                });
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QUrl indirizzo(const char *percorso = "/index.php?show=ctrlvers&prg=Brivo_Rotaset") const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(QLatin1String(percorso)));
    }
};

QByteArray http(const QByteArray &stato, const QByteArray &tipo, const QByteArray &corpo)
{
    return "HTTP/1.1 " + stato + "\r\nContent-Type: " + tipo + "\r\nContent-Length: " + QByteArray::number(corpo.size()) +
           "\r\nConnection: close\r\n\r\n" + corpo;
}

struct Esito {
    RichiestaPagina::Esito esito;
    QString testo;
};

Esito attendi(RichiestaPagina *r)
{
    QSignalSpy spy(r, &RichiestaPagina::conclusa);
    if (!spy.wait(20000))
        return {RichiestaPagina::Esito::Errore, QStringLiteral("<nessuna risposta>")};
    return {spy.first().at(0).value<RichiestaPagina::Esito>(), spy.first().at(1).toString()};
}
} // namespace

class TestLetturaPagina : public QObject {
    Q_OBJECT
private slots:
    void thePageInItsCharacterSet()
    {
        Server server;
        server.risposta = http("200 OK", "text/html; charset=ISO-8859-1",
                               QByteArray("<body>Versione 04.2002-67 \xe8 pronta</body>"));
        ServizioPagineRete servizio;
        QObject owner;
        const Esito e = attendi(servizio.richiedi(server.indirizzo(), &owner));
        QCOMPARE(e.esito, RichiestaPagina::Esito::Riuscita);
        QCOMPARE(e.testo, QStringLiteral("<body>Versione 04.2002-67 è pronta</body>"));
        QVERIFY(server.ultimaRichiesta.startsWith("GET /index.php?show=ctrlvers&prg=Brivo_Rotaset HTTP/1.1"));
    }

    void utf8WithoutCharset()
    {
        Server server;
        server.risposta = http("200 OK", "text/html", QStringLiteral("<body>Qualità</body>").toUtf8());
        ServizioPagineRete servizio;
        QObject owner;
        const Esito e = attendi(servizio.richiedi(server.indirizzo(), &owner));
        QCOMPARE(e.esito, RichiestaPagina::Esito::Riuscita);
        QCOMPARE(e.testo, QStringLiteral("<body>Qualità</body>"));
    }

    void anHttpErrorIsAFailure()
    {
        Server server;
        server.risposta = http("404 Not Found", "text/html", "<body>Versione 04.2002-99<</body>");
        ServizioPagineRete servizio;
        QObject owner;
        QCOMPARE(attendi(servizio.richiedi(server.indirizzo(), &owner)).esito, RichiestaPagina::Esito::Errore);
    }

    void aRefusedConnectionIsAFailure()
    {
        quint16 porta;
        {
            Server chiuso;
            porta = chiuso.serverPort();
        }
        ServizioPagineRete servizio;
        QObject owner;
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/").arg(porta));
        QCOMPARE(attendi(servizio.richiedi(url, &owner)).esito, RichiestaPagina::Esito::Errore);
    }

    void aPageTooLargeIsRefused()
    {
        Server server;
        server.risposta = http("200 OK", "text/html", QByteArray(ServizioPagineRete::DimensioneMassima + 1, 'x'));
        ServizioPagineRete servizio;
        QObject owner;
        const Esito e = attendi(servizio.richiedi(server.indirizzo(), &owner));
        QCOMPARE(e.esito, RichiestaPagina::Esito::Errore);
        QCOMPARE(e.testo, QStringLiteral("Pagina troppo grande."));
    }

    void aServerThatNeverAnswers()
    {
        Server server; // reads the request and stays silent
        ServizioPagineRete servizio(std::chrono::milliseconds(50));
        QObject owner;
        QCOMPARE(attendi(servizio.richiedi(server.indirizzo(), &owner)).esito, RichiestaPagina::Esito::TempoScaduto);
        QCOMPARE(server.richieste, 1);
    }

    void aRequestGivenUpReportsNothing()
    {
        Server server;
        ServizioPagineRete servizio;
        QObject owner;
        RichiestaPagina *r = servizio.richiedi(server.indirizzo(), &owner);
        QSignalSpy spy(r, &RichiestaPagina::conclusa);
        QTRY_COMPARE(server.richieste, 1);
        r->interrompi();
        server.risposta = http("200 OK", "text/html", "<body>tardi</body>");
        QTest::qWait(0);
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLetturaPagina)
#include "test_letturapagina.moc"
