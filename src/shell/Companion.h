// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The companion databank program Notara, which the main menu and both databank pages
// can start.
namespace companion {

// Finds and starts the companion program, or shows where to get it.
void launch();

// What a button of the page designs leads to: the named page, shown without blocking,
// or, for nullptr, the companion program.
void showPageOrLaunch(const char *page);

} // namespace companion
