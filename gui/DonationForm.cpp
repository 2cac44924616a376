#include "DonationForm.h"
#include "ui_DonationForm.h"

#include "LinkLabel.h"
#include "MakerData.h"
#include "ModalForm.h"
#include "WebLinks.h"
#include "app/ErrorReport.h"

using namespace Qt::StringLiterals;

TDonationBox* DonationBox = nullptr;

TDonationBox::TDonationBox(QWidget* owner) : QDialog(owner), ui(std::make_unique<Ui::TDonationBox>())
{
    ui->setupUi(this);
    // A close button and nothing else on the title bar: the box is neither minimised nor resized, and
    // has no context help.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    const QString thanks = u"欢迎给我捐助，"_s + SiteAddress + u"坚持分享知识，分享免费软件。"_s;
    ui->img1->setToolTip(thanks);
    ui->img3->setToolTip(thanks);
    // A QR code means nothing read aloud; a screen reader speaks the line the pointer shows instead, and
    // the form says which service each code belongs to.
    ui->img1->setAccessibleName(thanks);
    ui->img3->setAccessibleName(thanks);
    ui->lbl11->setText(DonationPageUrl);

    connectHandler(ui->btn1, &QPushButton::clicked, this, &TDonationBox::btn1Click);
    connectLink(ui->lbl11, this, &TDonationBox::lbl11Click, &TDonationBox::lbl11MouseMove,
                &TDonationBox::lbl11MouseLeave);
}

TDonationBox::~TDonationBox() = default;

void TDonationBox::btn1Click()
{
    close();
}

void TDonationBox::lbl11Click()
{
    openWebAddress(this, DonationPageUrl);
}

void TDonationBox::lbl11MouseMove()
{
    ui->lbl11->showHover();
}

void TDonationBox::lbl11MouseLeave()
{
    ui->lbl11->showResting();
}

void ShowDonationBox(QWidget* owner)
{
    showModalForm(owner, DonationBox);
}
