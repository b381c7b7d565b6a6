// The program's look: the toolkit's own style, with push buttons that leave room around their text
// in every language (the plain style sizes a button so tightly that a longer translation touches
// its border).
#pragma once

#include <QWidget>

// Installs the style on the application; run before the first window is created. From then on
// every form is, when shown, at least as wide as AdattaAlTitolo makes it.
void InstallaStileProgramma();

// Widens a window whose title, with the program's name the window manager adds, would be cut in
// its title bar (up to the screen's width); a window already wide enough is left alone.
void AdattaAlTitolo(QWidget &finestra);
