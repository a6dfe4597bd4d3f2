#include "app/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap ProductPicture(const QSize& size) {
    QPixmap pix(size);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    QLinearGradient bg(r.topLeft(), r.bottomLeft());
    bg.setColorAt(0, QColor(0x1d, 0x3f, 0x5e));
    bg.setColorAt(1, QColor(0x3f, 0x7c, 0xa8));
    p.fillRect(r, bg);

    // A rising pay curve over a faint grid: what the program is about.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int i = 1; i < 8; ++i) {
        const qreal x = r.width() * i / 8;
        const qreal y = r.height() * i / 8;
        p.drawLine(QPointF(x, r.height() * 0.35), QPointF(x, r.height() * 0.9));
        if (y > r.height() * 0.35 && y < r.height() * 0.9)
            p.drawLine(QPointF(0, y), QPointF(r.width(), y));
    }
    QPainterPath curve;
    const qreal x0 = r.width() * 0.08, x1 = r.width() * 0.92;
    const qreal yb = r.height() * 0.86, yt = r.height() * 0.42;
    curve.moveTo(x0, yb);
    curve.cubicTo(r.width() * 0.4, yb - (yb - yt) * 0.15, r.width() * 0.6, yt + (yb - yt) * 0.1, x1,
                  yt);
    p.setPen(QPen(QColor(0xf6, 0xc3, 0x43), qMax<qreal>(2, r.height() / 60)));
    p.drawPath(curve);
    p.setBrush(QColor(0xf6, 0xc3, 0x43));
    for (int i = 0; i <= 6; ++i) {
        const QPointF pt = curve.pointAtPercent(i / 6.0);
        p.drawEllipse(pt, r.height() / 70 + 1, r.height() / 70 + 1);
    }

    QFont title(QStringLiteral("IPAPGothic"));
    title.setPixelSize(int(r.height() * 0.13));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, r.height() * 0.06, r.width(), r.height() * 0.18), Qt::AlignCenter,
               QStringLiteral("Tesvane賃金"));
    QFont sub(QStringLiteral("IPAPGothic"));
    sub.setPixelSize(int(r.height() * 0.05));
    p.setFont(sub);
    p.drawText(QRectF(0, r.height() * 0.22, r.width(), r.height() * 0.1), Qt::AlignCenter,
               QStringLiteral("賃金設計ワークベンチ"));
    return pix;
}
