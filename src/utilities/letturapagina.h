// The fetch of a web page, behind one replaceable service: the program reads pages over the
// network with a transfer time limit, tests install a service that answers as they tell it, so that
// no test touches a network.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>

// One page being read. It reports its end exactly once through concluded(), unless it is aborted
// first: an aborted request reports nothing.
class RichiestaPagina : public QObject {
    Q_OBJECT
public:
    enum class Esito {
        Riuscita,    // the page's text is in testo
        Errore,      // no connection, a refused address, an HTTP error: testo says which
        TempoScaduto // nothing arrived for the whole time limit
    };
    Q_ENUM(Esito)

    using QObject::QObject;
    virtual void interrompi() = 0;

signals:
    void conclusa(RichiestaPagina::Esito esito, const QString &testo);
};

class ServizioPagine {
public:
    virtual ~ServizioPagine() = default;
    // Starts reading the page; the request belongs to parent.
    virtual RichiestaPagina *richiedi(const QUrl &indirizzo, QObject *parent) = 0;
};

// The service in use (not owned); nullptr goes back to the network one.
void setServizioPagine(ServizioPagine *servizio);
ServizioPagine *servizioPagine();

// The network service: a request is given up when no byte arrives for the time limit, and a page
// larger than the size limit is refused.
class ServizioPagineRete : public ServizioPagine {
public:
    explicit ServizioPagineRete(std::chrono::milliseconds limite = std::chrono::seconds(15));
    RichiestaPagina *richiedi(const QUrl &indirizzo, QObject *parent) override;

    static constexpr qint64 DimensioneMassima = 4 * 1024 * 1024;

private:
    std::chrono::milliseconds limite;
};
