#include "model/Exceptions.h"
#include "model/NumberFormat.h"

#include <QTest>

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

std::u16string_view view(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString fromView(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString notANumber(const QString& shown)
{
    return u"'"_s + shown + u"' is not a valid floating point value"_s;
}

QString notAnInteger(const QString& shown)
{
    return u"''"_s + shown + u"'' is not a valid integer value"_s;
}

// The boundary where the 80-bit extended format rounds to infinity, (2^65 - 1) * 2^16319, has 4933
// digits and starts with these 40 (Python: str((2**65 - 1) * 2**16319)[:40]).
const QString extendedLimitLead = u"1189731495357231765053511589829488667966"_s;

QString extendedLimitText(const QString& lead)
{
    return lead + QString(4933 - lead.size(), u'0');
}

} // namespace

class TestNumberFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trimText_data();
    void trimText();
    void textToNumber_data();
    void textToNumber();
    void textToNumberNotANumber_data();
    void textToNumberNotANumber();
    void textToNumberOverflow_data();
    void textToNumberOverflow();
    void textToNumberReadsMegabyteTexts();
    void numberToText_data();
    void numberToText();
    void textToInteger_data();
    void textToInteger();
    void textToIntegerInvalid_data();
    void textToIntegerInvalid();
    void textToIntegerReadsMegabyteTexts();
    void toUtf8_data();
    void toUtf8();
};

void TestNumberFormat::trimText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("blanks only") << u"  \t "_s << QString();
    QTest::newRow(" a b ") << u" a b "_s << u"a b"_s;
    QTest::newRow("control chars and NUL") << QString(QChar(0)) + u"\x01 a\x1F\x20"_s << u"a"_s;
    QTest::newRow("33 is kept") << u" !"_s << u"!"_s;
    QTest::newRow("U+3000 U+00A0 U+200F are kept") << u" \u3000a\u00A0\u200F "_s << u"\u3000a\u00A0\u200F"_s;
}

void TestNumberFormat::trimText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(fromView(::trimText(view(text))), expected);
}

void TestNumberFormat::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<double>("expected");

    const QChar dot = u'.';
    const QChar comma = u',';

    QTest::newRow("100") << u"100"_s << dot << 100.0;
    QTest::newRow("99.00990099009901") << u"99.00990099009901"_s << dot << 99.00990099009901;
    QTest::newRow("207.3940448828765") << u"207.3940448828765"_s << dot << 207.3940448828765;
    QTest::newRow("+1.5") << u"+1.5"_s << dot << 1.5;
    QTest::newRow("-2.5") << u"-2.5"_s << dot << -2.5;
    QTest::newRow("0.1") << u"0.1"_s << dot << 0.1;
    QTest::newRow("  2  ") << u"  2  "_s << dot << 2.0;
    QTest::newRow("\\t2\\n") << u"\t2\n"_s << dot << 2.0;

    // Either side of the separator may be empty, even both.
    QTest::newRow(".") << u"."_s << dot << 0.0;
    QTest::newRow("-.") << u"-."_s << dot << -0.0;
    QTest::newRow("-.5") << u"-.5"_s << dot << -0.5;
    QTest::newRow("3.") << u"3."_s << dot << 3.0;
    QTest::newRow("-0") << u"-0"_s << dot << -0.0;

    QTest::newRow("1E2") << u"1E2"_s << dot << 100.0;
    QTest::newRow("1e+2") << u"1e+2"_s << dot << 100.0;
    QTest::newRow("25e-1") << u"25e-1"_s << dot << 2.5;
    QTest::newRow("2e") << u"2e"_s << dot << 2.0;
    QTest::newRow("2e+") << u"2e+"_s << dot << 2.0;
    QTest::newRow("2e-") << u"2e-"_s << dot << 2.0;
    QTest::newRow("1e0000000000002") << u"1e0000000000002"_s << dot << 100.0;
    QTest::newRow("1e-400") << u"1e-400"_s << dot << 0.0;
    QTest::newRow("-1e-400") << u"-1e-400"_s << dot << -0.0;
    QTest::newRow("1e-500") << u"1e-500"_s << dot << 0.0;
    QTest::newRow("1e-4999") << u"1e-4999"_s << dot << 0.0;
    QTest::newRow("0e4999") << u"0e4999"_s << dot << 0.0;
    QTest::newRow("1000e-3") << u"1000e-3"_s << dot << 1.0;

    // Correct rounding, including ties to even and the ends of the range.
    QTest::newRow("9007199254740993") << u"9007199254740993"_s << dot << 9007199254740992.0;
    QTest::newRow("123456789012345678901234567890")
        << u"123456789012345678901234567890"_s << dot << 123456789012345678901234567890.0;
    QTest::newRow("1.7976931348623158e308") << u"1.7976931348623158e308"_s << dot << 1.7976931348623157e308;
    QTest::newRow("-1E308") << u"-1E308"_s << dot << -1e308;
    QTest::newRow("4.9406564584124654e-324") << u"4.9406564584124654e-324"_s << dot << 5e-324;
    QTest::newRow("2.4703282292062327e-324") << u"2.4703282292062327e-324"_s << dot << 0.0;
    QTest::newRow("2.4703282292062328e-324") << u"2.4703282292062328e-324"_s << dot << 5e-324;
    QTest::newRow("2.2250738585072014e-308")
        << u"2.2250738585072014e-308"_s << dot << 2.2250738585072014e-308;
    QTest::newRow("many digits after the point")
        << u"0."_s + QString(500, u'0') + u"1e505"_s << dot << 10000.0;

    QTest::newRow("1,5 with ,") << u"1,5"_s << comma << 1.5;
    QTest::newRow("-,25 with ,") << u"-,25"_s << comma << -0.25;
    QTest::newRow(" 99,00990099009901 with ,") << u" 99,00990099009901"_s << comma << 99.00990099009901;
    QTest::newRow("1,5e3 with ,") << u"1,5e3"_s << comma << 1500.0;
}

