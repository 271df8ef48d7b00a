#include "ui/about_box.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/about_texts.h"
#include "platform/user_port.h"
#include "ui/application_icon.h"
#include "ui/qt_text.h"

namespace cuffware {

namespace {

QLabel* NamedLabel(const QString& text, const char* name) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

}  // namespace

AboutBox::AboutBox(std::function<void()> startSysInfo, QWidget* parent)
    : QDialog(parent), startSysInfo_(std::move(startSysInfo)) {
    setObjectName("frmAbout");
    setWindowTitle(kApplicationTitle);

    picIcon = NamedLabel("", "picIcon");
    picIcon->setPixmap(ApplicationIcon().pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lblTitle = NamedLabel(kApplicationTitle, "lblTitle");
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = NamedLabel(ToQt(ProgramVersionLine()), "lblVersion");
    lblDescription = NamedLabel(kAboutDescription, "lblDescription");
    lblDisclaimer = NamedLabel(kAboutDisclaimer, "lblDisclaimer");
    lblDisclaimer->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(8);
    texts->addWidget(lblDescription);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    cmdOK = new QPushButton("OK");
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(kSystemInfoCaption);
    cmdSysInfo->setObjectName("cmdSysInfo");
    cmdSysInfo->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(rule);
    column->addLayout(bottom);
    setMinimumWidth(420);

    // Enter presses the default button; Esc rejects, which closes like OK.
    connect(cmdOK, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);
}

void AboutBox::cmdOK_Click() {
    accept();
}

void AboutBox::cmdSysInfo_Click() {
    if (startSysInfo_)
        startSysInfo_();
}

}  // namespace cuffware
