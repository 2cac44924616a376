#include "LinkLabel.h"
#include "Unit1.h"

#include "support/LinkLook.h"
#include "support/ModalWatcher.h"
#include "support/WebAddressRecorder.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <memory>

namespace {

const QString black = QStringLiteral("#000000");

} // namespace

class TestMenuAndLinks : public QObject
{
    Q_OBJECT

    std::unique_ptr<TForm1> form;
    ModalWatcher watcher;
    WebAddressRecorder desktop;
    // The names of the modal windows seen: a dialog is gone by the time the test looks.
    QStringList modalWindows;

    LinkLabel* siteLink() const { return form->findChild<LinkLabel*>("rzfldsts2"); }

private Q_SLOTS:
    void init()
    {
        desktop.take();
        watcher.onModalWindow = [this](QWidget* window) {
            modalWindows.append(window->objectName());
            window->close();
        };
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup()
    {
        form.reset();
        watcher.onModalWindow = nullptr;
        modalWindows.clear();
        QVERIFY(watcher.take().isEmpty());
    }

    void menuBarHoldsFileThenHelpWithFiveEntries()
    {
        const QList<QAction*> top = form->menuBar()->actions();
        QCOMPARE(top.size(), 2);
        QCOMPARE(top[0]->objectName(), QStringLiteral("mniImportData1"));
        QCOMPARE(top[0]->text(), QStringLiteral("File"));
        QCOMPARE(top[0]->menu(), nullptr);
        const QMenu* help = top[1]->menu();
        QVERIFY(help);
        QCOMPARE(help->objectName(), QStringLiteral("mniAbout1"));
        QCOMPARE(help->title(), QStringLiteral("Help"));

        QStringList names, texts;
        for (const QAction* entry : help->actions()) {
            names << entry->objectName();
            texts << entry->text();
            QVERIFY(!entry->isSeparator());
            QVERIFY(!entry->isCheckable());
            QVERIFY(entry->shortcut().isEmpty());
            QVERIFY(entry->icon().isNull());
            QCOMPARE(entry->menu(), nullptr);
        }
        QCOMPARE(names,
                 QStringList({"mniAbout2", "mniDonation1", "mniVisitSite1", "mniHowtouse1", "mniCatalog1"}));
        QCOMPARE(texts, QStringList({"About", "Donation(捐助)", "访问 www.example.org",
                                     "使用帮助 How to use?", "Catalog(www.example.org)"}));
    }

    void fileEntryDoesNothingWhenChosen()
    {
        // A handler would run within trigger(), and a dialog would be shown and closed by the watcher.
        form->findChild<QAction*>("mniImportData1")->trigger();
        QVERIFY(desktop.take().isEmpty());
        QVERIFY(modalWindows.isEmpty());
    }

    void helpEntriesShowTheirDialogOverTheWindow_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("mniAbout2") << "mniAbout2"
                                   << "AboutBox";
        QTest::newRow("mniDonation1") << "mniDonation1"
                                      << "DonationBox";
    }

    void helpEntriesShowTheirDialogOverTheWindow()
    {
        QFETCH(QString, entry);
        QFETCH(QString, dialog);
        QWidget* owner = nullptr;
        watcher.onModalWindow = [&](QWidget* window) {
            modalWindows.append(window->objectName());
            owner = window->parentWidget();
            window->close();
        };
        form->findChild<QAction*>(entry)->trigger();
        QCOMPARE(modalWindows.size(), 1);
        QCOMPARE(modalWindows[0], dialog);
        QCOMPARE(owner, form.get());
        QVERIFY(desktop.take().isEmpty());
    }

