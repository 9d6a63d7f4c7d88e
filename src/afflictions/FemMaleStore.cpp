// SPDX-License-Identifier: GPL-3.0-or-later
#include "afflictions/FemMaleStore.h"

#include "platform/Controls.h"
#include "platform/RichTextBox.h"

FemMaleStore::FemMaleStore(const PageInfo &info)
    : Page(info)
{
    struct Store {
        const char *box;
        const char *document;
        controls::Twips at;
    };
    static constexpr Store Stores[] = {
        {"rtfFemaleDef", ":/documents/FemaleDefinitions.rtf", {120, 120, 2820, 3700}},
        {"rtfMaleDef", ":/documents/MaleDefinitions.rtf", {3060, 120, 2820, 3700}},
    };
    for (const Store &s : Stores) {
        auto *box = new RichTextBox(this);
        box->setObjectName(QString::fromLatin1(s.box));
        box->setReadOnly(true);
        controls::place(box, s.at);
        if (!box->loadFile(QString::fromLatin1(s.document)))
            qWarning("FemMaleStore: %s does not load", s.document);
    }
}
