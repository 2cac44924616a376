#include "app/Application.h"

#include "ExportOptions.h"
#include "Unit1.h"
#include "app/ErrorReport.h"

#include <QFont>
#include <QIcon>

namespace {

// Every size that is drawn, so a title bar, a task bar or a switcher picks a sharp one instead of a
// scaled one.
QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/tolvane-%1.png").arg(size), QSize(size, size));
    return icon;
}

// The forms are laid out for MS Sans Serif and Tahoma, their labels just as wide as their captions in
// them. Where they are missing, the generic fallback font is a good deal wider and cuts the captions
// off; Liberation Sans Narrow comes close to MS Sans Serif's widths, Liberation Sans to Tahoma's.
// Installed fonts win over a substitute, so this changes nothing where the fonts exist.
void substituteMissingFonts()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv), Title(ApplicationTitle)
{
    setApplicationName(Title);
    // Lets the desktop match our windows to the installed menu entry and icon.
    setDesktopFileName(QStringLiteral("org.example.Tolvane"));
    // Set on the application, every window shows it without setting its own.
    setWindowIcon(programIcon());
    substituteMissingFonts();
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
