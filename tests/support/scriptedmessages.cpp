#include "support/scriptedmessages.h"

ScriptedMessages::ScriptedMessages() : previous(messageBackend()) { setMessageBackend(this); }

ScriptedMessages::~ScriptedMessages() { setMessageBackend(previous); }

bool ScriptedMessages::show(const Messaggio &messaggio)
{
    shown.append(messaggio);
    if (!messaggio.siNo)
        return true;
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

void ScriptedMessages::setNextAnswer(bool yes) { answers.append(yes); }

QStringList ScriptedMessages::texts() const
{
    QStringList list;
    for (const Messaggio &m : shown)
        list << m.testo;
    return list;
}
