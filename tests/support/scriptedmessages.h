// A message-box backend for tests: records every box and answers Yes or No as told.
#pragma once

#include "core/messaggi.h"

#include <QList>

class ScriptedMessages : public MessageBackend {
public:
    // Installs itself for its lifetime.
    ScriptedMessages();
    ~ScriptedMessages() override;

    bool show(const Messaggio &messaggio) override;

    // The answer to the next question box; later boxes answer with the default.
    void setNextAnswer(bool yes);
    void setDefaultAnswer(bool yes) { defaultAnswer = yes; }

    QList<Messaggio> shown;
    int count() const { return int(shown.size()); }
    const Messaggio &last() const { return shown.last(); }
    QStringList texts() const;
    void clear() { shown.clear(); }

private:
    QList<bool> answers;
    bool defaultAnswer = false;
    MessageBackend *previous = nullptr;
};
