#include "utilities/letturapagina.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringDecoder>
#include <QTimer>

namespace {
ServizioPagine *attuale = nullptr;

QNetworkAccessManager &gestore()
{
    // Owned by the application, so that it ends with it.
    static QPointer<QNetworkAccessManager> manager;
    if (!manager)
        manager = new QNetworkAccessManager(QCoreApplication::instance());
    return *manager;
}

// The page's text in the character set its header names, UTF-8 otherwise.
QString testoPagina(QNetworkReply *risposta, const QByteArray &dati)
{
    const QString tipo = risposta->header(QNetworkRequest::ContentTypeHeader).toString();
    const qsizetype charset = tipo.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (charset >= 0) {
        QString nome = tipo.mid(charset + 8).section(QLatin1Char(';'), 0, 0).trimmed();
        nome.remove(QLatin1Char('"'));
        QStringDecoder decoder(nome.toLatin1().constData());
        if (decoder.isValid())
            return decoder(dati);
    }
    return QString::fromUtf8(dati);
}

class RichiestaRete : public RichiestaPagina {
public:
    RichiestaRete(const QUrl &indirizzo, std::chrono::milliseconds limite, QObject *parent)
        : RichiestaPagina(parent)
    {
        QNetworkRequest request(indirizzo);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        risposta = gestore().get(request);
        timer.setSingleShot(true);
        timer.setInterval(limite);
        connect(&timer, &QTimer::timeout, this, [this] { concludi(Esito::TempoScaduto, QString()); });
        // The limit counts from the last byte received.
        connect(risposta, &QNetworkReply::readyRead, this, [this] {
            timer.start();
            if (risposta->bytesAvailable() + dati.size() > ServizioPagineRete::DimensioneMassima)
                concludi(Esito::Errore, QStringLiteral("Pagina troppo grande."));
            else
                dati += risposta->readAll();
        });
        connect(risposta, &QNetworkReply::finished, this, [this] {
            if (risposta->error() != QNetworkReply::NoError)
                concludi(Esito::Errore, risposta->errorString());
            else {
                dati += risposta->readAll();
                concludi(Esito::Riuscita, testoPagina(risposta, dati));
            }
        });
        timer.start();
    }

    ~RichiestaRete() override { interrompi(); }

    void interrompi() override
    {
        timer.stop();
        if (!risposta)
            return;
        QNetworkReply *r = risposta;
        risposta = nullptr;
        r->disconnect(this);
        r->abort();
        r->deleteLater();
    }

private:
    void concludi(Esito esito, const QString &testo)
    {
        if (!risposta)
            return;
        interrompi();
        emit conclusa(esito, testo);
    }

    QPointer<QNetworkReply> risposta;
    QTimer timer;
    QByteArray dati;
};
} // namespace

void setServizioPagine(ServizioPagine *servizio) { attuale = servizio; }

ServizioPagine *servizioPagine()
{
    static ServizioPagineRete rete;
    return attuale ? attuale : &rete;
}

ServizioPagineRete::ServizioPagineRete(std::chrono::milliseconds limite) : limite(limite) {}

RichiestaPagina *ServizioPagineRete::richiedi(const QUrl &indirizzo, QObject *parent)
{
    return new RichiestaRete(indirizzo, limite, parent);
}
