#include "DonationForm.h"
#include "LinkLabel.h"
#include "ModalForm.h"
#include "Unit1.h"
#include "model/Exceptions.h"

#include "support/LinkLook.h"
#include "support/ModalBoxTest.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestDonationForm : public QObject, public ModalBoxTest<TDonationBox>
{
    Q_OBJECT

public:
    TestDonationForm() : ModalBoxTest(DonationBox, ShowDonationBox) {}

private Q_SLOTS:
    void init() { owner.open(); }

    void cleanup() { closeOwnerAndVerifyNothingLeft(); }

    void boxHasAFixedClientAreaAndOnlyACloseButton()
    {
        TDonationBox box(owner.get());
        QCOMPARE(box.objectName(), QStringLiteral("DonationBox"));
        QCOMPARE(box.windowTitle(), QStringLiteral("Donation (捐助)"));
        QCOMPARE(box.size(), QSize(651, 463));
        QCOMPARE(box.minimumSize(), box.size());
        QCOMPARE(box.maximumSize(), box.size());
        QCOMPARE(box.font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(box.font().pointSize(), 8);
        // Qt adds the system menu hint itself: some platforms draw the close button only with it.
        const Qt::WindowFlags flags = box.windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags.testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
    }

    // Every control, where it stands and what it says; the pictures fill their places.
    void controlsStandInTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("picture");
        const auto row = [](const char* name, const char* parent, QRect geometry, const QString& caption,
                            const QString& picture = {}) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(parent) << geometry
                                << caption << picture;
        };
        row("img2", "DonationBox", {81, 13, 162, 57}, {}, ":/donation/pay-left.png");
        row("img4", "DonationBox", {396, 13, 177, 57}, {}, ":/donation/pay-right.png");
        row("pnl1", "DonationBox", {20, 80, 300, 300}, {});
        row("img1", "pnl1", {1, 1, 298, 298}, {}, ":/donation/qr-left.png");
        row("pnl2", "DonationBox", {341, 80, 300, 300}, {});
        row("img3", "pnl2", {1, 1, 298, 298}, {}, ":/donation/qr-right.png");
        row("lbl10", "DonationBox", {21, 389, 106, 26}, "Donation (捐助) :    ");
        row("lbl11", "DonationBox", {21, 407, 217, 13}, "http://www.example.org/?page_id=20");
        row("btn1", "DonationBox", {288, 426, 75, 25}, "Close");
    }

    void controlsStandInTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(QString, picture);
        TDonationBox box(owner.get());
        const auto* control = box.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget()->objectName(), parent);
        QCOMPARE(control->geometry(), geometry);
        if (!caption.isEmpty())
            QCOMPARE(control->property("text").toString(), caption);
        if (!picture.isEmpty()) {
            const auto* label = qobject_cast<const QLabel*>(control);
            QVERIFY(label->hasScaledContents());
            QVERIFY(!QPixmap(picture).isNull());
            QCOMPARE(label->pixmap().toImage(), QPixmap(picture).toImage());
        }
    }

    void captionsAreBoldAndQrPanelsHaveOneRaisedLine()
    {
        TDonationBox box(owner.get());
        for (const char* name : {"lbl10", "lbl11"}) {
            const auto* label = box.findChild<QLabel*>(name);
            QCOMPARE(label->font().family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(label->font().pointSize(), 9);
            QCOMPARE(lookOf(label), restingLook("#000000"));
        }
        QVERIFY(box.findChild<QLabel*>("lbl10")->wordWrap());
        for (const char* name : {"pnl1", "pnl2"}) {
            const auto* panel = box.findChild<QFrame*>(name);
            QCOMPARE(panel->frameShadow(), QFrame::Raised);
            QCOMPARE(panel->frameWidth(), 1);
        }
    }

    void onlyTheQrCodesHaveATooltip()
    {
        TDonationBox box(owner.get());
        const QString thanks = QStringLiteral("欢迎给我捐助，www.example.org坚持分享知识，分享免费软件。");
        QVERIFY(box.toolTip().isEmpty());
        for (const QWidget* widget : box.findChildren<QWidget*>()) {
            const bool qrCode = widget->objectName() == "img1" || widget->objectName() == "img3";
            QCOMPARE(widget->toolTip(), qrCode ? thanks : QString());
        }
    }

    void linkHandsOverTheDonationPageWithTheBoxAsOwner()
    {
        TDonationBox box(owner.get());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.findChild<LinkLabel*>("lbl11"), Qt::LeftButton);
        const QList<WebAddressRecorder::HandedOver> handedOver = desktop.take();
        QCOMPARE(handedOver.size(), 1);
        QCOMPARE(handedOver[0].address, QStringLiteral("http://www.example.org/?page_id=20"));
        QCOMPARE(handedOver[0].owner, &box);
    }

    void linkTurnsBlueUnderThePointerAndRestsOnLeave()
    {
        TDonationBox box(owner.get());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto* link = box.findChild<LinkLabel*>("lbl11");
        movePointer(link, QPoint(4, 4));
        QCOMPARE(lookOf(link), hoverLook);
        movePointer(link, QPoint(40, 6));
        QCOMPARE(lookOf(link), hoverLook);
        movePointer(&box, QPoint(5, 450));
        QCOMPARE(lookOf(link), restingLook("#000000"));
    }

    void boxExistsOnlyWhileShownCentredOverItsOwner() { verifyBoxExistsOnlyWhileShownCentredOverItsOwner(); }

    void failureWhileShowingDestroysTheBoxAndReachesTheCaller()
    {
        verifyFailureWhileShowingDestroysTheBoxAndReachesTheCaller();
    }

    void closeButtonComesFirstButIsNoDefault()
    {
        // The name is taken while the box is shown: the focused button goes with the box.
        QString focused;
        bool isDefault = true;
        showBox([&](TDonationBox* box) {
            if (const QWidget* widget = QApplication::focusWidget())
                focused = widget->objectName();
            const auto* close = box->findChild<QPushButton*>("btn1");
            isDefault = close->isDefault() || close->autoDefault();
        });
        QCOMPARE(focused, QStringLiteral("btn1"));
        QVERIFY(!isDefault);
    }

    void boxCloses_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Close button") << true;
        QTest::newRow("title-bar close") << false;
    }

    void boxCloses()
    {
        QFETCH(bool, byButton);
        bool hidden = false;
        showBox([&](TDonationBox* box) {
            if (byButton)
                QTest::mouseClick(box->findChild<QPushButton*>("btn1"), Qt::LeftButton);
            else
                box->close();
            hidden = !box->isVisible();
        });
        QVERIFY(hidden);
    }
};

QTEST_MAIN(TestDonationForm)
#include "tst_donationform.moc"
