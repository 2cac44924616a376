#include "Unit1.h"
#include "ui_Unit1.h"

#include "About.h"
#include "CupChart.h"
#include "DonationForm.h"
#include "FieldText.h"
#include "LinkLabel.h"
#include "MakerData.h"
#include "WebLinks.h"
#include "app/ErrorReport.h"
#include "model/NumberFormat.h"

#include <QGuiApplication>
#include <QScreen>

using namespace Qt::StringLiterals;

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* owner) : QMainWindow(owner), ui(std::make_unique<Ui::TForm1>())
{
    ui->setupUi(this);
    setWindowTitle(u"Tolvane (20200318)"_s);
    exportSettings_.SetDefaults();

    // The client area below the menu bar is 898 x 569 and nothing follows the window's size.
    resize(898, 569 + ui->mm1->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        move(std::max(desktop.left(), desktop.left() + (desktop.width() - width()) / 2),
             std::max(desktop.top(), desktop.top() + (desktop.height() - height()) / 2));
    }

    baijiuCupChart_ = new CupChart(ui->cht1, QStringLiteral("白酒杯"), QStringLiteral("lnsrsSeries1"),
                                   QStringLiteral("lnsrsSeries2"));
    redCupChart_ = new CupChart(ui->cht2, QStringLiteral("红酒杯"), QStringLiteral("lnsrsSeries3"),
                                QStringLiteral("lnsrsSeries4"));
    SetUpSeries();
    AppendSample();

    connectHandler(ui->btn1, &QPushButton::clicked, this, &TForm1::btn1Click);
    connectHandler(ui->btn2, &QPushButton::clicked, this, &TForm1::btn2Click);
    connectHandler(ui->btn3, &QPushButton::clicked, this, &TForm1::btn3Click);

    ui->mniVisitSite1->setText(u"访问 "_s + SiteAddress);
    ui->mniCatalog1->setText(CatalogSectionName + u'(' + SiteAddress + u')');
    ui->rzfldsts3->setText(u"  "_s + DeveloperNameChinese + DeveloperTitleChinese);
    ui->rzfldsts2->setText(u' ' + SiteAddress + QString(7, u' '));

    // "File" stands on the menu bar as an entry of its own that does nothing yet; it gets no handler.
    connectHandler(ui->mniAbout2, &QAction::triggered, this, &TForm1::mniAbout2Click);
    connectHandler(ui->mniDonation1, &QAction::triggered, this, &TForm1::mniDonation1Click);
    connectHandler(ui->mniVisitSite1, &QAction::triggered, this, &TForm1::mniVisitSite1Click);
    connectHandler(ui->mniHowtouse1, &QAction::triggered, this, &TForm1::mniHowtouse1Click);
    connectHandler(ui->mniCatalog1, &QAction::triggered, this, &TForm1::mniCatalog1Click);
    connectLink(ui->rzfldsts2, this, &TForm1::rzfldsts2Click, &TForm1::rzfldsts2MouseMove,
                &TForm1::rzfldsts2MouseLeave);
}

TForm1::~TForm1() = default;

void TForm1::btn1Click()
{
    mixState_.spoonVolume = readField(ui->edt1);
    spoonIntoRedCup(mixState_);
    AppendSample();
    showVolumes();
}

void TForm1::btn2Click()
{
    mixState_.spoonVolume = readField(ui->edt1);
    spoonIntoBaijiuCup(mixState_);
    showVolumes();
    AppendSample();
}

void TForm1::btn3Click()
{
    // Each field is stored as soon as it is read: a failure part-way keeps the fields before it.
    mixState_.stepCount = 0;
    ClearSamples();
    mixState_.baijiuInBaijiuCup = readField(ui->edt4);
    mixState_.redInBaijiuCup = readField(ui->edt6);
    mixState_.baijiuInRedCup = readField(ui->edt5);
    mixState_.redInRedCup = readField(ui->edt7);
    AppendSample();
}

void TForm1::mniAbout2Click()
{
    ShowAboutBox(this);
}

void TForm1::mniDonation1Click()
{
    ShowDonationBox(this);
}

void TForm1::mniVisitSite1Click()
{
    openWebAddress(this, HomePageUrl);
}

void TForm1::mniHowtouse1Click()
{
    // The site's home page is where the program's help lives.
    openWebAddress(this, HomePageUrl);
}

void TForm1::mniCatalog1Click()
{
    openWebAddress(this, CatalogPageUrl);
}

void TForm1::rzfldsts2MouseMove()
{
    ui->rzfldsts2->showHover();
}

void TForm1::rzfldsts2MouseLeave()
{
    ui->rzfldsts2->showResting();
}

// The pane shows the bare host and hands it over as it is.
void TForm1::rzfldsts2Click()
{
    openWebAddress(this, SiteAddress);
}

// The charts keep their points in the order they were appended, never sorted by X; a history that
// went back in X would be drawn as it came.
void TForm1::SetUpSeries()
{
    baijiuCupChart_->setColors(QColor(255, 0, 0), QColor(0, 0, 255));
    redCupChart_->setColors(QColor(255, 0, 0), QColor(0, 0, 255));
}

void TForm1::AppendSample()
{
    baijiuCupChart_->append(mixState_.stepCount, mixState_.redInBaijiuCup, mixState_.baijiuInBaijiuCup);
    redCupChart_->append(mixState_.stepCount, mixState_.redInRedCup, mixState_.baijiuInRedCup);
}

void TForm1::ClearSamples()
{
    baijiuCupChart_->clear();
    redCupChart_->clear();
}

double TForm1::readField(const QLineEdit* field) const
{
    const QString text = field->text();
    return textToNumber(viewOf(text), decimalSeparatorOf(this));
}

void TForm1::showVolumes()
{
    const char16_t separator = decimalSeparatorOf(this);
    const auto show = [separator](QLineEdit* field, double value) {
        field->setText(QString::fromStdU16String(numberToText(value, separator)));
        // A long number shows its leading digits, as it reads, not its tail.
        field->setCursorPosition(0);
    };
    show(ui->edt4, mixState_.baijiuInBaijiuCup);
    show(ui->edt6, mixState_.redInBaijiuCup);
    show(ui->edt5, mixState_.baijiuInRedCup);
    show(ui->edt7, mixState_.redInRedCup);
}
