#include "support/ProgramWindows.h"

#include "About.h"
#include "DonationForm.h"
#include "ExportOptions.h"
#include "Unit1.h"

const QStringList ProgramWindows::names{"main", "about", "donation", "export"};

ProgramWindows::ProgramWindows() : main_(std::make_unique<TForm1>()) {}

ProgramWindows::~ProgramWindows() = default;

QWidget* ProgramWindows::window(const QString& name)
{
    dialog_.reset();
    if (name == "main")
        return main_.get();
    if (name == "about")
        dialog_ = std::make_unique<TAboutBox>(main_.get());
    else if (name == "donation")
        dialog_ = std::make_unique<TDonationBox>(main_.get());
    else if (name == "export")
        dialog_ = std::make_unique<TExportOptionForm>(main_.get());
    return dialog_.get();
}
