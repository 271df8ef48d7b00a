#include "ui/batch_window.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "app/window_models/build_report.h"
#include "ui/qt_text.h"

namespace cuffware {

BatchWindow::BatchWindow(const QString& runner, const QString& batch, QWidget* parent)
    : QWidget(parent),
      program_(runner),
      arguments_{batch},
      workingDirectory_(QFileInfo(batch).absolutePath()) {
    LayOut(QFileInfo(batch).fileName() + " - " + QFileInfo(batch).absolutePath(),
           tr("Running %1").arg(QFileInfo(batch).fileName()));
}

BatchWindow::BatchWindow(const QString& title, const QString& program, const QStringList& arguments,
                         QWidget* parent)
    : QWidget(parent), program_(program), arguments_(arguments), staysOpen_(true) {
    LayOut(title, tr("Running %1").arg(title));
}

void BatchWindow::LayOut(const QString& title, const QString& running) {
    setObjectName("BatchWindow");
    setWindowTitle(title);
    resize(760, 460);

    output_ = new QPlainTextEdit(this);
    output_->setObjectName("TextOutput");
    output_->setReadOnly(true);
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    output_->setLineWrapMode(QPlainTextEdit::NoWrap);

    state_ = new QLabel(running, this);
    state_->setObjectName("LabelState");
    close_ = new QPushButton(tr("Close"), this);
    close_->setObjectName("ButtonClose");
    close_->setEnabled(false);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(state_, 1);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(output_, 1);
    layout->addLayout(buttons);

    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyRead, this, [this] { Append(process_.readAll()); });
    connect(&process_, &QProcess::finished, this, &BatchWindow::Ended);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            FailedToStart();
    });
}

void BatchWindow::Start() {
    if (!workingDirectory_.isEmpty())
        process_.setWorkingDirectory(workingDirectory_);
    process_.start(program_, arguments_);
    if (staysOpen_) {
        raise();
        activateWindow();
    }
}

void BatchWindow::Append(const QByteArray& bytes) {
    output_->moveCursor(QTextCursor::End);
    output_->insertPlainText(QString::fromLocal8Bit(bytes));
    output_->moveCursor(QTextCursor::End);
}

void BatchWindow::Ended(int exitCode, QProcess::ExitStatus exitStatus) {
    Append(process_.readAll());
    finished_ = true;
    bool succeeded = exitStatus == QProcess::NormalExit && exitCode == 0;
    if (succeeded && !staysOpen_) {
        close();
        return;
    }
    if (staysOpen_) {
        state_->setText(succeeded ? tr("Done. Close this window when you have read it.")
                                  : tr("Ended with exit status %1. Read the messages above, "
                                       "then close this window.")
                                        .arg(exitCode));
    } else {
        state_->setText(tr("The build failed. Read the messages above, then close this window."));
    }
    if (!succeeded) {
        state_->setStyleSheet("color: #b00020;");
        ShowFirstError();
    }
    close_->setEnabled(true);
    close_->setDefault(true);
    close_->setFocus();
}

// The report opens at its first error, at the top of the view, rather than
// at its end, where the batch's last lines stand.
void BatchWindow::ShowFirstError() {
    std::optional<size_t> line = FirstErrorLine(FromQt(output_->toPlainText()));
    if (!line)
        return;
    QTextBlock block = output_->document()->findBlockByNumber(static_cast<int>(*line));
    output_->setTextCursor(QTextCursor(block));
    output_->verticalScrollBar()->setValue(block.blockNumber());
}

void BatchWindow::FailedToStart() {
    Append(tr("%1 could not be started: %2\n").arg(program_, process_.errorString()).toLocal8Bit());
    finished_ = true;
    state_->setText(staysOpen_ ? tr("The program could not be started.")
                               : tr("The build could not be started."));
    close_->setEnabled(true);
}

}  // namespace cuffware
