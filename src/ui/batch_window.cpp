#include "ui/batch_window.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace cuffware {

BatchWindow::BatchWindow(const QString& runner, const QString& batch, QWidget* parent)
    : QWidget(parent), runner_(runner), batch_(batch) {
    setObjectName("BatchWindow");
    setWindowTitle(QFileInfo(batch).fileName() + " - " + QFileInfo(batch).absolutePath());
    resize(760, 460);

    output_ = new QPlainTextEdit(this);
    output_->setObjectName("TextOutput");
    output_->setReadOnly(true);
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    output_->setLineWrapMode(QPlainTextEdit::NoWrap);

    state_ = new QLabel(tr("Running %1").arg(QFileInfo(batch).fileName()), this);
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
    process_.setWorkingDirectory(QFileInfo(batch_).absolutePath());
    process_.start(runner_, {batch_});
}

void BatchWindow::Append(const QByteArray& bytes) {
    output_->moveCursor(QTextCursor::End);
    output_->insertPlainText(QString::fromLocal8Bit(bytes));
    output_->moveCursor(QTextCursor::End);
}

void BatchWindow::Ended(int exitCode, QProcess::ExitStatus exitStatus) {
    Append(process_.readAll());
    finished_ = true;
    if (exitStatus == QProcess::NormalExit && exitCode == 0) {
        close();
        return;
    }
    state_->setText(tr("The build failed. Read the messages above, then close this window."));
    state_->setStyleSheet("color: #b00020;");
    close_->setEnabled(true);
    close_->setDefault(true);
    close_->setFocus();
}

void BatchWindow::FailedToStart() {
    Append(tr("%1 could not be started: %2\n").arg(runner_, process_.errorString()).toLocal8Bit());
    finished_ = true;
    state_->setText(tr("The build could not be started."));
    close_->setEnabled(true);
}

}  // namespace cuffware
