#pragma once

#include <QIcon>

// The program's picture at every size it is drawn in, so a title bar, a task bar or a switcher picks a
// sharp one instead of a scaled one. The files are read the first time the icon is drawn, not when it is
// made: most platforms never draw a window's icon, and reading all eight slowed every start.
QIcon programIcon();
