#pragma once

#include <QPixmap>

// The picture of the splash screen and the version dialog, drawn rather than shipped.
QPixmap ProductPicture(const QSize& size);