void TestNumberFormat::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(double, expected);
    const double value = ::textToNumber(view(text), separator.unicode());
    // Bit patterns, so that the sign of zero and the last bit of rounding count.
    QCOMPARE(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(expected));
}

void TestNumberFormat::textToNumberNotANumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("shown");

    const QChar dot = u'.';
    const QChar comma = u',';

    QTest::newRow("empty") << QString() << dot << QString();
    QTest::newRow("   ") << u"   "_s << dot << QString();
    QTest::newRow("  2 5  ") << u"  2 5  "_s << dot << u"2 5"_s;
    QTest::newRow("abc") << u"abc"_s << dot << u"abc"_s;
    QTest::newRow("+") << u"+"_s << dot << u"+"_s;
    QTest::newRow("-") << u"-"_s << dot << u"-"_s;
    QTest::newRow("--1") << u"--1"_s << dot << u"--1"_s;
    QTest::newRow("e5") << u"e5"_s << dot << u"e5"_s;
    QTest::newRow("-e5") << u"-e5"_s << dot << u"-e5"_s;
    QTest::newRow("1e+-2") << u"1e+-2"_s << dot << u"1e+-2"_s;
    QTest::newRow("1e2.5") << u"1e2.5"_s << dot << u"1e2.5"_s;
    QTest::newRow("1.2.3") << u"1.2.3"_s << dot << u"1.2.3"_s;
    QTest::newRow("1,000.5") << u"1,000.5"_s << dot << u"1,000.5"_s;
    QTest::newRow("0x10") << u"0x10"_s << dot << u"0x10"_s;
    QTest::newRow("inf") << u"inf"_s << dot << u"inf"_s;
    QTest::newRow("nan") << u"nan"_s << dot << u"nan"_s;
    QTest::newRow("1.5 with ,") << u"1.5"_s << comma << u"1.5"_s;
    QTest::newRow("1,5 with .") << u"1,5"_s << dot << u"1,5"_s;

    // Only codes up to 32 are trimmed; other blanks stay part of the text and spoil it.
    QTest::newRow("U+3000 2 U+3000") << u" \u30002\u3000"_s << dot << u"\u30002\u3000"_s;
    QTest::newRow("2 U+00A0") << u"2\u00A0"_s << dot << u"2\u00A0"_s;
    QTest::newRow("2 and a lone surrogate") << u"2\xD800"_s << dot << u"2\uFFFD"_s;

    // The exponent is read until it reaches 500; a digit beyond that point is wrong.
    QTest::newRow("1e5000") << u"1e5000"_s << dot << u"1e5000"_s;
    QTest::newRow("1e-5000") << u"1e-5000"_s << dot << u"1e-5000"_s;
    QTest::newRow("1e49999") << u"1e49999"_s << dot << u"1e49999"_s;

    // At or beyond the limit of the extended format the text does not read at all.
    const QString longOne = u"1"_s + QString(4939, u'0');
    QTest::newRow("1 and 4939 zeros") << longOne << dot << longOne;
    const QString aboveLimit = extendedLimitText(u"1189731495357231765053511589829488667967"_s);
    QTest::newRow("limit's 40 digits, last raised, 4933 digits") << aboveLimit << dot << aboveLimit;
    const QString negativeAbove = u"-"_s + aboveLimit;
    QTest::newRow("minus that") << negativeAbove << dot << negativeAbove;
    const QString fraction = u"0."_s + QString(10, u'0') + u"2e4943"_s;
    QTest::newRow("0.00000000002e4943") << fraction << dot << fraction;
    QTest::newRow("1e4933") << u"1e4933"_s << dot << u"1e4933"_s;
    QTest::newRow("1e4999") << u"1e4999"_s << dot << u"1e4999"_s;
}

