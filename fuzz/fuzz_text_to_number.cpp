// Holds textToNumber against an oracle of its own: a hand-written grammar check decides whether the text
// is a number at all, and the C library, in the C locale, decides its value.

#include "FuzzText.h"

#include "model/Exceptions.h"
#include "model/NumberFormat.h"

#include <cmath>
#include <cstring>
#include <locale.h>
#include <stdlib.h>
#include <string>

namespace {

struct Expected
{
    bool wellFormed = false;
    std::string cText;      // the number as strtod reads it
    bool nearLimit = false; // at or above the 40 leading digits of the extended format's limit
};

// The leading digits of (2^65 - 1) * 2^16319, where the 80-bit extended format overflows; the number
// itself is 0.118973149535723176505... * 10^4933.
constexpr std::string_view limitLead = "1189731495357231765053511589829488667966";

Expected readAsTheRulesSay(std::u16string_view trimmed, char16_t separator)
{
    Expected expected;
    std::size_t i = 0;
    const std::size_t n = trimmed.size();
    std::string sign;
    if (i < n && (trimmed[i] == u'+' || trimmed[i] == u'-'))
        sign = trimmed[i++] == u'-' ? "-" : "";

    std::string whole;
    std::string fraction;
    bool hasSeparator = false;
    while (i < n && isAsciiDigit(trimmed[i]))
        whole += static_cast<char>(trimmed[i++]);
    if (i < n && trimmed[i] == separator) {
        hasSeparator = true;
        ++i;
        while (i < n && isAsciiDigit(trimmed[i]))
            fraction += static_cast<char>(trimmed[i++]);
    }
    if (whole.empty() && fraction.empty() && !hasSeparator)
        return expected;

    std::string exponentSign = "+";
    std::string exponentDigits;
    long exponent = 0;
    if (i < n && (trimmed[i] == u'e' || trimmed[i] == u'E')) {
        ++i;
        if (i < n && (trimmed[i] == u'+' || trimmed[i] == u'-'))
            exponentSign = trimmed[i++] == u'-' ? "-" : "+";
        while (i < n && isAsciiDigit(trimmed[i])) {
            // Once the exponent has reached 500, one more digit spoils the text.
            if (exponent >= 500)
                return expected;
            exponent = exponent * 10 + (trimmed[i] - u'0');
            exponentDigits += static_cast<char>(trimmed[i++]);
        }
    }
    if (i != n)
        return expected;

    expected.wellFormed = true;
    expected.cText = sign + (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction);
    if (!exponentDigits.empty())
        expected.cText += "e" + exponentSign + exponentDigits;

    // Where the number stands against the limit's leading digits, by its significant digits and their
    // decimal exponent (number = 0.d1d2... * 10^decimalExponent).
    const std::string digits = whole + fraction;
    const std::size_t first = digits.find_first_not_of('0');
    if (first != std::string::npos) {
        const long decimalExponent = static_cast<long>(whole.size()) - static_cast<long>(first) +
                                     (exponentSign == "-" ? -exponent : exponent);
        std::string lead = digits.substr(first, limitLead.size());
        lead.resize(limitLead.size(), '0');
        expected.nearLimit = decimalExponent > 4933 || (decimalExponent == 4933 && lead >= limitLead);
    }
    return expected;
}

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

std::string describe(std::u16string_view text, char16_t separator)
{
    return "text \"" + printable(text) + "\" with separator '" + static_cast<char>(separator) + "'";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzText input = decodeFuzzText(data, size);
    const std::u16string_view trimmed = referenceTrim(input.text);
    const Expected expected = readAsTheRulesSay(trimmed, input.separator);
    const std::string notANumber = "'" + referenceUtf8(trimmed) + "' is not a valid floating point value";
    const std::string where = describe(input.text, input.separator);

    enum class Outcome
    {
        Value,
        NotANumber,
        Overflow,
    };
    Outcome outcome = Outcome::Value;
    double value = 0;
    try {
        value = textToNumber(input.text, input.separator);
    } catch (const EConvertError& error) {
        // message(), not what(): the error box shows message() whole, and what() stops at a NUL.
        if (error.message() != notANumber)
            fuzzFailure(where + ": message \"" + error.message() + "\", expected \"" + notANumber + "\"");
        outcome = Outcome::NotANumber;
    } catch (const EOverflow& error) {
        if (std::strcmp(error.what(), "Floating point overflow") != 0)
            fuzzFailure(where + ": overflow message \"" + error.what() + "\"");
        outcome = Outcome::Overflow;
    } catch (const std::exception& error) {
        fuzzFailure(where + ": unexpected exception \"" + error.what() + "\"");
    }

    if (!expected.wellFormed) {
        if (outcome != Outcome::NotANumber)
            fuzzFailure(where + ": the text is no number, yet it was read");
        return 0;
    }

    char* end = nullptr;
    const double reference = strtod_l(expected.cText.c_str(), &end, cLocale());
    if (end != expected.cText.c_str() + expected.cText.size())
        fuzzFailure(where + ": the oracle's own C text \"" + expected.cText + "\" did not read whole");
    const bool beyondExtended = std::isinf(strtold_l(expected.cText.c_str(), nullptr, cLocale()));

    if (beyondExtended) {
        if (outcome != Outcome::NotANumber)
            fuzzFailure(where + ": beyond the extended format's range, expected the conversion error");
    } else if (expected.nearLimit) {
        // Just below the extended limit the program compares only 40 digits; either error is right.
        if (outcome == Outcome::Value)
            fuzzFailure(where + ": next to the extended limit, yet read as a value");
    } else if (std::isinf(reference)) {
        if (outcome != Outcome::Overflow)
            fuzzFailure(where + ": beyond the largest double, expected an overflow");
    } else {
        if (outcome != Outcome::Value)
            fuzzFailure(where + ": a number, yet refused");
        if (std::memcmp(&value, &reference, sizeof value) != 0) {
            char text[128];
            std::snprintf(text, sizeof text, ": read %.17g, strtod reads %.17g", value, reference);
            fuzzFailure(where + text);
        }
    }
    return 0;
}
