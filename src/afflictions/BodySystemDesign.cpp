// SPDX-License-Identifier: GPL-3.0-or-later
#include "afflictions/BodySystemDesign.h"

#include <iterator>

namespace {

using K = BodySystemDesign::Kind;
using Control = BodySystemDesign::Control;

constexpr QRgb Navy = qRgb(0x00, 0x00, 0x80);
constexpr QRgb DarkRed = qRgb(0x80, 0x00, 0x00);

// Places are in twips relative to the parent; the affliction buttons stand in the
// columns of button-grids.tsv, so everything else keeps to the space between them.
// clang-format off
const BodySystemDesign Designs[] = {
    {"frmEyes",
     {
         {K::Heading, "lblHeading", nullptr, {150, 60, 11580, 520}, 18, true, Navy},
         {K::Panel, "fraEye", nullptr, {2760, 645, 6700, 4755}},
         {.kind = K::Picture, .name = "imgEye", .parent = "fraEye", .at = {0, 0, 6700, 4755},
          .picture = "eye.svg",
          .parts = "lblCornea,lblLens,lblPupil,lblIris,lblRetina,lblMacula,lblFovea,lblOpticNerve,"
                   "lblBlindSpot,lblSclera",
          .description = "Cross-section of the eye"},
         {K::Frame, "fraNutrition", nullptr, {2760, 645, 6700, 4755}, 0, true, 0, true},
         {K::Label, "lblNutrition1", "fraNutrition", {180, 330, 6340, 540}},
         {K::Label, "lblNutrition2", "fraNutrition", {180, 880, 6340, 540}},
         {K::Label, "lblNutrition3", "fraNutrition", {180, 1430, 6340, 540}},
         {K::Label, "lblNutrition4", "fraNutrition", {180, 1980, 6340, 540}},
         {K::Label, "lblNutrition5", "fraNutrition", {180, 2530, 6340, 540}},
         {K::Label, "lblNutrition6", "fraNutrition", {180, 3080, 6340, 540}},
         {K::Label, "lblNutrition7", "fraNutrition", {180, 3630, 6340, 540}, 0, true, DarkRed},
         {K::Button, "cmdClose", "fraNutrition", {5270, 4230, 1250, 400}},
         {K::Frame, "fraTherapies", nullptr, {2760, 5500, 8970, 2250}, 0, true},
         {K::Label, "lblTherapy1", "fraTherapies", {150, 300, 4300, 450}, 9},
         {K::Label, "lblTherapy2", "fraTherapies", {150, 780, 4300, 450}, 9},
         {K::Label, "lblTherapy3", "fraTherapies", {150, 1260, 4300, 450}, 9},
         {K::Label, "lblTherapy4", "fraTherapies", {150, 1740, 4300, 450}, 9},
         {K::Label, "lblTherapy5", "fraTherapies", {4560, 300, 4300, 450}, 9},
         {K::Label, "lblTherapy6", "fraTherapies", {4560, 780, 4300, 450}, 9},
         {K::Label, "lblTherapy7", "fraTherapies", {4560, 1260, 4300, 450}, 9},
         {K::Button, "cmdNutrition", nullptr, {9600, 1400, 2130, 480}, 0, true},
         {K::Button, "cmdDefinitions", nullptr, {9600, 2000, 2130, 480}, 0, true},
         {K::Button, "cmdEyeCellSalts", nullptr, {9600, 2600, 2130, 620}, 0, true},
     },
     {
         {"cmdNutrition", "fraEye", "fraNutrition"},
         {"cmdClose", "fraNutrition", "fraEye"},
         {.button = "cmdDefinitions", .page = "frmDefinitions"},
         {.button = "cmdEyeCellSalts", .page = "frmEyeCellSalts"},
     }},

    {"frmHeart",
     {
         {K::Heading, "lblHeading", nullptr, {3300, 100, 5300, 520}, 16, true, Navy},
         {.kind = K::Picture, .name = "imgHeart", .parent = nullptr, .at = {3300, 690, 5300, 4300},
          .picture = "heart.svg",
          .parts = "lblAorta,lblTricuspidValve,lblBicuspidValve,lblAorticSemilunarValve,lblLeftAtrium,"
                   "lblLeftVentricle,lblRightAtrium,lblRightVentricle",
          .description = "Section through the heart"},
         {K::Frame, "fraSupport", nullptr, {3300, 5150, 5300, 2650}, 0, true},
         {K::Label, "lblSupport", "fraSupport", {150, 300, 5030, 2280}, 9},
         {K::Frame, "fraNutrients", nullptr, {8775, 4250, 2745, 1850}, 0, true},
         {K::Label, "lblNutrients", "fraNutrients", {120, 300, 2505, 1480}, 9},
         {K::Frame, "fraAvoid", nullptr, {8775, 6250, 2745, 1350}, 0, true},
         {K::Label, "lblAvoid", "fraAvoid", {120, 300, 2505, 950}, 9},
     },
     {}},

    {"frmDigestive",
     {
         {K::Heading, "lblHeading", nullptr, {3200, 40, 5500, 520}, 18, true, Navy},
         {K::Heading, "lblHeading2", nullptr, {300, 480, 2980, 450}, 11, true, Navy},
         {.kind = K::Picture, .name = "imgDigestive", .parent = nullptr, .at = {3200, 600, 5500, 5300},
          .picture = "digestive.svg",
          .parts = "lblLiver,lblGallbladder,lblPancreas,lblEsophagus,lblStomach,lblSpleen,lblAppendix,"
                   "lblDuodenum,lblSmallIntestine,lblAscendingColon,lblTransverseColon,lblRectum",
          .description = "The digestive tract"},
         {K::Button, "cmdDefinitionsDigestive", nullptr, {5050, 6200, 1800, 720}, 0, true},
     },
     {
         {.button = "cmdDefinitionsDigestive", .page = "frmDefinitionsDigestive"},
     }},

    {"frmSkin",
     {
         {K::Heading, "lblHeading", nullptr, {2750, 60, 6350, 520}, 18, true, Navy},
         {K::Panel, "fraSkin", nullptr, {2750, 630, 6350, 4800}},
         {.kind = K::Picture, .name = "imgSkin", .parent = "fraSkin", .at = {0, 0, 6350, 4800},
          .picture = "skin.svg",
          .parts = "lblEpidermis,lblDermis,lblSubcutis,lblSebaceousGland,lblEccrineSweatGland,lblArtery,lblVein",
          .description = "Section through the skin"},
         {K::Frame, "fraNutrition", nullptr, {2750, 630, 6350, 4800}, 0, true, 0, true},
         {K::Label, "lblNutritionIntro", "fraNutrition", {180, 300, 6000, 640}, 9},
         {K::Label, "lblProblem1", "fraNutrition", {400, 1000, 3000, 300}},
         {K::Label, "lblSalt1", "fraNutrition", {3500, 1000, 2600, 300}, 0, true, DarkRed},
         {K::Label, "lblProblem2", "fraNutrition", {400, 1330, 3000, 300}},
         {K::Label, "lblSalt2", "fraNutrition", {3500, 1330, 2600, 300}, 0, true, DarkRed},
         {K::Label, "lblProblem3", "fraNutrition", {400, 1660, 3000, 300}},
         {K::Label, "lblSalt3", "fraNutrition", {3500, 1660, 2600, 300}, 0, true, DarkRed},
         {K::Label, "lblProblem4", "fraNutrition", {400, 1990, 3000, 300}},
         {K::Label, "lblSalt4", "fraNutrition", {3500, 1990, 2600, 300}, 0, true, DarkRed},
         {K::Label, "lblProblem5", "fraNutrition", {400, 2320, 3000, 300}},
         {K::Label, "lblSalt5", "fraNutrition", {3500, 2320, 2600, 300}, 0, true, DarkRed},
         {K::Label, "lblProblem6", "fraNutrition", {400, 2650, 3000, 300}},
         {K::Label, "lblSalt6", "fraNutrition", {3500, 2650, 2600, 300}, 0, true, DarkRed},
         {K::Label, "lblProblem7", "fraNutrition", {400, 2980, 3000, 300}},
         {K::Label, "lblSalt7", "fraNutrition", {3500, 2980, 2600, 300}, 0, true, DarkRed},
         {K::Label, "lblProblem8", "fraNutrition", {400, 3310, 3000, 300}},
         {K::Label, "lblSalt8", "fraNutrition", {3500, 3310, 2600, 300}, 0, true, DarkRed},
         {K::Label, "lblProblem9", "fraNutrition", {400, 3640, 3000, 300}},
         {K::Label, "lblSalt9", "fraNutrition", {3500, 3640, 2600, 300}, 0, true, DarkRed},
         {K::Button, "cmdCloseSkin", "fraNutrition", {4900, 4200, 1250, 420}},
         {K::Frame, "fraNote", nullptr, {2750, 5550, 6350, 1650}, 0, true},
         {K::Label, "lblNote", "fraNote", {150, 300, 6050, 1300}, 9},
         {K::Button, "cmdNutrition", nullptr, {4650, 7320, 2550, 450}, 0, true},
     },
     {
         {"cmdNutrition", "fraSkin", "fraNutrition"},
         {"cmdCloseSkin", "fraNutrition", "fraSkin"},
     }},

    {"frmNerves",
     {
         {K::Heading, "lblHeading", nullptr, {2900, 390, 6090, 500}, 14, true, Navy},
         {.kind = K::Picture, .name = "imgNerves", .parent = nullptr, .at = {2900, 950, 6090, 6650},
          .picture = "nerves.svg",
          .parts = "lblBrain,lblCerebellum,lblSpinalCord,lblCranialNerves,lblCervicalNerves,lblThoracicNerves,"
                   "lblLumbarNerves,lblSacralNerves,lblSciaticNerve,lblUlnarNerve,lblMedianNerve,lblRadialNerve",
          .description = "The nervous system seen from behind"},
     },
     {}},

    {"frmBonesMuscles",
     {
         {K::Heading, "lblHeading", nullptr, {3000, 345, 5900, 500}, 14, true, Navy},
         {.kind = K::Picture, .name = "imgSkeleton", .parent = nullptr, .at = {3000, 900, 5900, 6200},
          .picture = "skeleton.svg", .parts = nullptr, .description = "The human skeleton"},
         {K::Button, "cmdShowSpine", nullptr, {3350, 7250, 2450, 450}, 0, true},
         {K::Button, "cmdGoutText", nullptr, {6100, 7250, 2450, 450}, 0, true},
         // The spine frame lies over the middle of the page, above the skeleton.
         {K::Frame, "fraSpine", nullptr, {3000, 345, 5900, 7400}, 0, false, 0, true},
         {.kind = K::Picture, .name = "imgSpine", .parent = "fraSpine", .at = {150, 300, 5600, 6400},
          .picture = "spine.svg", .parts = "lblCervical,lblThoracic,lblLumbar,lblSacrum,lblCoccyx",
          .description = "The spine seen from the side"},
         {K::Button, "cmdCloseSpine", "fraSpine", {4500, 6850, 1250, 420}},
     },
     {
         {"cmdShowSpine", nullptr, "fraSpine"},
         {"cmdCloseSpine", "fraSpine", nullptr},
         {.button = "cmdGoutText", .page = "frmGout1"},
     }},

    {"frmFemaleMale",
     {
         {K::Heading, "lblHeading", nullptr, {3300, 100, 5400, 520}, 14, true, Navy},
         {K::Heading, "lblFemale", nullptr, {180, 250, 3045, 400}, 12, true, Navy},
         {K::Heading, "lblMale", nullptr, {8790, 250, 2895, 400}, 12, true, Navy},
         {K::Panel, "fraDefinitions", nullptr, {3300, 695, 5400, 5900}, 0, false, 0, true},
         {K::RichText, "rtfDefinitions", "fraDefinitions", {0, 0, 5400, 5900}},
         // Lies over the definitions frame at the same place.
         {K::Panel, "fraFemaleMale", nullptr, {3300, 695, 5400, 5900}},
         {.kind = K::Picture, .name = "imgFemale", .parent = "fraFemaleMale", .at = {0, 1000, 2650, 3450},
          .picture = "female.svg", .parts = nullptr, .description = "Female reproductive organs"},
         {.kind = K::Picture, .name = "imgMale", .parent = "fraFemaleMale", .at = {2750, 1000, 2650, 3450},
          .picture = "male.svg", .parts = nullptr, .description = "Male reproductive organs"},
         {K::Button, "cmdFemDefinitions", nullptr, {3300, 6800, 1750, 450}, 0, true},
         {K::Button, "cmdMaleDefinitions", nullptr, {5125, 6800, 1750, 450}, 0, true},
         {K::Button, "cmdImage", nullptr, {6950, 6800, 1750, 450}, 0, true, 0, true},
     },
     {
         {"cmdFemDefinitions", "fraFemaleMale", "fraDefinitions,cmdImage", "rtfFemaleDef"},
         {"cmdMaleDefinitions", "fraFemaleMale", "fraDefinitions,cmdImage", "rtfMaleDef"},
         {"cmdImage", "fraDefinitions,cmdImage", "fraFemaleMale"},
     },
     "rtfDefinitions"},
};
// clang-format on

} // namespace

const BodySystemDesign *findBodySystemDesign(const QString &page)
{
    for (const BodySystemDesign &design : Designs) {
        if (page == QLatin1String(design.page))
            return &design;
    }
    return nullptr;
}

QStringList bodySystemPages()
{
    QStringList pages;
    for (const BodySystemDesign &design : Designs)
        pages.append(QString::fromLatin1(design.page));
    return pages;
}
