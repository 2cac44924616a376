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

// Exact decimal expansions of points halfway between two neighbouring doubles, printed once with
// Python's exact arithmetic (decimal.getcontext().prec = 3000; Decimal(1) / Decimal(2**1075) and so on).
// 2^-1075: halfway between 0 and the smallest subnormal, 2^-1074.
const QString halfSmallestSubnormal =
    u"2.4703282292062327208828439643411068618252990130716238221279284125033775363510437593264991818081"
    u"799618989828234772285886546332835517796989819938739800539093906315035659515570226392290858392449"
    u"105184435931802849936536152500319370457678249219365623669863658480757001585769269903706311928279"
    u"558551332927834338409351978015531246597263579574622766465272827220056374006485499977096599470454"
    u"020828166226237857393450736339007967761930577506740176324673600968951340535537458516661134223766"
    u"678604162159680461914467291840300530057530849048765391711386591646239524912623653881879636239373"
    u"280423891018672348497668235089863388587925628302755995657524455507255189313690836254779186948667"
    u"994968324049705821028513185451396213837722826145437693412532098591327667236328125"
    u"e-324"_s;
// 1 + 2^-53: halfway between 1 and the next double, 1 + 2^-52.
const QString halfAboveOne = u"1.00000000000000011102230246251565404236316680908203125"_s;
// 1 + 3 * 2^-53: halfway between 1 + 2^-52 (odd significand) and 1 + 2^-51 (even).
const QString threeHalvesAboveOne = u"1.00000000000000033306690738754696212708950042724609375"_s;
// 2^1024 - 2^970: halfway between the largest double and 2^1024, where an unbounded exponent would go.
const QString halfAboveLargest =
    u"179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017977587"
    u"207096330286416692887910946555547851940402630657488671505820681908902000708383676273854845817711"
    u"531764475730270069855571366959622842914819860834936475292719074168444365510704342711559699508093"
    u"042880177904174497792"_s;

} // namespace

class TestNumberFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trimText_data();
    void trimText();
    void textToNumber_data();
    void textToNumber();
    void textToNumberHardCases_data();
    void textToNumberHardCases();
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

