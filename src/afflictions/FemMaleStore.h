// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Page.h"

// The never-shown store page `frmFemMaleStore`: two rich-text boxes holding the
// formatted female and male definitions, from which the female/male page copies the
// one the user asks for. Its texts are part of its design, so they are there as soon as
// the page exists.
class FemMaleStore final : public Page
{
    Q_OBJECT
public:
    static constexpr const char *PageName = "frmFemMaleStore";
    explicit FemMaleStore(const PageInfo &info);
};
