#include "model/NumberFormat.h"

#include "model/Exceptions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Steps over an optional "+" or "-" at `pos`; true when it was a minus.
bool readSign(std::u16string_view text, std::size_t& pos)
{
    if (pos >= text.size() || (text[pos] != u'+' && text[pos] != u'-'))
        return false;
    return text[pos++] == u'-';
}

int hexValue(char16_t c)
{
    if (isDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

[[noreturn]] void throwNotANumber(std::u16string_view trimmed)
{
    throw EConvertError("'" + toUtf8(trimmed) + "' is not a valid floating point value");
}

[[noreturn]] void throwNotAnInteger(std::u16string_view trimmed)
{
    throw EConvertError("''" + toUtf8(trimmed) + "'' is not a valid integer value");
}

// The fields have always refused numbers the 80-bit extended format cannot hold, as text that does not
// read, before the narrower double could report an overflow. That limit is where extended rounds to
// infinity: (2^65 - 1) * 2^16319, an integer of 4933 digits. Its leading digits, printed once with
// Python's exact integers:
//   sys.set_int_max_str_digits(10000); str((2**65 - 1) * 2**16319)[:40]
// Forty digits decide every realistic input; a number agreeing with all forty and carrying any further
// non-zero digit is taken as reaching the limit, although a few of those (the limit's 41st digit is 2)
// lie just below it.
constexpr std::string_view extendedLimitDigits = "1189731495357231765053511589829488667966";
constexpr std::int64_t extendedLimitExponent = 4933; // the limit is 0.118973... * 10^4933

// digits holds the mantissa's digits without the separator, starting at its first non-zero digit;
// exponent places them as 0.d1d2d3... * 10^exponent.
bool reachesExtendedLimit(std::string_view digits, std::int64_t exponent)
{
    if (exponent != extendedLimitExponent)
        return exponent > extendedLimitExponent;
    for (std::size_t i = 0; i < extendedLimitDigits.size(); ++i) {
        const char digit = i < digits.size() ? digits[i] : '0';
        if (digit != extendedLimitDigits[i])
            return digit > extendedLimitDigits[i];
    }
    return digits.size() > extendedLimitDigits.size() &&
           digits.substr(extendedLimitDigits.size()).find_first_not_of('0') != std::string_view::npos;
}

} // namespace

std::u16string_view trimText(std::u16string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] <= 32)
        ++begin;
    while (end > begin && text[end - 1] <= 32)
        --end;
    return text.substr(begin, end - begin);
}

double textToNumber(std::u16string_view text, char16_t decimalSeparator)
{
    const std::u16string_view trimmed = trimText(text);
    const std::size_t size = trimmed.size();
    std::size_t pos = 0;

    const bool negative = readSign(trimmed, pos);

    // The mantissa's digits are gathered without the separator; only their count before it matters.
    std::string digits;
    digits.reserve(size);
    while (pos < size && isDigit(trimmed[pos]))
        digits.push_back(static_cast<char>(trimmed[pos++]));
    const std::size_t integerDigits = digits.size();
    bool hasSeparator = false;
    if (pos < size && trimmed[pos] == decimalSeparator) {
        hasSeparator = true;
        ++pos;
        while (pos < size && isDigit(trimmed[pos]))
            digits.push_back(static_cast<char>(trimmed[pos++]));
    }
    if (digits.empty() && !hasSeparator)
        throwNotANumber(trimmed);

    // The exponent is read only as far as it can matter; its digits stop at a value of 500, so a long
    // run of them cannot overflow the accumulator, and any digit beyond that point makes the text wrong.
    int exponent = 0;
    if (pos < size && (trimmed[pos] == u'e' || trimmed[pos] == u'E')) {
        ++pos;
        const bool negativeExponent = readSign(trimmed, pos);
        while (pos < size && isDigit(trimmed[pos]) && exponent < 500)
            exponent = exponent * 10 + (trimmed[pos++] - u'0');
        if (negativeExponent)
            exponent = -exponent;
    }
    if (pos != size)
        throwNotANumber(trimmed);

    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos)
        return negative ? -0.0 : 0.0;
    const std::int64_t decimalExponent =
        static_cast<std::int64_t>(integerDigits) - static_cast<std::int64_t>(firstSignificant) + exponent;
    if (reachesExtendedLimit(std::string_view(digits).substr(firstSignificant), decimalExponent))
        throwNotANumber(trimmed);

    // from_chars rounds correctly and ignores the global locale, which Qt may have set to one with a
    // decimal comma.
    std::string plain;
    plain.reserve(digits.size() + 16);
    if (negative)
        plain.push_back('-');
    if (integerDigits == 0)
        plain.push_back('0');
    plain.append(digits, 0, integerDigits);
    plain.push_back('.');
    plain.append(digits, integerDigits, std::string::npos);
    plain.push_back('e');
    plain.append(std::to_string(exponent));

    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        // libstdc++ says the same for both ends of the range; the number's own magnitude tells which.
        if (decimalExponent > 0)
            throw EOverflow();
        return negative ? -0.0 : 0.0;
    }
    if (error != std::errc() || end != plain.data() + plain.size())
        throwNotANumber(trimmed);
    if (std::isinf(value))
        throw EOverflow();
    return value;
}

