#pragma once

#include <QLabel>
#include <QStringList>
#include <QTest>
#include <QWindow>

#include <utility>

// A label's look as one line, so a failure shows all of it: the text colour, then the font's styles.
inline QString lookOf(const QLabel* label)
{
    const QFont font = label->font();
    QStringList look{label->palette().color(label->foregroundRole()).name()};
    for (const auto& [on, name] :
         {std::pair{font.bold(), "bold"}, std::pair{font.italic(), "italic"},
          std::pair{font.underline(), "underline"}, std::pair{font.strikeOut(), "strikeout"}})
        if (on)
            look << QString::fromLatin1(name);
    return look.join(u' ');
}

inline const QString hoverLook = QStringLiteral("#0000ff bold underline");

inline QString restingLook(const QString& colour)
{
    return colour + QStringLiteral(" bold");
}

// Moves the pointer, with no button held, to `position` on `widget`. The move goes to the widget's own
// window even where other windows overlap it.
inline void movePointer(QWidget* widget, QPoint position)
{
    QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(), widget->mapTo(window, position));
}
