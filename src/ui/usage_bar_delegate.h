#pragma once
// Draws a row's memory usage as a bar against the firmware overlay, behind
// the number in the "Memory Usage" column. A state row's bar stands on the
// common section it is loaded beside, so its length is what the overlay
// holds while that state runs; it turns red past the overlay size.

#include <QStyledItemDelegate>

namespace cuffware {

// Item data the delegate reads: the row's own bytes and the bytes beneath it.
inline constexpr int kUsageRole = Qt::UserRole + 1;
inline constexpr int kUsageBaseRole = Qt::UserRole + 2;
inline constexpr int kUsageExceededRole = Qt::UserRole + 3;

class UsageBarDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit UsageBarDelegate(QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace cuffware