// Inputs that conversion routines are known to get wrong: values that need many digits to decide their
// rounding, ties, and the ends of the range. Every expected value is the compiler's own rounding of the
// same decimal written as a literal, or follows from where the text lies between two doubles.
void TestNumberFormat::textToNumberHardCases_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("0.99999999999999999") << u"0.99999999999999999"_s << 0.99999999999999999;
    QTest::newRow("2.2250738585072012e-308") << u"2.2250738585072012e-308"_s << 2.2250738585072012e-308;
    QTest::newRow("2.2250738585072011e-308") << u"2.2250738585072011e-308"_s << 2.2250738585072011e-308;
    QTest::newRow("7.038531e-26") << u"7.038531e-26"_s << 7.038531e-26;
    QTest::newRow("4.9e-324") << u"4.9e-324"_s << 4.9e-324;
    QTest::newRow("1.7976931348623157e308") << u"1.7976931348623157e308"_s << 1.7976931348623157e308;

    // Paxson's inputs whose digits fall nearest to a half or to a whole unit in the last place.
    const auto literal = [](const char* text, double value) {
        QTest::newRow(text) << QString::fromLatin1(text) << value;
    };
    literal("9e-265", 9e-265);
    literal("85e-37", 85e-37);
    literal("623e100", 623e100);
    literal("3571e263", 3571e263);
    literal("81661e153", 81661e153);
    literal("920468e-8", 920468e-8);
    literal("2335141086879e218", 2335141086879e218);
    literal("5e125", 5e125);
    literal("69e267", 69e267);
    literal("999e-26", 999e-26);
    literal("7861e-34", 7861e-34);
    literal("75569e-254", 75569e-254);
    literal("928609e-261", 928609e-261);
    literal("9210917e80", 9210917e80);
    literal("84863171e114", 84863171e114);
    literal("653777767e273", 653777767e273);
    literal("5232604057e-298", 5232604057e-298);
    literal("27235667517e-109", 27235667517e-109);
    literal("653532977297e-123", 653532977297e-123);
    literal("3142213164987e-294", 3142213164987e-294);
    literal("46202199371337e-72", 46202199371337e-72);
    literal("231010996856685e-73", 231010996856685e-73);
    literal("9324754620109615e212", 9324754620109615e212);
    literal("78459735791271921e49", 78459735791271921e49);
    literal("272104041512242479e200", 272104041512242479e200);
    literal("6802601037806061975e198", 6802601037806061975e198);
    literal("20505426358836677347e-221", 20505426358836677347e-221);
    literal("836168422905420598437e-234", 836168422905420598437e-234);
    literal("4891559871276714924261e222", 4891559871276714924261e222);

    // Exact halfway points, hundreds of digits long: the tie goes to the even significand, and one more
    // non-zero digit, however far out, goes up.
    const QString far = QString(300, u'0') + u"1"_s;
    QTest::newRow("2^-1075, 751 digits") << halfSmallestSubnormal << 0.0;
    QTest::newRow("-2^-1075") << u"-"_s + halfSmallestSubnormal << -0.0;
    QTest::newRow("2^-1075 and a 1 after 300 zeros")
        << QString(halfSmallestSubnormal).insert(halfSmallestSubnormal.indexOf(u'e'), far)
        << 4.9406564584124654e-324;
    QTest::newRow("1 + 2^-53") << halfAboveOne << 1.0;
    QTest::newRow("1 + 2^-53 and a 1 after 300 zeros") << halfAboveOne + far << 1.0000000000000002;
    QTest::newRow("1 + 3 * 2^-53") << threeHalvesAboveOne << 1.0000000000000004;
    QTest::newRow("1 + 3 * 2^-53, last digit 4")
        << threeHalvesAboveOne.chopped(1) + u"4"_s << 1.0000000000000002;
    QTest::newRow("2^1024 - 2^970 - 1") << halfAboveLargest.chopped(1) + u"1"_s << 1.7976931348623157e308;
    QTest::newRow("2^53 + 1 and a 1 after 300 zeros") << u"9007199254740993."_s + far << 9007199254740994.0;

    // The exponent read up to 500 against a mantissa that moves the point far the other way.
    QTest::newRow("0.(499 zeros)1e500") << u"0."_s + QString(499, u'0') + u"1e500"_s << 1.0;
    QTest::newRow("0.(4998 zeros)1e4999") << u"0."_s + QString(4998, u'0') + u"1e4999"_s << 1.0;
    QTest::newRow("1(5000 zeros)e-4999") << u"1"_s + QString(5000, u'0') + u"e-4999"_s << 10.0;
    QTest::newRow("1e-0499") << u"1e-0499"_s << 0.0;
    QTest::newRow("1e-00000000000000000000499") << u"1e-00000000000000000000499"_s << 0.0;
}

void TestNumberFormat::textToNumberHardCases()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double value = ::textToNumber(view(text), u'.');
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
    QTest::newRow("1e0000000000000000000005000")
        << u"1e0000000000000000000005000"_s << dot << u"1e0000000000000000000005000"_s;

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
    // The limit is 1.18973149535723176505...e4932, however the text places its point.
    QTest::newRow("1.18973149535723176506e4932")
        << u"1.18973149535723176506e4932"_s << dot << u"1.18973149535723176506e4932"_s;
    QTest::newRow("-11.8973149535723176506e4931")
        << u"-11.8973149535723176506e4931"_s << dot << u"-11.8973149535723176506e4931"_s;
    QTest::newRow("0.0118973149535723176506e4935")
        << u"0.0118973149535723176506e4935"_s << dot << u"0.0118973149535723176506e4935"_s;
    QTest::newRow("0.99e4933") << u"0.99e4933"_s << dot << u"0.99e4933"_s;
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
    // Just below the extended limit: the largest extended value, 1.18973149535723176502...e4932.
    QTest::newRow("1.18973149535723176502e4932") << u"1.18973149535723176502e4932"_s;
    QTest::newRow("0.1e4933") << u"0.1e4933"_s;
    QTest::newRow("1e+499") << u"1e+499"_s;
    QTest::newRow("1e0499") << u"1e0499"_s;
    QTest::newRow("1e00000000000000000000500") << u"1e00000000000000000000500"_s;
    QTest::newRow("1(4939 zeros)e-10") << u"1"_s + QString(4939, u'0') + u"e-10"_s;
    // The tie between the largest double and 2^1024 goes to the even 2^1024, which is out of range.
    QTest::newRow("2^1024 - 2^970") << halfAboveLargest;
    // The largest doubles show 15 digits that round above them, so their own text no longer reads.
    QTest::newRow("1.79769313486232E308") << u"1.79769313486232E308"_s;
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
