#include "app/ErrorReport.h"

#include "model/Exceptions.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
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
