#include "ui/usage_bar_delegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

#include "app/window_models/memory_usage_view.h"

namespace cuffware {

namespace {

QColor ToQt(Colour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

Colour FromQt(const QColor& colour) {
    return {colour.red(), colour.green(), colour.blue()};
}

void Fill(QPainter* painter, int left, int top, int width, int height, Colour colour) {
    if (width > 0 && height > 0)
        painter->fillRect(left, top, width, height, ToQt(colour));
}

}  // namespace

UsageBarDelegate::UsageBarDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

// The cell's background as usual, then the number and the bar where the
// window model lays them out.
void UsageBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    const QString number = item.text;
    item.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    MemoryUsageRow row{};
    row.usage = index.data(kUsageRole).toInt();
    row.base = index.data(kUsageBaseRole).toInt();
    row.exceeded = index.data(kUsageExceededRole).toBool();
    const QRect& cell = item.rect;
    UsageBar bar = LayOutUsageBar(row, {cell.x(), cell.y(), cell.width(), cell.height()},
                                  item.fontMetrics.horizontalAdvance('0'), kUsageBarPadding);

    painter->save();
    bool selected = item.state & QStyle::State_Selected;
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRect(bar.number.left, bar.number.top, bar.number.width, bar.number.height),
                      Qt::AlignLeft | Qt::AlignVCenter, number);
    if (bar.shown) {
        const Box& track = bar.track;
        Fill(painter, track.left, track.top, track.width, track.height,
             TrackColour(FromQt(item.palette.color(QPalette::Base))));
        Fill(painter, track.left, track.top, bar.baseWidth, track.height, kBarBaseColour);
        Fill(painter, track.left + bar.baseWidth, track.top, bar.usageWidth, track.height,
             row.exceeded ? kBarExceededColour : kBarUsageColour);
        painter->setPen(item.palette.color(QPalette::Mid));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(track.left, track.top, track.width - 1, track.height - 1);
    }
    painter->restore();
}

QSize UsageBarDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(
        std::max(size.height(), UsageRowHeight(option.fontMetrics.height(), kUsageBarPadding)));
    return size;
}

}  // namespace cuffware
