// Starting an external program (the table rebuild utility) and waiting for its exit code.
#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// The texts of the failures of EseguiEAttendi; callers show them as they are.
inline constexpr const char *ErroreAvvioProcesso = "Error during CreateProcess";
inline constexpr const char *ErroreAttesaProcesso = "Error in WaitForSingleObject";
inline constexpr const char *ErroreCodiceUscita = "Error in GetExitCodeProcess";
// Releasing the process cannot fail here; the text is kept so that every failure has its name.
inline constexpr const char *ErroreChiusuraProcesso = "Error in process Close Handle";

class ErroreProcesso : public std::runtime_error {
public:
    explicit ErroreProcesso(const QString &messaggio);
    QString messaggio() const { return testo; }

private:
    QString testo;
};

// Splits the command line into program and arguments (blanks separate them, double quotes keep
// an argument with blanks together; no shell is involved), starts the program, waits for it
// without a time limit and returns its exit code. Throws ErroreProcesso when the program cannot
// start, when the wait fails, or when the program crashed and so left no exit code.
int EseguiEAttendi(const QString &rigaDiComando);

// The same with the arguments already as a list (nothing to split or quote). With uscita, the
// program's output and errors are collected there, trimmed, instead of going to ours.
int EseguiEAttendi(const QString &programma, const QStringList &argomenti, QString *uscita = nullptr);
