// The program's message boxes. Every box goes through one replaceable backend: the program installs
// the QMessageBox one at start, tests install a scripted one that records each box and answers it.
#pragma once

#include <QString>

enum class IconaMessaggio { Informazione, Attenzione, Errore, Domanda };

struct Messaggio {
    QString titolo;
    QString testo;
    IconaMessaggio icona = IconaMessaggio::Informazione;
    bool siNo = false; // Yes and No buttons instead of OK
    bool noPredefinito = false; // on a Yes/No box, No is the default button: Return does not destroy
};

class MessageBackend {
public:
    virtual ~MessageBackend() = default;
    // Shows the box; returns true when the user answered Yes (or OK on a box with one button).
    virtual bool show(const Messaggio &messaggio) = 0;
};

// Installs the backend (not owned). nullptr restores the fallback, which writes the box to the
// standard error stream and answers No.
void setMessageBackend(MessageBackend *backend);
MessageBackend *messageBackend();

// Title "Messaggio.", information icon, OK.
void MostraMessaggio(const QString &testo);
// Title "Attenzione.", warning icon, OK.
void MostraAttenzione(const QString &testo);
// Title "Errore", error icon, OK.
void MostraErrore(const QString &testo);
// Title "Richiesta.", question icon, Yes and No; true exactly when Yes was pressed.
bool ChiediConferma(const QString &testo);
// The same question when Yes destroys data (a deletion, edits thrown away): No is the default button,
// so Return or a hasty click on the default does not lose anything.
bool ChiediConfermaDistruttiva(const QString &testo);
// Any other box (for instance a Yes/No question with its own title and a warning icon).
bool MostraBox(const Messaggio &messaggio);
