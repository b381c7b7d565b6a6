#include "ui/modale.h"

namespace {
std::function<int(QDialog &)> &backend()
{
    static std::function<int(QDialog &)> b;
    return b;
}
} // namespace

int MostraModale(QDialog &dialog) { return backend() ? backend()(dialog) : dialog.exec(); }

void setModalBackend(std::function<int(QDialog &)> b) { backend() = std::move(b); }
