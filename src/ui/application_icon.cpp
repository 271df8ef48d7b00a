#include "ui/application_icon.h"

#include <QPainter>
#include <QPixmap>

namespace cuffware {

namespace {

QPixmap WatchPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    // Strap, case, face, then the hands at ten past ten.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 70, 80));
    painter.drawRoundedRect(QRectF(22, 0, 20, 64), 4, 4);
    painter.setBrush(QColor(150, 155, 165));
    painter.drawEllipse(QRectF(8, 10, 48, 44));
    painter.setBrush(QColor(235, 240, 230));
    painter.drawEllipse(QRectF(13, 15, 38, 34));
    QPen hand(QColor(30, 30, 40), 3, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(hand);
    painter.drawLine(QPointF(32, 32), QPointF(23, 26));
    painter.drawLine(QPointF(32, 32), QPointF(42, 22));
    return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(WatchPixmap(size));
    return icon;
}

}  // namespace cuffware
