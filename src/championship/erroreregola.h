// A championship rule the request breaks: a team not in the standings, a wrong set value, a name
// already used, a matchday not played... The routines throw it before they change anything, with
// the words the form shows; a fault of the table engine stays a store::EngineError.
#pragma once

#include <QString>
#include <stdexcept>

class ErroreRegola : public std::runtime_error {
public:
    explicit ErroreRegola(const QString &messaggio) : std::runtime_error(messaggio.toStdString()), testo(messaggio) {}
    const QString &message() const { return testo; }

private:
    QString testo;
};
