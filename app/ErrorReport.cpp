#include "app/ErrorReport.h"

#include "model/Exceptions.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace {

// A message quotes the text that failed, and a field holds as much as is pasted into it. A box laying
// out a megabyte of one unbroken word blocks the program for seconds and shows a person nothing more
// than a line cut off at the box's edge, so the box keeps the message's two ends and drops its middle.
// The exception's own message stays whole.
constexpr qsizetype longestShownMessage = 1000;
constexpr qsizetype shownEnd = 400;

QString elideMiddle(const QString& message)
{
    if (message.size() <= longestShownMessage)
        return message;
    qsizetype headEnd = shownEnd;
    qsizetype tailStart = message.size() - shownEnd;
    // A character outside the BMP is two code units; the cut never splits it.
    if (message.at(headEnd - 1).isHighSurrogate() && message.at(headEnd).isLowSurrogate())
        ++headEnd;
    if (message.at(tailStart).isLowSurrogate() && message.at(tailStart - 1).isHighSurrogate())
        --tailStart;
    return message.first(headEnd) + QChar(0x2026) + message.sliced(tailStart);
}

} // namespace

QString errorBoxText(const QString& message)
{
    const QString shown = elideMiddle(message);
    if (!shown.isEmpty() && shown.back() > QLatin1Char('.'))
        return shown + QLatin1Char('.');
    return shown;
}

void ShowException(const Exception& error)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, errorBoxText(QString::fromUtf8(error.message())),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}

void HandleException()
{
    // A half-finished mouse action ends before the box takes over.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    try {
        throw;
    } catch (const Exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(Exception(std::string()));
    }
}
