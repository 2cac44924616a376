// Holds numberToText to its rule for every finite double: the text's form, its digits against the C
// library's printf rounded as the rule says, and a reading back that shows the same text again.

#include "FuzzText.h"

#include "model/Exceptions.h"
#include "model/NumberFormat.h"

#include <cmath>
#include <cstring>
#include <locale.h>
#include <stdlib.h>
#include <string>

namespace {

struct Shown
{
    bool negative = false;
    std::string digits; // significant digits, without leading or trailing zeros
    int exponent = 0;   // the number is 0.d1d2... * 10^exponent
};

std::string toAscii(std::u16string_view text, const std::string& where)
{
    std::string ascii;
    for (const char16_t c : text) {
        if (c >= 128)
            fuzzFailure(where + ": the text has a character outside ASCII");
        ascii += static_cast<char>(c);
    }
    return ascii;
}

std::size_t digitRun(const std::string& text, std::size_t from)
{
    std::size_t to = from;
    while (to < text.size() && text[to] >= '0' && text[to] <= '9')
        ++to;
    return to - from;
}

// Checks the text's form and takes its number apart; a text out of form is a finding.
Shown parseShown(const std::string& text, const std::string& where)
{
    const auto fail = [&](const char* why) {
        fuzzFailure(where + ": \"" + text + "\" " + why);
    };
    Shown shown;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        shown.negative = true;
        ++i;
    }
    const std::string whole = text.substr(i, digitRun(text, i));
    i += whole.size();
    if (whole.empty())
        fail("has no digit before the separator");
    std::string fraction;
    if (i < text.size() && text[i] == '.') {
        ++i;
        fraction = text.substr(i, digitRun(text, i));
        i += fraction.size();
        if (fraction.empty() || fraction.back() == '0')
            fail("has an empty fraction or one ending in 0");
    }
    const bool scientific = i < text.size() && text[i] == 'E';
    int exponent = 0;
    if (scientific) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (negativeExponent)
            ++i;
        const std::string digits = text.substr(i, digitRun(text, i));
        i += digits.size();
        if (digits.empty() || digits.front() == '0' || digits.size() > 3)
            fail("has a malformed exponent");
        exponent = std::stoi(digits) * (negativeExponent ? -1 : 1);
    }
    if (i != text.size())
        fail("has characters after the number");

    if (scientific) {
        if (whole.size() != 1 || whole == "0")
            fail("does not start with one non-zero digit before the exponent");
        shown.exponent = exponent + 1;
    } else if (whole == "0") {
        if (fraction.empty())
            fail("shows a non-zero number as 0");
        shown.exponent = -static_cast<int>(fraction.find_first_not_of('0'));
    } else {
        if (whole.front() == '0')
            fail("has a leading zero");
        shown.exponent = static_cast<int>(whole.size());
    }
    const bool plainRange = shown.exponent >= -3 && shown.exponent <= 15;
    if (scientific == plainRange)
        fail(scientific ? "uses an exponent in the plain range" : "is plain outside the plain range");

    shown.digits = whole + fraction;
    shown.digits.erase(0, shown.digits.find_first_not_of('0'));
    shown.digits.erase(shown.digits.find_last_not_of('0') + 1);
    if (shown.digits.size() > 15)
        fail("has more than 15 significant digits");
    return shown;
}

// The rule worked out from printf's correctly rounded 18 digits: the 16th decides, a half rounding up.
Shown expectedDigits(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(value));
    std::string digits = std::string(1, buffer[0]) + std::string(buffer + 2, 17);
    int exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
    const bool up = digits[15] >= '5';
    digits.resize(15);
    if (up) {
        int i = 14;
        for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
            digits[static_cast<std::size_t>(i)] = '0';
        if (i < 0) {
            digits = "1" + digits;
            ++exponent;
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    return {value < 0, digits, exponent};
}

std::string shownText(double value, char16_t separator)
{
    const std::u16string text = numberToText(value, separator);
    std::string ascii;
    for (const char16_t c : text)
        ascii += c < 128 ? static_cast<char>(c) : '?';
    return ascii;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    if (!std::isfinite(value))
        return 0;
    char where[64];
    std::snprintf(where, sizeof where, "%a (%.17g)", value, value);

    const std::u16string text16 = numberToText(value, u'.');
    const std::string text = toAscii(text16, where);
    std::string withComma = text;
    for (char& c : withComma)
        c = c == '.' ? ',' : c;
    if (shownText(value, u',') != withComma)
        fuzzFailure(std::string(where) + ": with ',' shows \"" + shownText(value, u',') + "\", not \"" +
                    withComma + "\"");

    if (value == 0) {
        if (text != "0")
            fuzzFailure(std::string(where) + ": zero shows as \"" + text + "\"");
        return 0;
    }

    const Shown shown = parseShown(text, where);
    const Shown expected = expectedDigits(value);
    if (shown.negative != expected.negative || shown.digits != expected.digits ||
        shown.exponent != expected.exponent)
        fuzzFailure(std::string(where) + ": shows \"" + text + "\", expected 0." + expected.digits + "E" +
                    std::to_string(expected.exponent));

    // The largest few doubles show as a number beyond the largest double, which cannot be read back.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    if (std::isinf(strtod_l(text.c_str(), nullptr, cLocale))) {
        try {
            textToNumber(text16, u'.');
            fuzzFailure(std::string(where) + ": \"" + text + "\" is beyond the largest double, yet it reads");
        } catch (const EOverflow&) {
        }
        return 0;
    }
    try {
        const double back = textToNumber(text16, u'.');
        if (numberToText(back, u'.') != text16)
            fuzzFailure(std::string(where) + ": \"" + text + "\" reads back as a number shown as \"" +
                        shownText(back, u'.') + "\"");
    } catch (const std::exception& error) {
        fuzzFailure(std::string(where) + ": \"" + text + "\" does not read back: " + error.what());
    }
    return 0;
}
