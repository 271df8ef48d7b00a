#include "ui/usage_bar_delegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

#include "app/window_models/memory_usage_view.h"

namespace cuffware {

namespace {

constexpr int kTextWidthDigits = 6;
constexpr int kPadding = 4;

}  // namespace

UsageBarDelegate::UsageBarDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void UsageBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    QStyle* style = item.widget ? item.widget->style() : QApplication::style();

    // The cell as usual (the number stands at its left), then the bar to the
    // right of the widest number.
    int textWidth = item.fontMetrics.horizontalAdvance(QString(kTextWidthDigits, '0'));
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    QRect track = item.rect.adjusted(textWidth + kPadding, kPadding, -kPadding, -kPadding);
    if (track.width() < 8 || track.height() < 4)
        return;
    int base = index.data(kUsageBaseRole).toInt();
    int own = index.data(kUsageRole).toInt();
    int baseWidth = BarSpan(base, track.width());
    int totalWidth = BarSpan(base + own, track.width());
    bool exceeded = index.data(kUsageExceededRole).toBool();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(Qt::NoPen);
    painter->setBrush(item.palette.color(QPalette::Base).darker(106));
    painter->drawRect(track);
    painter->setBrush(QColor(160, 174, 192));
    painter->drawRect(track.x(), track.y(), baseWidth, track.height());
    painter->setBrush(exceeded ? QColor(200, 40, 40) : QColor(64, 128, 200));
    painter->drawRect(track.x() + baseWidth, track.y(), totalWidth - baseWidth, track.height());
    painter->setPen(item.palette.color(QPalette::Mid));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(track.adjusted(0, 0, -1, -1));
    painter->restore();
}

QSize UsageBarDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 2 * kPadding));
    return size;
}

}  // namespace cuffware
