#include "ui/about_box.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/window_models/about_texts.h"
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

    QLabel* pictureIcon = NamedLabel("", "PictureIcon");
    pictureIcon->setPixmap(ApplicationIcon().pixmap(48, 48));
    pictureIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    QLabel* labelTitle = NamedLabel(kApplicationTitle, "LabelTitle");
    QFont titleFont = labelTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    labelTitle->setFont(titleFont);
    QLabel* labelVersion = NamedLabel(ToQt(ProgramVersionLine()), "LabelVersion");
    QLabel* labelDescription = NamedLabel(kAboutDescription, "LabelDescription");
    QLabel* labelDisclaimer = NamedLabel(kAboutDisclaimer, "LabelDisclaimer");
    labelDisclaimer->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(labelTitle);
    texts->addWidget(labelVersion);
    texts->addSpacing(8);
    texts->addWidget(labelDescription);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(pictureIcon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    QPushButton* buttonOK = new QPushButton("OK");
    buttonOK->setObjectName("ButtonOK");
    buttonOK->setDefault(true);
    QPushButton* buttonSystemInfo = new QPushButton(kSystemInfoCaption);
    buttonSystemInfo->setObjectName("ButtonSystemInfo");
    buttonSystemInfo->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(buttonOK);
    buttons->addWidget(buttonSystemInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(labelDisclaimer, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(rule);
    column->addLayout(bottom);
    setMinimumWidth(420);

    // Enter presses the default button; Esc rejects, which closes like OK.
    connect(buttonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttonSystemInfo, &QPushButton::clicked, this, [this] {
        if (startSysInfo_)
            startSysInfo_();
    });
}

}  // namespace cuffware
