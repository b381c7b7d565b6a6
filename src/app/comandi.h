// Which form each menu item opens: every command that creates a form registers here.
#pragma once

class TFrmMain;

void CollegaComandi(TFrmMain &finestra);
