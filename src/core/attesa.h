// The hourglass cursor during long work, through a replaceable backend (the user interface installs
// one that sets the application's override cursor; without one nothing is shown).
#pragma once

#include <functional>

void setWaitCursorBackend(std::function<void(bool busy)> backend);

class CursoreAttesa {
public:
    CursoreAttesa();
    ~CursoreAttesa();
    CursoreAttesa(const CursoreAttesa &) = delete;
    CursoreAttesa &operator=(const CursoreAttesa &) = delete;
};
