#include "core/attesa.h"

namespace {
std::function<void(bool)> &backend()
{
    static std::function<void(bool)> b;
    return b;
}
} // namespace

void setWaitCursorBackend(std::function<void(bool busy)> b) { backend() = std::move(b); }

CursoreAttesa::CursoreAttesa()
{
    if (backend())
        backend()(true);
}

CursoreAttesa::~CursoreAttesa()
{
    if (backend())
        backend()(false);
}
