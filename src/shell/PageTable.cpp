// SPDX-License-Identifier: GPL-3.0-or-later
// The table of every page: caption, designed client area, load steps, Escape rule and
// flicker guard. A page whose class is not built yet opens as a plain page with its
// caption.
#include "shell/PageInfo.h"

#include "afflictions/AfflictionsPage.h"
#include "afflictions/BodySystemPage.h"
#include "afflictions/FemMaleStore.h"
#include "afflictions/GlossaryPage.h"
#include "afflictions/SampleAcnePage.h"
#include "databank/RemedyPage.h"
#include "databank/SearchPage.h"
#include "shell/MainMenu.h"
#include "shell/PrintPage.h"
#include "shell/SettingsPage.h"

#include <QString>
#include <iterator>

namespace {

template<class T>
Page *make(const PageInfo &info)
{
    return new T(info);
}

constexpr int FullW = 11880, FullH = 8010;

// clang-format off
//  name, caption, client w, h, full-size, load, move, folder, mode, work before mode, Escape, flicker guard, class
constexpr PageInfo Pages[] = {
    {"frmMenu", "Simillon by Korvalis", FullW, FullH, true, true, true, true, true, true, false, false, &make<MainMenu>},
    {"frmSettings", "Settings", 6705, 3570, false, false, false, false, false, false, false, false, &make<SettingsPage>},
    {"frmResize", "Resize", 3795, 1740, false, false, false, false, false, false, false, false, &make<ResizeNotice>},
    {"frmPrint", "Print Preview", 8055, 6105, false, false, false, false, false, false, false, false, &make<PrintPage>},
    {"frmPath", "Application Path", 7000, 6000, false, false, false, false, false, false, false, false, nullptr},
    {"frmDownloadNotara", "Download Notara", 8000, 6500, false, false, false, false, false, false, false, false, nullptr},
    {"frmReadFirst", "Introduction - Read First", 9000, 7000, false, false, false, false, false, false, false, false, nullptr},
    {"frmHomeoIntro", "Introduction 1/6", FullW, FullH, true, true, false, false, true, false, true, true, nullptr},
    {"frmHomeoIntro2", "Introduction 2/6", FullW, FullH, true, true, false, false, true, false, true, true, nullptr},
    {"frmHomeoIntro3", "Introduction 3/6", FullW, FullH, true, true, false, false, true, false, false, true, nullptr},
    {"frmHomeoIntro4", "Introduction 4/6", FullW, FullH, true, true, false, false, true, false, false, true, nullptr},
    {"frmHomeoIntro5", "Introduction 5/6", FullW, FullH, true, true, false, false, true, false, false, true, nullptr},
    {"frmHomeoIntro6", "Introduction 6/6", FullW, FullH, true, true, false, false, true, false, false, true, nullptr},
    {"frmHelp1", "General Help: How to use Simillon 1/2", FullW, FullH, true, true, false, false, true, false, true, true, nullptr},
    {"frmHelp2", "Help: How to use Simillon 2/2", FullW, FullH, true, true, false, false, true, false, true, true, nullptr},
    {"frmNutrition1", "Improving the Rate of Success", FullW, FullH, true, true, false, false, true, false, false, true, nullptr},
    {"frmMagicPill", "Nutrition - The Magic Pill", FullW, FullH, true, true, false, false, true, false, false, false, nullptr},
    {"frmDisclaimer", "Disclaimer /  Licence Agreement", 9000, 7000, false, true, false, false, false, false, true, false, nullptr},
    {"frmAbout", "AboutBox", 6000, 4000, false, false, false, false, false, false, false, false, nullptr},
    {"frmHistory", "History of Changes", 8000, 6000, false, false, false, false, false, false, false, false, nullptr},
    {"frmSources", "Sources/Research", 9000, 7000, false, true, true, false, false, false, false, false, nullptr},
    {"frmSuchTip", "SearchTip", 6000, 2500, false, false, false, false, false, false, false, false, nullptr},
    {"frmNamesTip", "NamesTip", 6000, 2500, false, false, false, false, false, false, false, false, nullptr},
    {"frmGout1", "Discourse: Gout 1/4", FullW, FullH, true, true, true, false, true, false, false, false, nullptr},
    {"frmGout2", "Discourse: Gout 2/4", FullW, FullH, true, true, true, false, true, false, false, false, nullptr},
    {"frmGout3", "Discourse: Gout 3/4", FullW, FullH, true, true, true, false, true, false, false, false, nullptr},
    {"frmGout4", "Discourse: Gout 4/4", FullW, FullH, true, true, true, false, true, false, false, false, nullptr},
    {"frmSupport", "Support Form", 9510, 5925, false, true, false, true, false, false, false, false, nullptr},
    {"frmProgramsBooks", "Korvalis Products", 8000, 6000, false, false, false, false, false, false, false, false, nullptr},
    {"frmHomeo", "Materia Medica: Remedies and Symptoms", FullW, FullH, true, true, true, true, true, false, true, false, &make<RemedyPage>},
    {"frmSearch", "Search Simillon's Main Databanks", 6975, 5895, false, true, true, true, false, false, true, false, &make<SearchPage>},
    {"frmAfflictions", "Afflictions Database", FullW, FullH, true, true, true, true, true, true, true, false, &make<AfflictionsPage>},
    {"frmEyes", "Eye Problems", FullW, FullH, true, true, true, true, true, false, false, true, &make<BodySystemPage>},
    {"frmHeart", "Cardiovascular Problems", FullW, FullH, true, true, false, true, true, false, false, true, &make<BodySystemPage>},
    {"frmDigestive", "Digestive System", FullW, FullH, true, true, false, true, true, false, false, true, &make<BodySystemPage>},
    {"frmSkin", "Skin Problems", FullW, FullH, true, true, true, true, true, false, false, true, &make<BodySystemPage>},
    {"frmNerves", "Nervous System Problems - Mental Problems", FullW, FullH, true, true, true, true, true, false, false, false, &make<BodySystemPage>},
    {"frmBonesMuscles", "Problems with Bones and Muscles", FullW, FullH, true, true, false, false, true, false, false, true, &make<BodySystemPage>},
    {"frmFemaleMale", "Specific Female / Male Problems", FullW, FullH, true, true, true, true, true, false, false, false, &make<BodySystemPage>},
    {"frmDefinitions", "Definitions: Eye diseases", FullW, FullH, true, true, true, true, true, false, false, false, &make<GlossaryPage>},
    {"frmDefinitionsDigestive", "Definitions: Digestive System", FullW, FullH, true, true, true, true, true, false, false, false, &make<GlossaryPage>},
    {"frmFemMaleStore", "Form1", 6000, 4000, false, false, false, false, false, false, false, false, &make<FemMaleStore>},
    {"frmSampleAcne", "Instructions for Choosing a 'Best Match' Remedy - Affliction Acne used as Example", FullW, FullH, true, true, false, false, true, false, false, false, &make<SampleAcnePage>},
    {"frmCellSalts", "Cell Salts", FullW, FullH, true, true, true, true, true, false, false, true, nullptr},
    {"frmCalcFluor", "Calc. Fluor", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmCalcPhos", "Calc. Phos.", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmCalcSulph", "Calc. Sulph.", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmFerrPhos", "Ferr. Phos.", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmKaliMur", "Kali. Mur.", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmKaliPhos", "Kali. Phos.", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmKaliSulph", "Kali. Sulph.", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmMagPhos", "Mag. Phos.", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmNatMur", "Nat. Mur", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmNatPhos", "Nat. Phos.", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmNatSulph", "Nat. Sulph.", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmSilica", "Silica", 6990, 3255, false, false, false, false, false, false, false, false, nullptr},
    {"frmIntroCellSalts", "Cell Salts 1/2", FullW, FullH, true, true, false, true, true, false, false, true, nullptr},
    {"frmIntroCellSalts2", "Cell Salts Introduction 2/2", FullW, FullH, true, true, false, true, true, false, false, true, nullptr},
    {"frmHelpSalts", "Help with Cell Salts", 7305, 5970, false, false, false, false, false, false, false, false, nullptr},
    {"frmEyeCellSalts", "Cell Salts for Eye Conditions", FullW, FullH, true, true, true, true, true, false, false, false, nullptr},
    {"frmTongueIndicator", "Homeopathic Tongue Indicator", FullW, FullH, true, true, true, true, true, false, false, false, nullptr},
    {"frmTongue", "Diagnostics Aids: Tongue", 11910, 8040, true, true, false, true, true, false, true, true, nullptr},
};
// clang-format on

} // namespace

const PageInfo *findPageInfo(const QString &name)
{
    for (const PageInfo &info : Pages) {
        if (name == QLatin1String(info.name))
            return &info;
    }
    return nullptr;
}

int pageCount()
{
    return int(std::size(Pages));
}

const PageInfo &pageInfoAt(int index)
{
    return Pages[index];
}
