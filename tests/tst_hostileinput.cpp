#include "Unit1.h"
#include "model/Exceptions.h"

#include "support/MainWindowDriver.h"
#include "support/ModalWatcher.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <bit>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype megabyte = 1 << 20;

const QString notANumberTail = u"' is not a valid floating point value"_s;

// The error box's text for a text that does not read: the quoted text and the full stop.
QString refusal(const QString& shown)
{
    return u"'"_s + shown + notANumberTail + u"."_s;
}

// The same for a quoted text so long that the box shows only its 400 first and 400 last characters.
QString elidedRefusal(const QString& shown)
{
    const QString message = u"'"_s + shown + notANumberTail;
    return message.left(400) + u"\u2026"_s + message.right(400) + u"."_s;
}

// A megabyte of the characters a careless paste brings: letters, digits, signs, separators, exponents.
QString megabyteOfJunk()
{
    const QString pattern = u"1e+5,-.x$Q0 9"_s;
    QString junk;
    junk.reserve(megabyte);
    while (junk.size() < megabyte)
        junk += pattern;
    junk.truncate(megabyte);
    return junk;
}

} // namespace

// Whatever a person types or pastes into the fields, each command answers with its value or with one
// error box naming the text exactly, and the window goes on working.
class TestHostileInput : public QObject
{
    Q_OBJECT

    MainWindowDriver form;
    ModalWatcher watcher;

    // Puts the text in as a program would (setText) or as a paste does (insert at the cursor).
    void enter(const QString& name, const QString& text, bool paste)
    {
        QLineEdit* target = form.field(name);
        if (paste) {
            target->clear();
            target->insert(text);
        } else {
            target->setText(text);
        }
    }

    void expectTheWindowGoesOn()
    {
        form.setFieldTexts({"1", "100", "0", "0", "100"});
        const QList<SeenBox> boxes = watcher.boxesDuring([&] {
            form.click("btn3");
            form.click("btn1");
        });
        QVERIFY2(boxes.isEmpty(), qPrintable(u"unexpected box: "_s + boxes.value(0).text.left(200)));
        QCOMPARE(form.field("edt5")->text(), u"1"_s);
        QCOMPARE(form->mixState().stepCount, 1);
    }

private Q_SLOTS:
    void init() { form.open(); }

    void cleanup()
    {
        form.close();
        watcher.verifyNoneUnexpected();
    }

    void fieldKeepsAPastedMegabyte_data()
    {
        QTest::addColumn<bool>("paste");
        QTest::newRow("setText") << false;
        QTest::newRow("insert") << true;
    }

    void fieldKeepsAPastedMegabyte()
    {
        QFETCH(bool, paste);
        const QString text = megabyteOfJunk();
        enter("edt1", text, paste);
        QCOMPARE(form.field("edt1")->text().size(), megabyte);
        QVERIFY(form.field("edt1")->text() == text);
    }

    void hostileTextIsRefusedByName_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown");

        const QString nines = QString(megabyte, u'9');
        const QString junk = megabyteOfJunk();
        QTest::newRow("1 MiB of 9, spoon, btn1")
            << "edt1" << nines << false << "btn1" << elidedRefusal(nines);
        QTest::newRow("1 MiB of 9 pasted, spoon, btn2")
            << "edt1" << nines << true << "btn2" << elidedRefusal(nines);
        QTest::newRow("1 MiB of junk pasted, spoon, btn1")
            << "edt1" << junk << true << "btn1" << elidedRefusal(junk);
        QTest::newRow("1 MiB of junk, last volume, btn3")
            << "edt7" << junk << false << "btn3" << elidedRefusal(junk);

        // Only codes up to 32 are trimmed, and only at the ends.
        const QString oneControlTwo = u"1"_s + QChar(0x01) + u"2"_s;
        QTest::newRow("1 U+0001 2") << "edt1" << oneControlTwo << false << "btn1" << refusal(oneControlTwo);
        QTest::newRow("U+0001 abc U+001F")
            << "edt1" << QChar(0x01) + u"abc"_s + QChar(0x1F) << false << "btn2" << refusal(u"abc"_s);
        QTest::newRow("1 U+007F") << "edt4" << u"1\x7F"_s << false << "btn3" << refusal(u"1\x7F"_s);
        QTest::newRow("1 NUL 2") << "edt1" << u"1"_s + QChar(0) + u"2"_s << false << "btn1"
                                 << refusal(u"1"_s + QChar(0) + u"2"_s);
        QTest::newRow("NUL NUL") << "edt6" << QString(2, QChar(0)) << true << "btn3" << refusal(QString());

