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
    setObjectName("AboutBox");
    setWindowTitle(kApplicationTitle);

    PictureIcon = NamedLabel("", "PictureIcon");
    PictureIcon->setPixmap(ApplicationIcon().pixmap(48, 48));
    PictureIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    LabelTitle = NamedLabel(kApplicationTitle, "LabelTitle");
    QFont titleFont = LabelTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    LabelTitle->setFont(titleFont);
    LabelVersion = NamedLabel(ToQt(ProgramVersionLine()), "LabelVersion");
    LabelDescription = NamedLabel(kAboutDescription, "LabelDescription");
    LabelDisclaimer = NamedLabel(kAboutDisclaimer, "LabelDisclaimer");
    LabelDisclaimer->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(LabelTitle);
    texts->addWidget(LabelVersion);
    texts->addSpacing(8);
    texts->addWidget(LabelDescription);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(PictureIcon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    ButtonOK = new QPushButton("OK");
    ButtonOK->setObjectName("ButtonOK");
    ButtonOK->setDefault(true);
    ButtonSystemInfo = new QPushButton(kSystemInfoCaption);
    ButtonSystemInfo->setObjectName("ButtonSystemInfo");
    ButtonSystemInfo->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonSystemInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(LabelDisclaimer, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(rule);
    column->addLayout(bottom);
    setMinimumWidth(420);

    // Enter presses the default button; Esc rejects, which closes like OK.
    connect(ButtonOK, &QPushButton::clicked, this, &AboutBox::PressOK);
    connect(ButtonSystemInfo, &QPushButton::clicked, this, &AboutBox::PressSystemInfo);
}

void AboutBox::PressOK() {
    accept();
}

void AboutBox::PressSystemInfo() {
    if (startSysInfo_)
        startSysInfo_();
}

}  // namespace cuffware