    // Each control of the main window hands exactly its own address to the desktop, for the main window.
    void webEntriesAndTheSiteLinkHandOverTheirAddress_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("address");
        QTest::newRow("mniVisitSite1") << "mniVisitSite1"
                                       << "http://www.example.org";
        QTest::newRow("mniHowtouse1") << "mniHowtouse1"
                                      << "http://www.example.org";
        QTest::newRow("mniCatalog1") << "mniCatalog1"
                                     << "http://www.example.org/?page_id=10";
        QTest::newRow("rzfldsts2 without a scheme") << "rzfldsts2"
                                                    << "www.example.org";
    }

    void webEntriesAndTheSiteLinkHandOverTheirAddress()
    {
        QFETCH(QString, control);
        QFETCH(QString, address);
        if (auto* entry = form->findChild<QAction*>(control))
            entry->trigger();
        else
            QTest::mouseClick(form->findChild<QWidget*>(control), Qt::LeftButton);
        const QList<WebAddressRecorder::HandedOver> handedOver = desktop.take();
        QCOMPARE(handedOver.size(), 1);
        QCOMPARE(handedOver[0].address, address);
        QCOMPARE(handedOver[0].owner, form.get());
        QVERIFY(modalWindows.isEmpty());
    }

    void statusBarPanesSitSideBySide_data()
    {
        QTest::addColumn<QString>("pane");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("family");
        QTest::newRow("rzfldsts3") << "rzfldsts3" << 0 << 93 << "  某某博士"
                                   << "Tahoma";
        QTest::newRow("rzfldsts1") << "rzfldsts1" << 93 << 167 << "  Welcome to my Website :      "
                                   << "MS Sans Serif";
        QTest::newRow("rzfldsts2") << "rzfldsts2" << 260 << 111 << " www.example.org       "
                                   << "MS Sans Serif";
    }

    void statusBarPanesSitSideBySide()
    {
        QFETCH(QString, pane);
        QFETCH(int, left);
        QFETCH(int, width);
        QFETCH(QString, caption);
        QFETCH(QString, family);
        const auto* label = form->statusBar()->findChild<QLabel*>(pane);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), form->statusBar());
        QCOMPARE(label->x(), left);
        QCOMPARE(label->width(), width);
        QVERIFY(form->statusBar()->rect().contains(label->geometry()));
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->font().family(), family);
        QCOMPARE(label->font().pointSize(), 8);
        QVERIFY(label->font().bold());
        QVERIFY(label->toolTip().isEmpty());
    }

    void plainPanesIgnoreTheMouse()
    {
        for (const char* name : {"rzfldsts3", "rzfldsts1"}) {
            auto* pane = form->findChild<QLabel*>(name);
            const QColor colour = pane->palette().color(pane->foregroundRole());
            movePointer(pane, pane->rect().center());
            QTest::mouseClick(pane, Qt::LeftButton);
            QCOMPARE(pane->palette().color(pane->foregroundRole()), colour);
            QVERIFY(!pane->font().underline());
        }
        QVERIFY(desktop.take().isEmpty());
    }

    void siteLinkLooksLikeALinkOnEveryMoveAndRestsOnLeave()
    {
        LinkLabel* link = siteLink();
        QCOMPARE(lookOf(link), restingLook(black));
        QCOMPARE(link->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(link->toolTip().isEmpty());

        // The hover style is set whole: a style given elsewhere does not survive it.
        QFont styled = link->font();
        styled.setItalic(true);
        styled.setStrikeOut(true);
        link->setFont(styled);
        movePointer(link, QPoint(5, 5));
        QCOMPARE(lookOf(link), hoverLook);
        movePointer(link, QPoint(60, 12));
        QCOMPARE(lookOf(link), hoverLook);

        // Not only entering: any move over the link shows the hover look again.
        link->showResting();
        movePointer(link, QPoint(61, 12));
        QCOMPARE(lookOf(link), hoverLook);

        movePointer(form->findChild<QWidget*>("rzfldsts1"), QPoint(5, 5));
        QCOMPARE(lookOf(link), restingLook(black));
        QVERIFY(desktop.take().isEmpty());
    }

    void clickOpensWithoutChangingTheLook()
    {
        LinkLabel* link = siteLink();
        movePointer(link, QPoint(20, 10));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(lookOf(link), hoverLook);
        QCOMPARE(desktop.take().size(), 1);
    }

    void onlyALeftReleaseOnTheLinkOpens()
    {
        LinkLabel* link = siteLink();
        QTest::mouseClick(link, Qt::RightButton);
        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(20, 10));
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 40, 10));
        QVERIFY(desktop.take().isEmpty());
    }
};

QTEST_MAIN(TestMenuAndLinks)
#include "tst_menuandlinks.moc"
