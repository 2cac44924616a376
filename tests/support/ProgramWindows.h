#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class TForm1;

// The program's windows by a short name, for tests that look at all of them alike. The main window lives
// as long as this object; a dialog is made over it when asked for and lives until the next one is.
class ProgramWindows
{
public:
    ProgramWindows();
    ~ProgramWindows();

    // "main", "about", "donation" or "export"; null for any other name.
    QWidget* window(const QString& name);
    static const QStringList names;

private:
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<QWidget> dialog_;
};
