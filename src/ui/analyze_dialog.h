#pragma once
// The analysis window: one memory usage report, shown once. Every analysis
// creates a fresh window, so nothing carries over from the last one.

#include <QDialog>

#include "app/window_models/memory_usage_view.h"

class QTreeWidget;

namespace cuffware {

class AnalyzeDialog : public QDialog {
    Q_OBJECT
  public:
    AnalyzeDialog(const MemoryUsageView& view, QWidget* parent);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void HalveSectionColumn();

    QTreeWidget* sections_;
};

}  // namespace cuffware
