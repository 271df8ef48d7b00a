#pragma once
// The build's own window off Windows: runs the batch runner on build.bat,
// shows its output as it comes, closes when the batch ends well and stays
// open after a failure until the user closes it, its report then shown from
// the first error on (FirstErrorLine). The same window shows a
// console program such as the downloader: it takes the focus and stays open
// after the program ends, until the user closes it.

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

namespace cuffware {

class BatchWindow : public QWidget {
    Q_OBJECT

  public:
    // runner: the batch runner program; batch: the host path of build.bat.
    BatchWindow(const QString& runner, const QString& batch, QWidget* parent = nullptr);

    // A console program and its arguments, under the title given.
    BatchWindow(const QString& title, const QString& program, const QStringList& arguments,
                QWidget* parent = nullptr);

    // Starts the runner; the window shows what it prints.
    void Start();

    QString Output() const { return output_->toPlainText(); }
    bool Finished() const { return finished_; }

  private:
    void LayOut(const QString& title, const QString& running);
    void Append(const QByteArray& bytes);
    void Ended(int exitCode, QProcess::ExitStatus exitStatus);
    void FailedToStart();
    void ShowFirstError();

    QString program_;
    QStringList arguments_;
    QString workingDirectory_;  // empty: ours
    bool staysOpen_ = false;
    QProcess process_;
    QPlainTextEdit* output_;
    QLabel* state_;
    QPushButton* close_;
    bool finished_ = false;
};

}  // namespace cuffware
