// Every modal showing of a form goes through one function, so that tests can see which form would
// open and answer it without an event loop.
#pragma once

#include <QDialog>
#include <functional>

// Shows the dialog modally and returns its result.
int MostraModale(QDialog &dialog);

// Replaces the showing (nullptr restores QDialog::exec). The replacement receives the dialog
// ready to be shown and returns the result the form would have ended with.
void setModalBackend(std::function<int(QDialog &)> backend);
