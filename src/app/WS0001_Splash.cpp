#include "app/WS0001_Splash.h"

#include "app/Artwork.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TWS0001::TWS0001(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("WS0001"));
    setFixedSize(356, 310);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    auto* pic = new QLabel(this);
    pic->setPixmap(ProductPicture(size()));
    lay->addWidget(pic);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
