// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Controls.h"

#include <QRgb>
#include <QString>
#include <QStringList>
#include <vector>

// The designs of the seven body-system pages as data: every control besides the
// affliction buttons (which come from the button tables), and what each panel switch
// does. BodySystemPage builds any of the seven pages from its design; the texts of the
// controls are the sections of the page's text file named after the controls.
struct BodySystemDesign {
    enum class Kind {
        Heading, // a centred bold title
        Label,   // a text that wraps
        Frame,   // a frame with the caption of its section
        Panel,   // a frame without caption or border
        Button,  // a button with the caption of its section
        Picture, // a drawing scaled into its place
        RichText // a read-only rich-text box
    };

    struct Control {
        Kind kind;
        const char *name;
        const char *parent; // nullptr: the page's content frame
        controls::Twips at; // relative to the parent
        double points = 0;  // 0: the page's font size
        bool bold = false;
        QRgb color = 0;       // 0: the palette's text colour
        bool hidden = false;  // hidden when the page is created
        const char *picture = nullptr; // Picture: file name under :/pictures/
        // Picture: the sections naming the parts the drawing labels itself,
        // comma-separated; they become its accessible description.
        const char *parts = nullptr;
        // Picture: what it shows, for its accessible name.
        const char *description = nullptr;
    };

    // What a button other than an affliction button does, in this order: hide, show,
    // copy a text of the store page, show another page. Names are comma-separated.
    struct Switch {
        const char *button;
        const char *hide = nullptr;
        const char *show = nullptr;
        const char *copyDefinitions = nullptr; // a rich-text box of frmFemMaleStore
        const char *page = nullptr;            // shown without blocking; this page stays open
    };

    const char *page;
    std::vector<Control> controls;
    std::vector<Switch> switches;
    // The box that receives the copied definitions.
    const char *definitionsBox = nullptr;
};

// The design of a body-system page; nullptr for any other name.
const BodySystemDesign *findBodySystemDesign(const QString &page);
// The seven pages, in main-menu order.
QStringList bodySystemPages();
