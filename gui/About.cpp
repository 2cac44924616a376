#include "About.h"
#include "ui_About.h"

#include "LinkLabel.h"
#include "MakerData.h"
#include "ModalForm.h"
#include "WebLinks.h"
#include "app/ErrorReport.h"

using namespace Qt::StringLiterals;

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner), ui(std::make_unique<Ui::TAboutBox>())
{
    ui->setupUi(this);

    // The captions that name the maker are put together here, so the maker's data lives in one place.
    ui->lbl17->setText(DeveloperTitleLatin + u' ' + DeveloperNameLatin + u" ("_s + DeveloperNameChinese +
                       DeveloperTitleChinese + u")    "_s);
    ui->Comments->setText(u"E-mail : "_s + DeveloperEmail + u"   "_s);
    ui->lbl8->setText(u"QQ : "_s + DeveloperQQ);
    ui->lbl6->setText(HomePageUrl);
    ui->lbl13->setText(CatalogSectionName + u" :    "_s);
    ui->lbl14->setText(CatalogPageUrl);
    ui->lbl11->setText(DonationPageUrl);
    ui->lbl12->setText(u"WeChat Subscription (微信订阅号): "_s + WeChatAccount + QString(22, u' '));
    ui->lbl9->setText(SiteAddress + u" !!! "_s);

    connectHandler(ui->OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    connectLink(ui->lbl6, this, &TAboutBox::lbl6Click, &TAboutBox::lbl6MouseMove, &TAboutBox::lbl6MouseLeave);
    connectLink(ui->lbl9, this, &TAboutBox::lbl9Click, &TAboutBox::lbl9MouseMove, &TAboutBox::lbl9MouseLeave);
    connectLink(ui->lbl11, this, &TAboutBox::lbl11Click, &TAboutBox::lbl11MouseMove,
                &TAboutBox::lbl11MouseLeave);
    connectLink(ui->lbl14, this, &TAboutBox::lbl14Click, &TAboutBox::lbl14MouseMove,
                &TAboutBox::lbl14MouseLeave);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::OKButtonClick()
{
    accept();
}

// The home page link shows the full address but hands over the bare host, as the status bar does.
void TAboutBox::lbl6Click()
{
    openWebAddress(this, SiteAddress);
}

void TAboutBox::lbl6MouseMove()
{
    ui->lbl6->showHover();
}

void TAboutBox::lbl6MouseLeave()
{
    ui->lbl6->showResting();
}

void TAboutBox::lbl9Click()
{
    openWebAddress(this, SiteAddress);
}

void TAboutBox::lbl9MouseMove()
{
    ui->lbl9->showHover();
}

void TAboutBox::lbl9MouseLeave()
{
    ui->lbl9->showResting();
}

void TAboutBox::lbl11Click()
{
    openWebAddress(this, DonationPageUrl);
}

void TAboutBox::lbl11MouseMove()
{
    ui->lbl11->showHover();
}

void TAboutBox::lbl11MouseLeave()
{
    ui->lbl11->showResting();
}

void TAboutBox::lbl14Click()
{
    openWebAddress(this, CatalogPageUrl);
}

void TAboutBox::lbl14MouseMove()
{
    ui->lbl14->showHover();
}

void TAboutBox::lbl14MouseLeave()
{
    ui->lbl14->showResting();
}

void ShowAboutBox(QWidget* owner)
{
    showModalForm(owner, AboutBox);
}
