// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Page;
struct PageInfo;

using PageFactory = Page *(*)(const PageInfo &info);

// One row of the page table: what the framework needs to know about a page before it
// exists. Sizes are the designed client area in twips.
struct PageInfo {
    const char *name;
    const char *caption;
    int clientWidth;
    int clientHeight;
    bool fullSize;      // rescaled with the window, designed for an 800 x 600 screen
    bool hasLoad;       // has a load action at all
    bool move;          // load step: to the top-left corner of the screen
    bool folder;        // load step: the program folder becomes the working directory
    bool mode;          // load step: take the main menu's screen mode
    bool workBeforeMode; // the page's own load work runs between the folder and mode steps
    bool escapeEnds;    // Escape closes the page and ends the program
    bool flickerGuard;  // content frame hidden while the window is being resized
    PageFactory create; // nullptr: a plain page carrying the caption until it is built
};

// The table of every page of the program.
const PageInfo *findPageInfo(const QString &name);
int pageCount();
const PageInfo &pageInfoAt(int index);
