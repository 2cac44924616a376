// Holds textToInteger against a reference of its own: the text is taken apart by hand, and the C
// library's strtoll/strtoull convert the digits once their count is known to be safe.

#include "FuzzText.h"

#include "model/Exceptions.h"
#include "model/NumberFormat.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace {

bool isHexDigit(char16_t c)
{
    return isAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

std::optional<std::int32_t> readAsTheRulesSay(std::u16string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';

    bool hex = false;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        i += 1;
    } else if (text.substr(i, 2) == u"0x" || text.substr(i, 2) == u"0X") {
        hex = true;
        i += 2;
    }

    const std::u16string_view digits = text.substr(i);
    if (digits.empty())
        return std::nullopt;
    std::string plain;
    for (const char16_t c : digits) {
        if (!(hex ? isHexDigit(c) : isAsciiDigit(c)))
            return std::nullopt;
        if (!plain.empty() || c != u'0')
            plain += static_cast<char>(c);
    }
    if (plain.empty())
        plain = "0";

    if (hex) {
        // Eight hexadecimal digits at most: a 32-bit pattern, which "-" negates as a pattern.
        if (plain.size() > 8)
            return std::nullopt;
        std::uint32_t pattern = static_cast<std::uint32_t>(std::strtoull(plain.c_str(), nullptr, 16));
        if (negative)
            pattern = ~pattern + 1;
        return static_cast<std::int32_t>(pattern);
    }
    if (plain.size() > 10)
        return std::nullopt;
    const long long magnitude = std::strtoll(plain.c_str(), nullptr, 10);
    if (magnitude > (negative ? 2147483648LL : 2147483647LL))
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzText input = decodeFuzzText(data, size);
    const std::u16string_view trimmed = referenceTrim(input.text);
    const std::optional<std::int32_t> expected = readAsTheRulesSay(trimmed);
    const std::string notAnInteger = "''" + referenceUtf8(trimmed) + "'' is not a valid integer value";
    const std::string where = "text \"" + printable(input.text) + "\"";

    try {
        const std::int32_t value = textToInteger(input.text);
        if (!expected)
            fuzzFailure(where + ": read as " + std::to_string(value) + ", but it is no integer");
        if (value != *expected)
            fuzzFailure(where + ": read as " + std::to_string(value) + ", expected " +
                        std::to_string(*expected));
    } catch (const EConvertError& error) {
        if (expected)
            fuzzFailure(where + ": refused, expected " + std::to_string(*expected));
        if (error.message() != notAnInteger)
            fuzzFailure(where + ": message \"" + error.message() + "\", expected \"" + notAnInteger + "\"");
    } catch (const std::exception& error) {
        fuzzFailure(where + ": unexpected exception \"" + error.what() + "\"");
    }
    return 0;
}