void TestNumberFormat::textToNumberNotANumber()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(QString, shown);
    try {
        ::textToNumber(view(text), separator.unicode());
        QFAIL("the text was read as a number");
    } catch (const EConvertError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), notANumber(shown));
    }
}

void TestNumberFormat::textToNumberOverflow_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("1e400") << u"1e400"_s;
    QTest::newRow("1.7976931348623159e308") << u"1.7976931348623159e308"_s;
    QTest::newRow("-1e309") << u"-1e309"_s;
    QTest::newRow("1e499") << u"1e499"_s;
    QTest::newRow("1e500") << u"1e500"_s;
    QTest::newRow("1e599") << u"1e599"_s;
    QTest::newRow("1e4932") << u"1e4932"_s;
    QTest::newRow("limit's 40 digits, then zeros to 4933 digits") << extendedLimitText(extendedLimitLead);
    QTest::newRow("1.189731495357231765053511589829488667966e4932")
        << u"1.189731495357231765053511589829488667966e4932"_s;
}

void TestNumberFormat::textToNumberOverflow()
{
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(EOverflow, ::textToNumber(view(text), u'.'));
}

void TestNumberFormat::textToNumberReadsMegabyteTexts()
{
    constexpr qsizetype megabyte = 1 << 20;
    const QString ones = u"0."_s + QString(megabyte, u'1');
    const QString tiny = u"0."_s + QString(megabyte, u'0') + u"1"_s;
    const QString huge = QString(megabyte, u'9');

    const double value = ::textToNumber(view(ones), u'.');
    QCOMPARE(std::bit_cast<std::uint64_t>(::textToNumber(view(tiny), u'.')),
             std::bit_cast<std::uint64_t>(0.0));
    QVERIFY_THROWS_EXCEPTION(EConvertError, ::textToNumber(view(huge), u'.'));

    QCOMPARE(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(0.11111111111111111111111111));
}

