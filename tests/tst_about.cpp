#include "About.h"
#include "LinkLabel.h"
#include "ModalForm.h"
#include "Unit1.h"
#include "model/Exceptions.h"

#include "support/LinkLook.h"
#include "support/ModalBoxTest.h"

#include <QFrame>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestAbout : public QObject, public ModalBoxTest<TAboutBox>
{
    Q_OBJECT

public:
    TestAbout() : ModalBoxTest(AboutBox, ShowAboutBox) {}

private Q_SLOTS:
    void init() { owner.open(); }

    void cleanup() { closeOwnerAndVerifyNothingLeft(); }

    void boxHasAFixedClientAreaAndItsTitle()
    {
        TAboutBox box(owner.get());
        QCOMPARE(box.objectName(), QStringLiteral("AboutBox"));
        QCOMPARE(box.windowTitle(), QStringLiteral("About"));
        QCOMPARE(box.size(), QSize(641, 551));
        QCOMPARE(box.minimumSize(), box.size());
        QCOMPARE(box.maximumSize(), box.size());
        QCOMPARE(box.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(box.font().pointSize(), 8);

        const auto* panel = box.findChild<QFrame*>("Panel1");
        QCOMPARE(panel->parentWidget(), &box);
        QCOMPARE(panel->geometry(), QRect(10, 8, 623, 505));
        QCOMPARE(panel->frameShape(), QFrame::Box);
        QCOMPARE(panel->frameShadow(), QFrame::Raised);

        const auto* ok = box.findChild<QPushButton*>("OKButton");
        QCOMPARE(ok->parentWidget(), &box);
        QCOMPARE(ok->geometry(), QRect(283, 519, 76, 25));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
    }

    // Every caption of the panel, where it stands and how it is drawn.
    void labelsShowTheirCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<bool>("wraps");
        const auto row = [](const char* name, QRect geometry, const QString& caption, int points = 9,
                            const char* colour = "#000000", bool wraps = false) {
            QTest::newRow(name) << QString::fromLatin1(name) << geometry << caption << points
                                << QString::fromLatin1(colour) << wraps;
        };
        row("lbl2", {155, 12, 199, 20}, "Tolvane         ", 12);
        row("lbl3", {155, 46, 77, 13}, "Version: 1.0  ");
        row("lbl4", {155, 69, 99, 13}, "Developer :        ");
        row("lbl17", {227, 69, 180, 13}, "Dr. X. Sample (某某博士)    ", 9, "#000080");
        row("Comments", {155, 101, 165, 26}, "E-mail : developer@example.org   ", 9, "#000000", true);
        row("lbl8", {155, 124, 87, 13}, "QQ : 00000 (fake)");
        row("lbl7", {155, 147, 97, 13}, "Website (网站) : ", 9, "#000000", true);
        row("lbl6", {262, 147, 124, 13}, "http://www.example.org");
        row("lbl13", {155, 170, 77, 13}, "Catalog :    ", 9, "#000000", true);
        row("lbl14", {262, 170, 203, 13}, "http://www.example.org/?page_id=10");
        row("lbl10", {155, 193, 106, 26}, "Donation (捐助) :    ", 9, "#000000", true);
        row("lbl11", {262, 193, 217, 13}, "http://www.example.org/?page_id=20");
        row("lbl12", {155, 216, 303, 26},
            "WeChat Subscription (微信订阅号): tolvane-placeholder" + QString(22, ' '), 9, "#000000", true);
        row("lbl5", {155, 479, 90, 13}, "欢迎关注：      ", 9, "#800080");
        row("lbl9", {231, 479, 106, 13}, "www.example.org !!! ", 9, "#800080");
    }

    void labelsShowTheirCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(int, points);
        QFETCH(QString, colour);
        QFETCH(bool, wraps);
        TAboutBox box(owner.get());
        const auto* label = box.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget()->objectName(), QStringLiteral("Panel1"));
        QCOMPARE(label->geometry(), geometry);
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(label->font().pointSize(), points);
        QCOMPARE(lookOf(label), restingLook(colour));
        QCOMPARE(label->wordWrap(), wraps);
    }

    void picturesFillTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("picture");
        QTest::newRow("img1") << "img1" << QRect(26, 16, 100, 100) << ":/about/program.png";
        QTest::newRow("img2") << "img2" << QRect(227, 243, 185, 177) << ":/about/wechat-qr.png";
        QTest::newRow("img3") << "img3" << QRect(155, 426, 246, 42) << ":/about/thanks.png";
    }

    void picturesFillTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, picture);
        TAboutBox box(owner.get());
        const auto* label = box.findChild<QLabel*>(name);
        QCOMPARE(label->parentWidget()->objectName(), QStringLiteral("Panel1"));
        QCOMPARE(label->geometry(), geometry);
        QVERIFY(label->hasScaledContents());
        QVERIFY(!QPixmap(picture).isNull());
        QCOMPARE(label->pixmap().toImage(), QPixmap(picture).toImage());
    }

    void onlyTheQrCodeHasATooltip()
    {
        TAboutBox box(owner.get());
        QCOMPARE(box.findChild<QLabel*>("img2")->toolTip(), QStringLiteral("扫描二维码关注微信公众号"));
        QVERIFY(box.toolTip().isEmpty());
        for (const QWidget* widget : box.findChildren<QWidget*>())
            if (widget->objectName() != QLatin1String("img2"))
                QVERIFY2(widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
    }

    // Each link hands exactly its own address to the desktop, with the box as the owner window.
    void linksHandOverTheirAddress_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("address");
        QTest::newRow("lbl6 home page as bare host") << "lbl6"
                                                     << "www.example.org";
        QTest::newRow("lbl14 catalog") << "lbl14"
                                       << "http://www.example.org/?page_id=10";
        QTest::newRow("lbl11 donation") << "lbl11"
                                        << "http://www.example.org/?page_id=20";
        QTest::newRow("lbl9 site") << "lbl9"
                                   << "www.example.org";
    }

    void linksHandOverTheirAddress()
    {
        QFETCH(QString, link);
        QFETCH(QString, address);
        TAboutBox box(owner.get());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.findChild<LinkLabel*>(link), Qt::LeftButton);
        const QList<WebAddressRecorder::HandedOver> handedOver = desktop.take();
        QCOMPARE(handedOver.size(), 1);
        QCOMPARE(handedOver[0].address, address);
        QCOMPARE(handedOver[0].owner, &box);
    }

    void linksTurnBlueUnderThePointerAndRestInTheirColour_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("resting");
        QTest::newRow("lbl6") << "lbl6"
                              << "#000000";
        QTest::newRow("lbl14") << "lbl14"
                               << "#000000";
        QTest::newRow("lbl11") << "lbl11"
                               << "#000000";
        QTest::newRow("lbl9 purple") << "lbl9"
                                     << "#800080";
    }

    void linksTurnBlueUnderThePointerAndRestInTheirColour()
    {
        QFETCH(QString, link);
        QFETCH(QString, resting);
        auto box = std::make_unique<TAboutBox>(owner.get());
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        auto* label = box->findChild<LinkLabel*>(link);
        movePointer(label, QPoint(4, 4));
        QCOMPARE(lookOf(label), hoverLook);
        movePointer(label, QPoint(30, 6));
        QCOMPARE(lookOf(label), hoverLook);
        // Off the link onto the bare panel, left of every caption.
        movePointer(box->findChild<QWidget*>("Panel1"), QPoint(140, 300));
        QCOMPARE(lookOf(label), restingLook(resting));

        // A box left while a link was hovered does not pass the look on to the next one.
        movePointer(label, QPoint(4, 4));
        box = std::make_unique<TAboutBox>(owner.get());
        QCOMPARE(lookOf(box->findChild<LinkLabel*>(link)), restingLook(resting));
        QVERIFY(desktop.take().isEmpty());
    }

    void boxExistsOnlyWhileShownCentredOverItsOwner() { verifyBoxExistsOnlyWhileShownCentredOverItsOwner(); }

    void failureWhileShowingDestroysTheBoxAndReachesTheCaller()
    {
        verifyFailureWhileShowingDestroysTheBoxAndReachesTheCaller();
    }

    void boxCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("throughOk");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter presses OK") << "enter" << true << int(QDialog::Accepted);
        QTest::newRow("click on OK") << "click" << true << int(QDialog::Accepted);
        QTest::newRow("title-bar close") << "close" << false << int(QDialog::Rejected);
    }

    void boxCloses()
    {
        QFETCH(QString, how);
        QFETCH(bool, throughOk);
        QFETCH(int, result);
        bool okClicked = false;
        bool hidden = false;
        int shownResult = -1;
        showBox([&](TAboutBox* box) {
            auto* ok = box->findChild<QPushButton*>("OKButton");
            connect(ok, &QPushButton::clicked, this, [&] { okClicked = true; });
            if (how == "enter")
                QTest::keyClick(box, Qt::Key_Return);
            else if (how == "click")
                QTest::mouseClick(ok, Qt::LeftButton);
            else
                box->close();
            hidden = !box->isVisible();
            shownResult = box->result();
        });
        QVERIFY(hidden);
        QCOMPARE(okClicked, throughOk);
        QCOMPARE(shownResult, result);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
