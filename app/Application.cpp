#include "app/Application.h"

#include "ExportOptions.h"
#include "FontStandIns.h"
#include "Unit1.h"
#include "app/ErrorReport.h"
#include "app/ProgramIcon.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv), Title(ApplicationTitle)
{
    setApplicationName(Title);
    // Lets the desktop match our windows to the installed menu entry and icon.
    setDesktopFileName(QStringLiteral("org.example.Tolvane"));
    // Set on the application, every window shows it without setting its own.
    setWindowIcon(programIcon());
    // Before any form exists, so none of them lays text out in a missing face.
    installEventFilter(new FontStandIns(this));
}

TApplication::~TApplication()
{
    DestroyForms();
}

void TApplication::CreateForms()
{
    CreateForm(form1_, Form1);
    // Hidden and bound to no record: no command of the main window opens it.
    CreateForm(exportOptionForm_, ExportOptionForm);
}

void TApplication::DestroyForms()
{
    // In the reverse order of creation.
    ExportOptionForm = nullptr;
    exportOptionForm_.reset();
    Form1 = nullptr;
    form1_.reset();
}

int TApplication::Run()
{
    try {
        CreateForms();
        form1_->show();
    } catch (...) {
        HandleException();
        DestroyForms();
        return 0;
    }
    exec();
    return 0;
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException();
        return false;
    }
}
