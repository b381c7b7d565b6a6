#include "core/messaggi.h"

#include <cstdio>

namespace {
class StderrBackend : public MessageBackend {
public:
    bool show(const Messaggio &m) override
    {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(m.titolo), qPrintable(m.testo));
        return false;
    }
};

StderrBackend fallback;
MessageBackend *current = nullptr;
} // namespace

void setMessageBackend(MessageBackend *backend) { current = backend; }

MessageBackend *messageBackend() { return current ? current : &fallback; }

bool MostraBox(const Messaggio &messaggio) { return messageBackend()->show(messaggio); }

void MostraMessaggio(const QString &testo)
{
    MostraBox({QStringLiteral("Messaggio."), testo, IconaMessaggio::Informazione, false});
}

void MostraAttenzione(const QString &testo)
{
    MostraBox({QStringLiteral("Attenzione."), testo, IconaMessaggio::Attenzione, false});
}

void MostraErrore(const QString &testo)
{
    MostraBox({QStringLiteral("Errore"), testo, IconaMessaggio::Errore, false});
}

bool ChiediConferma(const QString &testo)
{
    return MostraBox({QStringLiteral("Richiesta."), testo, IconaMessaggio::Domanda, true});
}

bool ChiediConfermaDistruttiva(const QString &testo)
{
    return MostraBox({QStringLiteral("Richiesta."), testo, IconaMessaggio::Domanda, true, true});
}
