#include "FirstPaint.h"
#include "app/Application.h"

// The program's own start-up up to its first paint: the application object creates both forms and
// shows the main window, exactly as the program does.
int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    QuitAfterFirstPaint quit(QStringLiteral("Form1"));
    return application.Run();
}
