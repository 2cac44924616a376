#pragma once

#include "Unit1.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QLineEdit;
class QPushButton;

// The main window as the tests drive it: made and shown by open(), gone after close(), its fields and
// buttons reached by their names.
class MainWindowDriver
{
public:
    // The spoon, then the baijiu cup's baijiu and red wine, then the red-wine cup's: the order of
    // fieldTexts(), setFieldTexts() and volumes().
    static const QStringList fieldOrder;

    // Makes the window and waits until it is on screen; the running test fails if it never gets there.
    void open();
    void close();

    TForm1* get() const { return form_.get(); }
    TForm1* operator->() const { return form_.get(); }

    QLineEdit* field(const QString& name) const;
    QPushButton* button(const QString& name) const;
    void click(const QString& name) const;

    QStringList fieldTexts() const;
    void setFieldTexts(const QStringList& texts) const;

    // The model's four volumes, in the order of their fields.
    QList<double> volumes() const;

private:
    std::unique_ptr<TForm1> form_;
};
