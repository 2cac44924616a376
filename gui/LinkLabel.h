#pragma once

#include "app/ErrorReport.h"

#include <QColor>
#include <QLabel>

// A label that reads as a web link. It only reports what the mouse does: every move over it, leaving it,
// and a left click released on it. Its form's handlers decide what follows, and show the look through
// showHover() and showResting(). At rest it is bold and in its resting colour (black unless the form
// says otherwise); hovered it is blue, bold and underlined.
class LinkLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QColor restingColor READ restingColor WRITE setRestingColor)

public:
    explicit LinkLabel(QWidget* parent = nullptr);

    QColor restingColor() const { return restingColor_; }
    // Shows the resting look in the new colour.
    void setRestingColor(const QColor& color);

    void showHover();
    void showResting();

Q_SIGNALS:
    void hovered();
    void left();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showLook(const QColor& color, bool underline);

    QColor restingColor_ = Qt::black;
};

// Connects a link's three events to its form's handlers, each run under the program's error report.
template <typename Form>
void connectLink(LinkLabel* link, Form* form, void (Form::*click)(), void (Form::*move)(),
                 void (Form::*leave)())
{
    connectHandler(link, &LinkLabel::clicked, form, click);
    connectHandler(link, &LinkLabel::hovered, form, move);
    connectHandler(link, &LinkLabel::left, form, leave);
}
