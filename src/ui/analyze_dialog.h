#pragma once
// frmAnalyze: one memory usage report, shown once. Every analysis creates a
// fresh window, so nothing carries over from the last one.

#include <QDialog>

#include "analysis/memory_usage.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace cuffware {

class AnalyzeDialog : public QDialog {
    Q_OBJECT
  public:
    AnalyzeDialog(const MemoryUsageReport& report, QWidget* parent);

  public slots:
    void OKButton_Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void AddRow(const QString& section, int usage, int base);
    void HalveSectionColumn();

    QLabel* LabelFileName;
    QLabel* LabelAllocationSize;
    QLabel* LabelDatabaseSize;
    QLabel* LabelMaxCommonUsage;
    QLabel* LabelMaxStateUsage;
    QLabel* LabelMaxOverlayUsage;
    QLabel* LabelError;
    QLabel* LabelFirmwareOverlaySize;
    QTreeWidget* ListView1;
    QPushButton* OKButton;
};

}  // namespace cuffware
