// SPDX-License-Identifier: GPL-3.0-or-later
// The acne sample page: its start state, the cause and symptom buttons, the remedy
// pictures and their selections, and "Open profile" on the remedy databank.
#include "TestProgram.h"

#include "afflictions/ContentTables.h"
#include "afflictions/SampleAcnePage.h"
#include "platform/DataControl.h"
#include "platform/Picture.h"
#include "platform/Twips.h"
#include "shell/MainMenu.h"
#include "shell/PageManager.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QString PageName = QStringLiteral("frmSampleAcne");
const QStringList ChoiceFrames = {"fraPuberty", "fraHormones", "fraNutrition", "fraLymph", "fraOthers",
                                  "fraFace",    "fraAllergies", "fraInflamed", "fraDrySkin"};

PageManager &pages()
{
    return PageManager::instance();
}

Page *acnePage()
{
    return pages().show(PageName);
}

template<class T = QWidget>
T *child(const QString &name)
{
    T *found = acnePage()->findChild<T *>(name);
    if (!found)
        qWarning("no %s", qPrintable(name));
    return found;
}

void press(const QString &button)
{
    if (auto *b = child<QPushButton>(button))
        b->click();
}

void clickPicture(const QString &name)
{
    if (auto *p = child<Picture>(name))
        QTest::mouseClick(p, Qt::LeftButton, {}, p->rect().center());
}

// The three texts of the selection.
QStringList selection()
{
    return {child<QLabel>(QStringLiteral("lblRemedy"))->text(),
            child<QLabel>(QStringLiteral("lblRemedyInvisible"))->text(),
            child<QPushButton>(QStringLiteral("cmdOpenProfile"))->text()};
}

QStringList shownFrames()
{
    QStringList shown;
    for (const QString &f : ChoiceFrames) {
        if (child(f)->isVisible())
            shown << f;
    }
    return shown;
}

DataControl *remedyCursor()
{
    Page *remedy = pages().existing(QStringLiteral("frmHomeo"));
    return remedy ? remedy->findChild<DataControl *>(QStringLiteral("datHomeopathy")) : nullptr;
}

} // namespace

