// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// Starting the program: the application's names, the command line (only
// --maintenance), and the main menu, whose load action does the rest.
namespace startup {

// Sets up the running application from its arguments and shows the main menu.
// Returns false (and prints why) for an unknown argument.
bool start(const QStringList &arguments);

// The application's fonts: the designs' face for everything of ours, the desktop's
// font for the desktop's own windows (dialogs, menus, tips). Part of start().
void setFonts();

// After the event loop: destroys whatever pages remain.
void finish();

} // namespace startup
