// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/RemedyPrintout.h"

namespace remedyprintout {
namespace {

// clang-format off
// The headings differ from the page's labels in places ("Abdomen: " for "Stomach /
// Abdomen"); the printout keeps its own.
constexpr Section Sections[] = {
    {"Homeopathic Remedy: ", "txtHomeoName"},
    {"English Name: ",       "txtEnglish"},
    {"Afflictions: ",        "txtAfflictionsDec"},
    {"Modalities: ",         "txtModalities"},
    {"Abdomen: ",            "txtAbdomen"},
    {"Mind: ",               "txtMind"},
    {"Skin: ",               "txtSkin"},
    {"Fever: ",              "txtFever"},
    {"Circulation: ",        "txtCirculatory"},
    {"Pain: ",               "txtPain"},
    {"Throat: ",             "txtThroat"},
    {"Back: ",               "txtBack"},
    {"Eyes: ",               "txtEyes"},
    {"Ears: ",               "txtEars"},
    {"Face: ",               "txtFace"},
    {"Mouth: ",              "txtMouth"},
    {"Nose: ",               "txtNose"},
    {"Respiration: ",        "txtRespiratory"},
    {"Female: ",             "txtFemale"},
    {"Male: ",               "txtMale"},
    {"Urine: ",              "txtUrine"},
    {"Extremities: ",        "txtExtremities"},
    {"Stool: ",              "txtStool"},
    {"Additional: ",         "txtAdditional"},
    {"Potency: ",            "txtPotency"},
};
// clang-format on

const QString NL = QStringLiteral("\r\n");

QString withCrLf(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), NL);
    return text;
}

} // namespace

std::span<const Section> sections()
{
    return Sections;
}

QString compose(const std::function<QString(const QString &box)> &textOf)
{
    QString out;
    int index = 0;
    for (const Section &section : Sections) {
        const QString heading = QString::fromLatin1(section.heading);
        const QString text = withCrLf(textOf(QString::fromLatin1(section.box)));
        if (index++ < NameLines)
            out += heading + text + NL;
        else
            out += NL + heading + NL + text + NL;
    }
    return out;
}

} // namespace remedyprintout
