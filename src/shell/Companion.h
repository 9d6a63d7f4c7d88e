// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The companion databank program Notara, which the main menu and both databank pages
// can start.
namespace companion {

// Finds and starts the companion program, or shows where to get it.
void launch();

} // namespace companion
