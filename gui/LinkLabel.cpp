#include "LinkLabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    // Moves arrive with no button held, so the look can follow the pointer.
    setMouseTracking(true);
    showResting();
}

void LinkLabel::setRestingColor(const QColor& color)
{
    restingColor_ = color;
    showResting();
}

void LinkLabel::showHover()
{
    showLook(QColor(0, 0, 255), true);
}

void LinkLabel::showResting()
{
    showLook(restingColor_, false);
}

// The style is set whole, not toggled: italic or strike-out given to the label elsewhere never survive
// a change of look.
void LinkLabel::showLook(const QColor& color, bool underline)
{
    QFont look = font();
    look.setBold(true);
    look.setItalic(false);
    look.setUnderline(underline);
    look.setStrikeOut(false);
    setFont(look);

    QPalette colours = palette();
    colours.setColor(foregroundRole(), color);
    setPalette(colours);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT hovered();
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event)
{
    Q_EMIT left();
    QLabel::leaveEvent(event);
}

// Taking the press keeps the release with this label, wherever the pointer goes in between.
void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    else
        QLabel::mouseReleaseEvent(event);
}
