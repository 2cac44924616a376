#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The number rules of the value fields. Texts are UTF-16, as on screen; the decimal separator is the
// user's regional one and is passed in, so these rules need no window and no global locale.

// Removes every leading and trailing character whose code is 32 or less. Other white space stays.
std::u16string_view trimText(std::u16string_view text);

// Reads a field. Throws EConvertError "'%s' is not a valid floating point value" (%s the trimmed text)
// for text that is not a number, and EOverflow for a number beyond the largest double.
double textToNumber(std::u16string_view text, char16_t decimalSeparator);

// Shows a volume: general format with 15 significant digits.
std::u16string numberToText(double value, char16_t decimalSeparator);

// Reads an integer setting: trimmed, decimal with an optional sign, or hexadecimal after "$", "x" or
// "0x". Throws EConvertError "''%s'' is not a valid integer value" unless it fits 32 signed bits.
std::int32_t textToInteger(std::u16string_view text);

// UTF-16 to UTF-8 for messages; a lone surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
