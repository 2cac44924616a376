#pragma once

#include <QLocale>
#include <QString>
#include <QWidget>

#include <string_view>

// The number rules read UTF-16 text, which is what a QString holds, so they read it in place. The view
// is good only as long as `text` lives unchanged.
inline std::u16string_view viewOf(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// The separator follows the user's regional settings as the widget's locale has them. Every window reads
// it afresh for each conversion, so a change of settings while the program runs takes effect at once.
inline char16_t decimalSeparatorOf(const QWidget* widget)
{
    const QString point = widget->locale().decimalPoint();
    return point.isEmpty() ? u'.' : point.front().unicode();
}
