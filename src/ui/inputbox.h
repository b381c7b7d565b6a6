// The input box: a caption, a prompt and one line of text, answered with OK or Annulla. Every
// showing goes through one replaceable function, so that tests answer it without an event loop.
#pragma once

#include <QString>
#include <functional>

// The typed text on OK; the default text on Annulla or when the box is closed.
QString InputBox(const QString &titolo, const QString &richiesta, const QString &predefinito = QString());

// Replaces the box (nullptr restores the dialog). The replacement receives the caption, the prompt
// and the default text and returns the text the box would have returned.
void setInputBoxBackend(std::function<QString(const QString &, const QString &, const QString &)> backend);
