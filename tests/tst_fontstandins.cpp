#include "FontStandIns.h"

#include "support/ProgramWindows.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

bool installed(const QString& family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

} // namespace

class TestFontStandIns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingFacesTakeTheirLookAlikes_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("standIn");
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans Narrow";
        QTest::newRow("Tahoma") << "Tahoma"
                                << "Liberation Sans";
        QTest::newRow("Verdana") << "Verdana"
                                 << "DejaVu Sans";
        QTest::newRow("any case") << "tahoma"
                                  << "Liberation Sans";
    }

    void missingFacesTakeTheirLookAlikes()
    {
        QFETCH(QString, asked);
        QFETCH(QString, standIn);
        if (installed(asked))
            QSKIP("the face itself is installed here");
        QVERIFY2(installed(standIn), qPrintable(standIn + " is one of the fonts the build installs"));
        QCOMPARE(FontStandIns::family(asked), standIn);

        QFont font(asked, 9, QFont::Bold, true);
        const QFont resolved = FontStandIns::resolve(font);
        QCOMPARE(resolved.families(), QStringList{standIn});
        QCOMPARE(resolved.pointSize(), 9);
        QCOMPARE(resolved.weight(), QFont::Bold);
        QVERIFY(resolved.italic());
        QCOMPARE(QFontInfo(resolved).family(), standIn);
    }

    void otherFacesAreLeftAlone_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::newRow("installed") << "DejaVu Sans";
        QTest::newRow("missing, nothing stands in") << "No Such Face Anywhere";
        QTest::newRow("empty") << "";
    }

    void otherFacesAreLeftAlone()
    {
        QFETCH(QString, asked);
        QCOMPARE(FontStandIns::family(asked), asked);
        const QFont font(asked, 8);
        QCOMPARE(FontStandIns::resolve(font), font);
    }

    void aWidgetGivenAMissingFaceTakesTheStandInBeforeItsChildrenLayOutText()
    {
        if (installed(QStringLiteral("Tahoma")))
            QSKIP("Tahoma is installed here");
        FontStandIns filter;
        qApp->installEventFilter(&filter);
        QWidget parent;
        parent.setFont(QFont(QStringLiteral("Tahoma"), 8, QFont::Bold));
        QCOMPARE(parent.font().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(parent.font().pointSize(), 8);
        QCOMPARE(parent.font().weight(), QFont::Bold);

        // A line edit lays its text out as it is made: it must find the stand-in already there.
        QLineEdit child(QStringLiteral("100"), &parent);
        QCOMPARE(child.font().family(), QStringLiteral("Liberation Sans"));
        QVERIFY(!child.testAttribute(Qt::WA_SetFont));

        // A face that is installed is kept as it was set.
        QWidget other;
        const QFont installedFont(QStringLiteral("DejaVu Sans"), 11);
        other.setFont(installedFont);
        QCOMPARE(other.font(), installedFont);
        qApp->removeEventFilter(&filter);
    }

    void everyWindowAsksOnlyForInstalledFaces_data()
    {
        QTest::addColumn<QString>("window");
        for (const QString& name : ProgramWindows::names)
            QTest::newRow(qPrintable(name)) << name;
    }

    // Start-up only stays cheap while no control asks for a face that is not there.
    void everyWindowAsksOnlyForInstalledFaces()
    {
        QFETCH(QString, window);
        FontStandIns filter;
        qApp->installEventFilter(&filter);
        ProgramWindows windows;
        QWidget* shown = windows.window(window);
        QVERIFY(shown);
        QList<QWidget*> widgets = shown->findChildren<QWidget*>();
        widgets.prepend(shown);
        for (const QWidget* widget : std::as_const(widgets)) {
            const QString family = widget->font().family();
            QVERIFY2(installed(family), qPrintable(widget->objectName() + " asks for " + family));
        }
        qApp->removeEventFilter(&filter);
    }
};

QTEST_MAIN(TestFontStandIns)
#include "tst_fontstandins.moc"
