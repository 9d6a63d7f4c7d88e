// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "afflictions/ContentTables.h"
#include "shell/Page.h"

#include <QHash>

class QCursor;
class QGroupBox;
class QLabel;
class QPushButton;
class Picture;

// The acne sample page `frmSampleAcne`: it teaches how to narrow down the remedies of
// an affliction, first by cause (the five buttons of `Frame1`), then by main symptom
// (the four buttons of `fraOthers`), then by comparing the remedy pictures. The chosen
// remedy is the selection: its text in the blue box `lblRemedy`, its databank name in
// the unseen `lblRemedyInvisible` and the caption of `cmdOpenProfile`, which opens that
// remedy on the remedy page. Buttons, frames, pictures and selections all come from
// the acne tables.
class SampleAcnePage final : public Page
{
    Q_OBJECT
public:
    static constexpr const char *PageName = "frmSampleAcne";
    explicit SampleAcnePage(const PageInfo &info);

    // The message of every failing step of "Open profile".
    static QString noRecordMessage();

private:
    void buildChoiceFrame(QGroupBox *frame, const QString &frameName, const QCursor &pointer);
    void chooseCause(int index);
    void chooseSymptom(int index);
    void choosePicture(int index);
    void clearSelection();
    void setSelection(const QString &text, const QString &lookup, const QString &caption);
    void openProfile();

    QList<contenttables::AcneCause> m_causes;
    QList<contenttables::AcneSymptom> m_symptoms;
    QList<contenttables::AcnePicture> m_pictures;
    QHash<QString, QGroupBox *> m_frames;
    QGroupBox *m_howTo = nullptr;
    Picture *m_imgMain = nullptr;
    QLabel *m_lblRemedy = nullptr;
    QLabel *m_lblRemedyInvisible = nullptr;
    QPushButton *m_cmdOpenProfile = nullptr;
};
