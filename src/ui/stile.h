// The program's look: the toolkit's own style, with push buttons that leave room around their text
// in every language (the plain style sizes a button so tightly that a longer translation touches
// its border).
#pragma once

// Installs the style on the application; run before the first window is created.
void InstallaStileProgramma();