std::u16string numberToText(double value, char16_t decimalSeparator)
{
    if (value == 0.0)
        return u"0";

    // Eighteen correctly rounded digits first, then fifteen with a half rounding up. Rounding twice is
    // deliberate: it is how volumes have always been shown, and it differs from printf's single rounding
    // when the exact digits after the 15th fall just short of a half (207.39404488287649... shows ...877).
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                      std::chars_format::scientific, 17);
    // buffer reads d.ddddddddddddddddde[+-]x..
    std::string digits;
    digits.push_back(buffer[0]);
    digits.append(buffer.data() + 2, 17);
    int scientificExponent = 0;
    std::from_chars(buffer.data() + (buffer[20] == '+' ? 21 : 20), result.ptr, scientificExponent);

    const bool roundUp = digits[15] >= '5';
    digits.resize(15);
    int e = scientificExponent + 1; // value = 0.d1d2d3... * 10^e
    if (roundUp) {
        int i = 14;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++e;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);

    std::u16string text;
    if (value < 0)
        text.push_back(u'-');
    const auto appendDigits = [&text](std::string_view part) {
        for (char c : part)
            text.push_back(static_cast<char16_t>(c));
    };
    const std::string_view all(digits);
    if (e > 0 && e <= 15) {
        const std::size_t whole = static_cast<std::size_t>(e);
        appendDigits(all.substr(0, whole));
        if (all.size() > whole) {
            text.push_back(decimalSeparator);
            appendDigits(all.substr(whole));
        } else {
            text.append(whole - all.size(), u'0');
        }
    } else if (e <= 0 && e >= -3) {
        text.push_back(u'0');
        text.push_back(decimalSeparator);
        text.append(static_cast<std::size_t>(-e), u'0');
        appendDigits(all);
    } else {
        appendDigits(all.substr(0, 1));
        if (all.size() > 1) {
            text.push_back(decimalSeparator);
            appendDigits(all.substr(1));
        }
        text.push_back(u'E');
        appendDigits(std::to_string(e - 1));
    }
    return text;
}

std::int32_t textToInteger(std::u16string_view text)
{
    const std::u16string_view trimmed = trimText(text);
    const std::size_t size = trimmed.size();
    std::size_t pos = 0;

    const bool negative = readSign(trimmed, pos);

    bool hex = false;
    if (pos < size && (trimmed[pos] == u'$' || trimmed[pos] == u'x' || trimmed[pos] == u'X')) {
        hex = true;
        pos += 1;
    } else if (pos + 1 < size && trimmed[pos] == u'0' &&
               (trimmed[pos + 1] == u'x' || trimmed[pos + 1] == u'X')) {
        hex = true;
        pos += 2;
    }
    if (pos == size)
        throwNotAnInteger(trimmed);

    // Accumulation stops at the first step out of range, so any length of digits is read in one pass
    // without overflowing.
    std::uint64_t magnitude = 0;
    if (hex) {
        // A hexadecimal literal is a 32-bit pattern: $FFFFFFFF is -1, and a "-" negates that pattern.
        for (; pos < size; ++pos) {
            const int digit = hexValue(trimmed[pos]);
            if (digit < 0)
                throwNotAnInteger(trimmed);
            magnitude = magnitude * 16 + static_cast<std::uint64_t>(digit);
            if (magnitude > 0xFFFFFFFFu)
                throwNotAnInteger(trimmed);
        }
        std::uint32_t pattern = static_cast<std::uint32_t>(magnitude);
        if (negative)
            pattern = 0u - pattern;
        return static_cast<std::int32_t>(pattern);
    }

    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    for (; pos < size; ++pos) {
        if (!isDigit(trimmed[pos]))
            throwNotAnInteger(trimmed);
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(trimmed[pos] - u'0');
        if (magnitude > limit)
            throwNotAnInteger(trimmed);
    }
    return negative ? static_cast<std::int32_t>(0 - static_cast<std::int64_t>(magnitude))
                    : static_cast<std::int32_t>(magnitude);
}

std::string toUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}
