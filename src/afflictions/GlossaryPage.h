// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Page.h"

class QScrollArea;

// The glossary pages (`frmDefinitions` for eye diseases, `frmDefinitionsDigestive` for
// the digestive system) are one class fed by the page's text file: each section is a
// term and its definition, shown as a pair of labels with a drawn line under it, in a
// list that scrolls when it is longer than the page. A glossary may end with a side
// frame (the ginger frame of the digestive glossary) whose sections follow the terms.
class GlossaryPage final : public Page
{
    Q_OBJECT
public:
    explicit GlossaryPage(const PageInfo &info);

    // The terms in display order.
    QStringList terms() const { return m_terms; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QScrollArea *m_scroll = nullptr;
    QStringList m_terms;
};
