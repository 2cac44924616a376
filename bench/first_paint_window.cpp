#include "FirstPaint.h"
#include "Unit1.h"

// The program's start-up up to its first paint: the main window built, shown and painted once.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    TForm1 form;
    QuitAfterFirstPaint quit(&form);
    form.show();
    return application.exec();
}