void TestNumberFormat::numberToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");

    const QChar dot = u'.';
    const QChar comma = u',';

    QTest::newRow("0") << 0.0 << dot << u"0"_s;
    QTest::newRow("-0") << -0.0 << dot << u"0"_s;
    QTest::newRow("100") << 100.0 << dot << u"100"_s;
    QTest::newRow("1e14") << 1e14 << dot << u"100000000000000"_s;
    QTest::newRow("-2.5") << -2.5 << dot << u"-2.5"_s;
    QTest::newRow("99.00990099009901") << 99.00990099009901 << dot << u"99.009900990099"_s;
    QTest::newRow("1.0/3") << 1.0 / 3 << dot << u"0.333333333333333"_s;
    QTest::newRow("2.0/3") << 2.0 / 3 << dot << u"0.666666666666667"_s;
    QTest::newRow("0.1+0.2") << 0.1 + 0.2 << dot << u"0.3"_s;
    QTest::newRow("0.9900990099009901") << 0.9900990099009901 << dot << u"0.99009900990099"_s;
    QTest::newRow("1.9605920988138417") << 1.9605920988138417 << dot << u"1.96059209881384"_s;
    QTest::newRow("98.03940790118617") << 98.03940790118617 << dot << u"98.0394079011862"_s;

    // The 16th digit is a 5 only after rounding to 18 digits; it still rounds up.
    QTest::newRow("207.3940448828765") << 207.3940448828765 << dot << u"207.394044882877"_s;
    QTest::newRow("123456789012345.6") << 123456789012345.6 << dot << u"123456789012346"_s;

    QTest::newRow("0.0001") << 0.0001 << dot << u"0.0001"_s;
    QTest::newRow("-0.00012345") << -0.00012345 << dot << u"-0.00012345"_s;
    QTest::newRow("0.00001") << 0.00001 << dot << u"1E-5"_s;
    QTest::newRow("0.000099999") << 0.000099999 << dot << u"9.9999E-5"_s;
    // Rounding carries into a new leading digit and so moves the number into plain notation.
    QTest::newRow("9.999999999999999e-05") << 9.999999999999999e-05 << dot << u"0.0001"_s;
    QTest::newRow("0.0009999999999999998") << 0.0009999999999999998 << dot << u"0.001"_s;
    QTest::newRow("999999999999999") << 999999999999999.0 << dot << u"999999999999999"_s;
    QTest::newRow("999999999999999.9") << 999999999999999.9 << dot << u"1E15"_s;
    QTest::newRow("1E15") << 1e15 << dot << u"1E15"_s;
    QTest::newRow("1234567890123456") << 1234567890123456.0 << dot << u"1.23456789012346E15"_s;
    QTest::newRow("-1E308") << -1e308 << dot << u"-1E308"_s;
    QTest::newRow("1.7976931348623157e308") << 1.7976931348623157e308 << dot << u"1.79769313486232E308"_s;
    QTest::newRow("4.9406564584124654e-324") << 4.9406564584124654e-324 << dot << u"4.94065645841247E-324"_s;

    QTest::newRow("99.00990099009901 with ,") << 99.00990099009901 << comma << u"99,009900990099"_s;
    QTest::newRow("-0.00012345 with ,") << -0.00012345 << comma << u"-0,00012345"_s;
    QTest::newRow("1234567890123456 with ,") << 1234567890123456.0 << comma << u"1,23456789012346E15"_s;
}

void TestNumberFormat::numberToText()
{
    QFETCH(double, value);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    QCOMPARE(fromView(::numberToText(value, separator.unicode())), expected);
}

void TestNumberFormat::textToInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("0") << u"0"_s << 0;
    QTest::newRow("42") << u"42"_s << 42;
    QTest::newRow("+42") << u"+42"_s << 42;
    QTest::newRow("-42") << u"-42"_s << -42;
    QTest::newRow("007") << u"007"_s << 7;
    QTest::newRow("  7  ") << u"  7  "_s << 7;
    QTest::newRow("\\t7\\n") << u"\t7\n"_s << 7;
    QTest::newRow("2147483647") << u"2147483647"_s << 2147483647;
    QTest::newRow("-2147483648") << u"-2147483648"_s << -2147483647 - 1;

    QTest::newRow("$10") << u"$10"_s << 16;
    QTest::newRow("+$10") << u"+$10"_s << 16;
    QTest::newRow("-$10") << u"-$10"_s << -16;
    QTest::newRow("x1f") << u"x1f"_s << 31;
    QTest::newRow("X1F") << u"X1F"_s << 31;
    QTest::newRow("0XfF") << u"0XfF"_s << 255;
    QTest::newRow("0x7FFFFFFF") << u"0x7FFFFFFF"_s << 2147483647;
    QTest::newRow("$000000000FF") << u"$000000000FF"_s << 255;
    // A hexadecimal literal is a 32-bit pattern.
    QTest::newRow("$FFFFFFFF") << u"$FFFFFFFF"_s << -1;
    QTest::newRow("$80000000") << u"$80000000"_s << -2147483647 - 1;
    QTest::newRow("-$80000000") << u"-$80000000"_s << -2147483647 - 1;
    QTest::newRow("-$FFFFFFFF") << u"-$FFFFFFFF"_s << 1;
}

