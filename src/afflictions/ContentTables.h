// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The fixed content of the body-system pages and the acne sample page, read from the
// bundled tables and text files (content/tables, content/text). The pages hold no
// health texts, button keys or places of their own: they build themselves from these.
//
// Tables are tab-separated UTF-8 with one header line; columns are found by their
// header name, so a table may gain columns. A row that lacks a required field, or
// whose numbers do not read, is skipped and named in `error`; the rest of the table
// still loads. An unreadable file gives an empty result and the reason in `error`.
namespace contenttables {

// One affliction button of a body-system page, with its place resolved from the
// page's button grid.
struct AfflictionButton {
    QString control;
    QString caption;
    QString key; // the exact Affliction text the button opens
    QString tooltip;
    int column = 0; // 0: left (or only, or female) column; 1: right (male) column
    int row = 0;
    // Twips.
    int left = 0, top = 0, width = 0, height = 0;
};

// The affliction buttons of one page ("frmEyes", ...), in board order.
QList<AfflictionButton> afflictionButtons(const QString &page, QString *error = nullptr);
// The same from explicit files (tests, tools).
QList<AfflictionButton> afflictionButtons(const QString &page, const QString &buttonsPath,
                                          const QString &gridsPath, QString *error = nullptr);

struct AcneCause {
    QString button, caption, frame, frameCaption;
    QString selection, lookup, profileCaption; // all empty: the button clears the selection
};
struct AcneSymptom {
    QString button, caption, frame, frameCaption;
};
struct AcnePicture {
    QString picture, frame;
    QString selection, lookup, caption; // all empty: the picture takes no clicks
    QString file; // drawing in :/pictures/
    bool clickable() const { return !lookup.isEmpty() || !selection.isEmpty(); }
};

QList<AcneCause> acneCauses(QString *error = nullptr);
QList<AcneSymptom> acneSymptoms(QString *error = nullptr);
QList<AcnePicture> acnePictures(QString *error = nullptr);

// The texts of one page: sections, each started by a line "== name ==" and running to
// the next such line without its final line end. Names are control names, or terms
// on the glossary pages; the order is the file's.
class TextSections
{
public:
    struct Section {
        QString name;
        QString text;
    };

    static TextSections fromText(const QString &text);
    static TextSections load(const QString &path, QString *error = nullptr);
    // content/text/<page>.txt
    static TextSections forPage(const QString &page, QString *error = nullptr);

    bool contains(const QString &name) const;
    // The first section of that name; empty when there is none.
    QString text(const QString &name) const;
    const QList<Section> &sections() const { return m_sections; }
    QStringList names() const;

private:
    QList<Section> m_sections;
};

} // namespace contenttables