class TestSampleAcne : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { twips::setDpiForTesting(96); }

    void startState()
    {
        TestProgram program;
        Page *page = acnePage();
        QCOMPARE(page->windowTitle(),
                 QStringLiteral("Instructions for Choosing a 'Best Match' Remedy - Affliction Acne used as Example"));
        QCOMPARE(child<QLabel>("lblTitle")->text(),
                 QStringLiteral("How to Choose a 'Best Match' Remedy in the Afflications Databank (example: Acne)"));
        QCOMPARE(child<QGroupBox>("fraSampleRemedy")->title(),
                 QStringLiteral("Inside Afflictions the name of the remedy (on this page blue box below) is "
                                "displayed above the main symptoms. "));
        QCOMPARE(child<QGroupBox>("fraSampleHowTo")->title(), QStringLiteral("How it works"));
        QVERIFY(child("fraSampleHowTo")->isVisible());
        QVERIFY(child("imgMain")->isVisible());
        QVERIFY(child<Picture>("imgMain")->isValid());
        QCOMPARE(shownFrames(), QStringList());
        QCOMPARE(selection(), QStringList({"", "", ""}));
        QCOMPARE(child<QLabel>("lblVerify")->text(), QStringLiteral("If uncertain verify by checking the profile."));
        for (int i = 1; i <= 5; ++i)
            QVERIFY(!child<QLabel>(QStringLiteral("lblHowTo%1").arg(i))->text().isEmpty());
        // No text is cut off at the designed size.
        for (const QLabel *l : page->findChildren<QLabel *>()) {
            if (!l->text().isEmpty())
                QVERIFY2(l->heightForWidth(l->width()) <= l->height(), qPrintable(l->objectName()));
        }
        QVERIFY(child<QLabel>("lblHowTo3")->text().contains(
            QStringLiteral("Kali Bromatum; Hepar Sulphuris Calc; Thuja; Arsenicum Bromatum; Pulsatilla.")));

        const QPalette blue = child("lblRemedy")->palette();
        QCOMPARE(blue.color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(blue.color(QPalette::Window), QColor(0x00, 0x79, 0xC0));
        const QPalette hidden = child("lblRemedyInvisible")->palette();
        QCOMPARE(hidden.color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(hidden.color(QPalette::Window), QColor(Qt::white));

        // The buttons as the tables give them, in their frames.
        for (const auto &c : contenttables::acneCauses()) {
            QCOMPARE(child<QPushButton>(c.button)->text(), c.caption);
            QCOMPARE(child(c.button)->parentWidget()->objectName(), QStringLiteral("Frame1"));
            QCOMPARE(child<QGroupBox>(c.frame)->title(), c.frameCaption);
        }
        for (const auto &s : contenttables::acneSymptoms()) {
            QCOMPARE(child<QPushButton>(s.button)->text(), s.caption);
            QCOMPARE(child(s.button)->parentWidget()->objectName(), QStringLiteral("fraOthers"));
            QCOMPARE(child<QGroupBox>(s.frame)->title(), s.frameCaption);
        }
        // Everything inside the content frame, and "Close" hides the explanation.
        for (QWidget *w : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QCOMPARE(w, page->content());
        press(QStringLiteral("cmdClose"));
        QVERIFY(!child("fraSampleHowTo")->isVisible());
        QVERIFY(child("imgMain")->isVisible());
    }

    // A cause shows its frame alone and sets or clears the selection, whatever was
    // shown or chosen before.
    void causeButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QStringList>("chosen");
        const QStringList none{"", "", ""};
        QTest::newRow("puberty") << "cmdPuberty" << "fraPuberty" << none;
        QTest::newRow("hormones") << "cmdHormones" << "fraHormones"
                                  << QStringList{"Pulsatilla  |  Pasqueflower", "Pulsatilla",
                                                 "Open profile for Pulsatilla"};
        QTest::newRow("nutrition") << "cmdNutrition" << "fraNutrition"
                                   << QStringList{"Sepia  |  Ink of Cuttlefish", "Sepia", "Open profile for Sepia"};
        QTest::newRow("lymph") << "cmdLymph" << "fraLymph" << none;
        QTest::newRow("others") << "cmdOthers" << "fraOthers" << none;
    }
    void causeButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, frame);
        QFETCH(QStringList, chosen);
        TestProgram program;
        // Before: a symptom frame shown and a picture chosen in it.
        press(QStringLiteral("cmdOthers"));
        press(QStringLiteral("cmdRedItchy"));
        clickPicture(QStringLiteral("imgApisMellifica"));
        QCOMPARE(shownFrames(), QStringList{"fraInflamed"});
        QCOMPARE(selection().at(1), QStringLiteral("Apis mellifica"));

        press(button);
        QCOMPARE(shownFrames(), QStringList{frame});
        QVERIFY(!child("fraSampleHowTo")->isVisible());
        QVERIFY(!child("imgMain")->isVisible());
        QCOMPARE(selection(), chosen);
    }

    // A symptom shows its frame instead of "Others" and clears the selection.
    void symptomButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("frame");
        QTest::newRow("red, stinging") << "cmdRedSting" << "fraFace";
        QTest::newRow("allergies") << "cmdAllergies" << "fraAllergies";
        QTest::newRow("red, itching") << "cmdRedItchy" << "fraInflamed";
        QTest::newRow("dry skin") << "cmdDrySkin" << "fraDrySkin";
    }
    void symptomButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, frame);
        TestProgram program;
        press(QStringLiteral("cmdOthers"));
        clickPicture(QStringLiteral("imgAbrotanum"));
        QCOMPARE(selection(), QStringList({"Abrotanum  |  Southernwood", "Abrotanum", "Open profile for Abrotanum"}));
        press(button);
        QCOMPARE(shownFrames(), QStringList{frame});
        QCOMPARE(selection(), QStringList({"", "", ""}));
    }

    // Every clickable picture chooses its remedy: the caption names the lookup name,
    // except for Hepar sulphuris, whose caption keeps the short name.
    void everyPictureChoosesItsRemedy()
    {
        TestProgram program;
        acnePage();
        int clickable = 0;
        for (const auto &p : contenttables::acnePictures()) {
            auto *picture = child<Picture>(p.picture);
            QVERIFY(picture);
            QVERIFY2(picture->isValid(), qPrintable(p.picture));
            QCOMPARE(picture->parentWidget()->objectName(), p.frame);
            child(p.frame)->show();
            const QStringList before = selection();
            clickPicture(p.picture);
            if (!p.clickable()) {
                QCOMPARE(selection(), before);
                QVERIFY(picture->cursor().shape() != Qt::BitmapCursor);
                continue;
            }
            ++clickable;
            const QString caption = p.picture == QLatin1String("imgHeparSulphurisCalc")
                                        ? QStringLiteral("Open profile for Hepar Sulphuris Calc.")
                                        : QStringLiteral("Open profile for ") + p.lookup;
            QCOMPARE(selection(), QStringList({p.selection, p.lookup, caption}));
            QCOMPARE(picture->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(picture->cursor().hotSpot(), QPoint(30, 16));
        }
        QCOMPARE(clickable, 23);
        QCOMPARE(selection().at(1), QStringLiteral("Sulphur Iodatum"));
    }

    void openProfile_data()
    {
        QTest::addColumn<QStringList>("steps"); // buttons and pictures, in order
        QTest::addColumn<QString>("prefix");    // the remedy shown is the first that begins so
        QTest::newRow("empty selection: first remedy") << QStringList{} << "";
        QTest::newRow("Pulsatilla at once") << QStringList{"cmdHormones"} << "Pulsatilla";
        QTest::newRow("Sulphur prefix") << QStringList{"cmdLymph", "imgSulphur"} << "Sulphur";
        QTest::newRow("Hepar by its lookup name") << QStringList{"cmdPuberty", "imgHeparSulphurisCalc"}
                                                  << "Hepar sulphuris calcareum";
        QTest::newRow("cleared by a symptom") << QStringList{"cmdOthers", "imgSelenium", "cmdDrySkin"} << "";
    }
    void openProfile()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, prefix);
        TestProgram program(TestProgram::WithDatabanks);
        for (const QString &step : steps) {
            if (step.startsWith(QLatin1String("img")))
                clickPicture(step);
            else
                press(step);
        }
        // Moved away first, so that the find has to bring it back.
        const QString remedyPage = QStringLiteral("frmHomeo");
        if (auto *data = pages().control<DataControl>(remedyPage, QStringLiteral("datHomeopathy")))
            data->moveLast();
        press(QStringLiteral("cmdOpenProfile"));
        QVERIFY(pages().existing(remedyPage) && pages().existing(remedyPage)->isVisible());
        DataControl *data = remedyCursor();
        if (!data)
            QSKIP("the remedy page has no data control yet");
        QCOMPARE(program.desktop.messages, QStringList());
        const QString shown = data->fieldValue(QStringLiteral("HomeoName")).value_or(QString());
        // The first remedy in the databank's order that begins with the prefix.
        QVERIFY(data->moveLast());
        const int count = data->recordCount();
        QVERIFY(data->moveFirst());
        QString expected;
        for (int i = 0; i < count && expected.isEmpty(); ++i, data->moveNext()) {
            const QString name = data->fieldValue(QStringLiteral("HomeoName")).value_or(QString());
            if (name.startsWith(prefix, Qt::CaseInsensitive))
                expected = name;
        }
        QVERIFY(!expected.isEmpty());
        QCOMPARE(shown, expected);
    }

    // Each failing step reports "No record found." and the action goes on.
    void noRecordFound()
    {
        TestProgram program; // no databanks: the remedy cursor does not open
        press(QStringLiteral("cmdLymph"));
        clickPicture(QStringLiteral("imgLappa"));
        press(QStringLiteral("cmdOpenProfile"));
        QVERIFY(program.desktop.messages.contains(SampleAcnePage::noRecordMessage()));
        QCOMPARE(SampleAcnePage::noRecordMessage(), QStringLiteral("No record found."));
        QVERIFY(pages().existing(QStringLiteral("frmHomeo"))->isVisible());
        QCOMPARE(selection().at(1), QStringLiteral("Lappa"));
    }

    // A name that matches no remedy is no failure: the remedy page stays where it was.
    void unknownNameIsNoFailure()
    {
        TestProgram program(TestProgram::WithDatabanks);
        auto *data = pages().control<DataControl>(QStringLiteral("frmHomeo"), QStringLiteral("datHomeopathy"));
        if (!data)
            QSKIP("the remedy page has no data control yet");
        QVERIFY(data->moveLast());
        const auto before = data->fieldValue(QStringLiteral("HomeoName"));
        child<QLabel>(QStringLiteral("lblRemedyInvisible"))->setText(QStringLiteral("Xylo' no such remedy"));
        press(QStringLiteral("cmdOpenProfile"));
        QCOMPARE(program.desktop.messages, QStringList());
        QCOMPARE(data->fieldValue(QStringLiteral("HomeoName")), before);
        QVERIFY(pages().existing(QStringLiteral("frmHomeo"))->isVisible());
    }
};

QTEST_MAIN(TestSampleAcne)
#include "tst_sampleacne.moc"
