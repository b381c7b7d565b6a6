// The program's pictures, drawn rather than shipped: a volleyball over a court for the main window,
// the splash and the About form.
#pragma once

#include <QPixmap>

QPixmap DisegnoPallavolo(const QSize &size);