        // A surrogate without its partner is shown as U+FFFD; a whole pair is shown as itself.
        QTest::newRow("2 U+D800") << "edt1" << u"2\xD800"_s << true << "btn1" << refusal(u"2\uFFFD"_s);
        QTest::newRow("U+DC00 5") << "edt5" << QChar(0xDC00) + u"5"_s << false << "btn3"
                                  << refusal(u"\uFFFD5"_s);
        QTest::newRow("5 U+1F600") << "edt1" << u"5\U0001F600"_s << false << "btn2"
                                   << refusal(u"5\U0001F600"_s);

        // Marks and blanks from other scripts are not blanks here.
        QTest::newRow("U+200F 5") << "edt1" << u"\u200F5"_s << false << "btn1" << refusal(u"\u200F5"_s);
        QTest::newRow("5 U+200F") << "edt1" << u"5\u200F"_s << true << "btn2" << refusal(u"5\u200F"_s);
        QTest::newRow("U+3000 5") << "edt1" << u"\u30005"_s << false << "btn1" << refusal(u"\u30005"_s);
        QTest::newRow("5 U+3000, first volume")
            << "edt4" << u" 5\u3000 "_s << false << "btn3" << refusal(u"5\u3000"_s);
    }

    void hostileTextIsRefusedByName()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, text);
        QFETCH(bool, paste);
        QFETCH(QString, button);
        QFETCH(QString, shown);

        enter(fieldName, text, paste);
        const QList<SeenBox> boxes = watcher.boxesDuring([&] { form.click(button); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, shown);
        QCOMPARE(boxes[0].title, u"Tolvane"_s);
        QCOMPARE(form.field(fieldName)->text(), text);
        expectTheWindowGoesOn();
    }

    void hostileTextAroundANumberStillReads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("spoon");

        const QString nul(1, QChar(0));
        QTest::newRow("NUL 1.5 NUL") << nul + u"1.5"_s + nul << 1.5;
        QTest::newRow("U+0001 U+001F 2 TAB U+001F") << u"\x01\x1F 2\t\x1F"_s << 2.0;
        QTest::newRow("1 MiB of blanks, 3, 1 MiB of blanks")
            << QString(megabyte, u' ') + u"3"_s + QString(megabyte, u' ') << 3.0;
        QTest::newRow("1 MiB of 0, then 7") << QString(megabyte, u'0') + u"7"_s << 7.0;
        QTest::newRow("0. and 1 MiB of 1") << u"0."_s + QString(megabyte, u'1') << 0.11111111111111111;
        QTest::newRow("0. and 1 MiB of 0, then 1") << u"0."_s + QString(megabyte, u'0') + u"1"_s << 0.0;
    }

    void hostileTextAroundANumberStillReads()
    {
        QFETCH(QString, text);
        QFETCH(double, spoon);

        enter("edt1", text, true);
        const QList<SeenBox> boxes = watcher.boxesDuring([&] { form.click("btn1"); });
        QVERIFY2(boxes.isEmpty(), qPrintable(u"unexpected box: "_s + boxes.value(0).text.left(200)));
        QCOMPARE(std::bit_cast<quint64>(form->mixState().spoonVolume), std::bit_cast<quint64>(spoon));
        QCOMPARE(form->mixState().stepCount, 1);
        expectTheWindowGoesOn();
    }

    // The box shortens what it shows; the exception still carries the whole text.
    void refusedMegabyteKeepsTheWholeTextInTheException()
    {
        const QString text = megabyteOfJunk();
        form.field("edt1")->setText(text);
        try {
            form->btn1Click();
            QFAIL("a megabyte of junk was read as a number");
        } catch (const EConvertError& error) {
            QCOMPARE(QString::fromStdString(error.message()), u"'"_s + text + notANumberTail);
        }
    }
};

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"