void TestNumberFormat::textToInteger()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(::textToInteger(view(text)), expected);
}

void TestNumberFormat::textToIntegerInvalid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("   ") << u"   "_s << QString();
    QTest::newRow("+") << u"+"_s << u"+"_s;
    QTest::newRow("-") << u"-"_s << u"-"_s;
    QTest::newRow("$") << u"$"_s << u"$"_s;
    QTest::newRow("x") << u"x"_s << u"x"_s;
    QTest::newRow("0x") << u"0x"_s << u"0x"_s;
    QTest::newRow("-$") << u"-$"_s << u"-$"_s;
    QTest::newRow("2147483648") << u"2147483648"_s << u"2147483648"_s;
    QTest::newRow("-2147483649") << u"-2147483649"_s << u"-2147483649"_s;
    QTest::newRow("99999999999999999999") << u"99999999999999999999"_s << u"99999999999999999999"_s;
    QTest::newRow("$100000000") << u"$100000000"_s << u"$100000000"_s;
    QTest::newRow("--1") << u"--1"_s << u"--1"_s;
    QTest::newRow("$-1") << u"$-1"_s << u"$-1"_s;
    QTest::newRow("1.5") << u"1.5"_s << u"1.5"_s;
    QTest::newRow("1e3") << u"1e3"_s << u"1e3"_s;
    QTest::newRow(" 1 2 ") << u" 1 2 "_s << u"1 2"_s;
    QTest::newRow("12a") << u"12a"_s << u"12a"_s;
    QTest::newRow("$G") << u"$G"_s << u"$G"_s;
    QTest::newRow("0b1") << u"0b1"_s << u"0b1"_s;
    QTest::newRow("U+3000 1") << u"\u30001"_s << u"\u30001"_s;
}

void TestNumberFormat::textToIntegerInvalid()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    try {
        ::textToInteger(view(text));
        QFAIL("the text was read as an integer");
    } catch (const EConvertError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), notAnInteger(shown));
    }
}

void TestNumberFormat::textToIntegerReadsMegabyteTexts()
{
    constexpr qsizetype megabyte = 1 << 20;
    const QString padded = QString(megabyte, u'0') + u"7"_s;
    const QString huge = QString(megabyte, u'9');

    const std::int32_t value = ::textToInteger(view(padded));
    QVERIFY_THROWS_EXCEPTION(EConvertError, ::textToInteger(view(huge)));

    QCOMPARE(value, 7);
}

void TestNumberFormat::toUtf8_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("abc") << u"abc"_s << QByteArray("abc");
    QTest::newRow("U+00E4") << u"\u00E4"_s << QByteArray("\xC3\xA4");
    QTest::newRow("U+20AC") << u"\u20AC"_s << QByteArray("\xE2\x82\xAC");
    QTest::newRow("U+1F600 as a pair") << u"\U0001F600"_s << QByteArray("\xF0\x9F\x98\x80");
    QTest::newRow("lone high surrogate") << u"a\xD800"_s << QByteArray("a\xEF\xBF\xBD");
    QTest::newRow("high surrogate before a letter") << u"\xD83D"
                                                       u"A"_s
                                                    << QByteArray("\xEF\xBF\xBD"
                                                                  "A");
    QTest::newRow("lone low surrogate") << u"\xDC00z"_s << QByteArray("\xEF\xBF\xBDz");
    QTest::newRow("pair in the wrong order") << u"\xDE00\xD83D"_s << QByteArray("\xEF\xBF\xBD\xEF\xBF\xBD");
}

void TestNumberFormat::toUtf8()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(::toUtf8(view(text))), expected);
}

QTEST_APPLESS_MAIN(TestNumberFormat)

#include "tst_numberformat.moc"
