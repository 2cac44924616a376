#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// What the fuzz targets share: how bytes become a field's text, and a UTF-8 encoder of our own to hold
// the error messages against.

struct FuzzText
{
    std::u16string text;
    char16_t separator = u'.';
};

// The first byte chooses how the rest becomes text. Bit 0 picks the decimal separator, "." or ",".
// Bit 1 picks the encoding: one code unit per byte, so that digits, control characters and NUL are cheap
// for the fuzzer to find, or little-endian byte pairs, which reach surrogates, U+3000, U+200F and every
// other code unit. So a seed file starting with "0" is a plain ASCII text read with ".".
inline FuzzText decodeFuzzText(const std::uint8_t* data, std::size_t size)
{
    FuzzText result;
    if (size == 0)
        return result;
    result.separator = (data[0] & 1) ? u',' : u'.';
    if (data[0] & 2) {
        for (std::size_t i = 1; i + 1 < size; i += 2)
            result.text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    } else {
        for (std::size_t i = 1; i < size; ++i)
            result.text.push_back(static_cast<char16_t>(data[i]));
    }
    return result;
}

// The oracle's own UTF-16 to UTF-8: code points first, a surrogate that is not part of a pair in the
// right order standing for U+FFFD, then the bytes.
inline std::string referenceUtf8(std::u16string_view text)
{
    std::u32string points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        const bool nextIsLow = i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (high && nextIsLow) {
            points.push_back(0x10000 + (unit - 0xD800) * 0x400 + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            points.push_back(0xFFFD);
        } else {
            points.push_back(unit);
        }
    }
    std::string bytes;
    for (const char32_t point : points) {
        if (point < 0x80) {
            bytes += static_cast<char>(point);
        } else if (point < 0x800) {
            bytes += static_cast<char>(0xC0 + point / 64);
            bytes += static_cast<char>(0x80 + point % 64);
        } else if (point < 0x10000) {
            bytes += static_cast<char>(0xE0 + point / 4096);
            bytes += static_cast<char>(0x80 + point / 64 % 64);
            bytes += static_cast<char>(0x80 + point % 64);
        } else {
            bytes += static_cast<char>(0xF0 + point / 262144);
            bytes += static_cast<char>(0x80 + point / 4096 % 64);
            bytes += static_cast<char>(0x80 + point / 64 % 64);
            bytes += static_cast<char>(0x80 + point % 64);
        }
    }
    return bytes;
}

// The oracle's trim: codes up to 32 go at both ends, nothing else does.
inline std::u16string_view referenceTrim(std::u16string_view text)
{
    while (!text.empty() && text.front() <= 32)
        text.remove_prefix(1);
    while (!text.empty() && text.back() <= 32)
        text.remove_suffix(1);
    return text;
}

inline bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A disagreement is a finding: say what differed, then abort so that libFuzzer keeps the input.
[[noreturn]] inline void fuzzFailure(const std::string& what)
{
    std::fprintf(stderr, "\nMISMATCH: %s\n", what.c_str());
    std::abort();
}

inline std::string printable(std::u16string_view text)
{
    std::string out;
    for (const char16_t c : text) {
        if (c >= 32 && c < 127) {
            out += static_cast<char>(c);
        } else {
            char code[16];
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
            out += code;
        }
    }
    return out;
}
