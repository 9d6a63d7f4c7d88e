// SPDX-License-Identifier: GPL-3.0-or-later
// The seven body-system pages: every affliction button against its table and the
// databank, the twins across pages, the hand-over to the affliction page, the panel
// switches and their start states, the definitions switch, the related pages, the
// page texts and pictures.
#include "TestProgram.h"

#include "afflictions/BodySystemPage.h"
#include "afflictions/ContentTables.h"
#include "platform/DataControl.h"
#include "platform/Picture.h"
#include "platform/RichTextBox.h"
#include "platform/Twips.h"
#include "shell/MainMenu.h"
#include "shell/PageManager.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace {

const QString AfflictionPage = QStringLiteral("frmAfflictions");
const QStringList BodyPages = {"frmEyes",   "frmHeart",        "frmDigestive", "frmSkin",
                               "frmNerves", "frmBonesMuscles", "frmFemaleMale"};

PageManager &pages()
{
    return PageManager::instance();
}

// Pages whose window state must not change their designed geometry.
void normalScreenMode()
{
    pages().page<MainMenu>()->setScreenMode(QStringLiteral("0"));
}

template<class T>
T *child(QWidget *page, const QString &name)
{
    T *found = page ? page->findChild<T *>(name) : nullptr;
    if (!found)
        qWarning("no %s on %s", qPrintable(name), page ? qPrintable(page->objectName()) : "(no page)");
    return found;
}

QPushButton *pressButton(const QString &page, const QString &name)
{
    auto *b = child<QPushButton>(pages().page(page), name);
    if (b)
        b->click();
    return b;
}

// The record the affliction page stands on; nullopt while that page is not built.
std::optional<QString> shownAffliction()
{
    Page *p = pages().existing(AfflictionPage);
    auto *data = p ? p->findChild<DataControl *>(QStringLiteral("datHomeoAfflictions")) : nullptr;
    return data ? data->fieldValue(QStringLiteral("Affliction")) : std::nullopt;
}

QString handedKey()
{
    Page *p = pages().existing(AfflictionPage);
    auto *select = p ? p->findChild<QLabel *>(QStringLiteral("lblSelect")) : nullptr;
    return select ? select->text() : QString();
}

// The text a control shows, whatever its kind.
QString shownText(QWidget *w)
{
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    return {};
}

} // namespace

class TestBodySystemPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { twips::setDpiForTesting(96); }

    // Every button against its table: name unique on its page, caption, tooltip, place.
    void pagesMatchTheirTables()
    {
        TestProgram program;
        normalScreenMode();
        const QList<int> counts = {18, 25, 35, 32, 40, 43, 37};
        for (int p = 0; p < BodyPages.size(); ++p) {
            Page *page = pages().page(BodyPages[p]);
            QVERIFY(page);
            const auto rows = contenttables::afflictionButtons(BodyPages[p]);
            QCOMPARE(rows.size(), counts[p]);
            for (const auto &row : rows) {
                const QString where = BodyPages[p] + QLatin1Char(' ') + row.control;
                const auto found = page->findChildren<QWidget *>(row.control);
                QVERIFY2(found.size() == 1, qPrintable(where));
                auto *button = qobject_cast<QPushButton *>(found.first());
                QVERIFY2(button, qPrintable(where));
                QCOMPARE(button->text(), row.caption);
                QCOMPARE(button->toolTip(), row.tooltip);
                QCOMPARE(button->geometry(), twips::toPx(row.left, row.top, row.width, row.height));
                QVERIFY2(button->isVisibleTo(page) && button->isEnabled(), qPrintable(where));
                QCOMPARE(button->parentWidget(), page->content());
            }
        }
    }

    // A few places straight from the designs, the shared row among them.
    void designedPlaces_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QRect>("at"); // twips
        QTest::newRow("mastitis") << "frmFemaleMale" << "cmdMastitis" << QRect(180, 695 + 8 * 360, 1460, 375);
        QTest::newRow("menopause") << "frmFemaleMale" << "cmdMenopause" << QRect(1620, 695 + 8 * 360, 1605, 375);
        QTest::newRow("male column") << "frmFemaleMale" << "cmdBalanitis" << QRect(8790, 695, 2895, 375);
        QTest::newRow("eyes last") << "frmEyes" << "cmdStrabismus" << QRect(150, 645 + 17 * 390, 2385, 405);
        QTest::newRow("heart right") << "frmHeart" << "cmdPoorCirculation" << QRect(8775, 705, 2745, 395);
        QTest::newRow("digestive left") << "frmDigestive" << "cmdAppendicitis" << QRect(540, 990, 2500, 390);
        QTest::newRow("digestive right") << "frmDigestive" << "cmdHemorrhages" << QRect(8880, 570, 2500, 390);
        QTest::newRow("skin right") << "frmSkin" << "cmdWarts" << QRect(9270, 630 + 15 * 450, 2385, 405);
        QTest::newRow("nerves right") << "frmNerves" << "cmdWillpower" << QRect(9090, 390 + 19 * 360, 2500, 375);
        QTest::newRow("bones left") << "frmBonesMuscles" << "cmdGout" << QRect(300, 360 + 20 * 330, 2600, 345);
        QTest::newRow("bones right") << "frmBonesMuscles" << "cmdWrists" << QRect(9000, 345 + 21 * 330, 2600, 345);
    }
    void designedPlaces()
    {
        QFETCH(QString, page);
        QFETCH(QString, button);
        QFETCH(QRect, at);
        TestProgram program;
        normalScreenMode();
        auto *b = child<QPushButton>(pages().page(page), button);
        QVERIFY(b);
        QCOMPARE(b->geometry(), twips::toPx(at.x(), at.y(), at.width(), at.height()));
    }

    // Every affliction button of every page hands its key over, and the affliction
    // page then stands on the record of that key.
    void everyButtonOpensItsRecord_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString &page : BodyPages)
            QTest::newRow(qPrintable(page)) << page;
    }
    void everyButtonOpensItsRecord()
    {
        QFETCH(QString, page);
        TestProgram program(TestProgram::WithDatabanks);
        for (const auto &row : contenttables::afflictionButtons(page)) {
            QVERIFY(pressButton(page, row.control));
            const QString where = page + QLatin1Char(' ') + row.control;
            QVERIFY2(pages().existing(AfflictionPage) && pages().existing(AfflictionPage)->isVisible(),
                     qPrintable(where));
            if (!pages().existing(AfflictionPage)->findChild<QLabel *>(QStringLiteral("lblSelect")))
                QSKIP("the affliction page has no lblSelect yet");
            QCOMPARE(handedKey(), row.key);
            const auto shown = shownAffliction();
            QVERIFY2(shown, qPrintable(where));
            QVERIFY2(shown->compare(row.key, Qt::CaseInsensitive) == 0,
                     qPrintable(where + QLatin1String(": shows ") + *shown));
        }
        QVERIFY(program.desktop.messages.isEmpty());
        // The body page stays open behind the affliction page.
        QVERIFY(pages().existing(page));
    }

    // Twins and near twins across pages keep their own keys.
    void twinsKeepTheirKeys_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("key");
        QTest::newRow("eyes astigmatism") << "frmEyes" << "cmdAstigmatism" << "Eye problems";
        QTest::newRow("eyes macular") << "frmEyes" << "cmdMacular" << "Eye problems";
        QTest::newRow("eyes neuralgia") << "frmEyes" << "cmdNeuralgia" << "Eye problems";
        QTest::newRow("cholera") << "frmDigestive" << "cmdCholera" << "Cholera";
        QTest::newRow("cholera infantum") << "frmDigestive" << "cmdCholeraInfantum" << "Cholera";
        QTest::newRow("nerves sciatica") << "frmNerves" << "cmdSciatica" << "Sciatica";
        QTest::newRow("bones sciatica") << "frmBonesMuscles" << "cmdSciatica" << "Sciatica 1/2";
        QTest::newRow("nerves sciatica rheumatic") << "frmNerves" << "cmdSciatica2" << "Sciatica, rheumatic";
        QTest::newRow("bones sciatica rheumatic") << "frmBonesMuscles" << "cmdSciaticaRheuma"
                                                  << "Sciatica, rheumatic";
        QTest::newRow("nerves parkinson") << "frmNerves" << "cmdParkinson" << "Parkinson";
        QTest::newRow("bones parkinsonism") << "frmBonesMuscles" << "cmdParkinson" << "Parkinsonism";
        QTest::newRow("nerves MS") << "frmNerves" << "cmdMS" << "Multiple Sclerosis 1/2";
        QTest::newRow("bones MS") << "frmBonesMuscles" << "cmdMS" << "Multiple Sclerosis 1/2";
        QTest::newRow("skin follikulitis") << "frmSkin" << "cmdFollikulitis" << "Follikulitis";
        QTest::newRow("male folliculitis") << "frmFemaleMale" << "cmdFolliculitis" << "Folliculitis";
        QTest::newRow("dementia") << "frmNerves" << "cmdDementia" << "Demenz";
        QTest::newRow("heart varicose") << "frmHeart" << "cmdVaricoseVeins" << "Varicose Veins";
        QTest::newRow("female varicose") << "frmFemaleMale" << "cmdVaricoseVeins" << "Varicose Veins";
        QTest::newRow("bones fibromyalgia") << "frmBonesMuscles" << "cmdFibromyalgia" << "Fibromyalgia";
        QTest::newRow("female fibromyalgia") << "frmFemaleMale" << "cmdFibromyalgia" << "Fibromyalgia";
        QTest::newRow("skin acne") << "frmSkin" << "cmdAcne" << "Acne 1/2";
        QTest::newRow("tremors") << "frmNerves" << "cmdTremors" << "Trembling 1/3";
        QTest::newRow("spleen") << "frmDigestive" << "cmdSpleen" << "Problems: Spleen related";
        QTest::newRow("throat, no prefix") << "frmDigestive" << "ThroatSore" << "Throat, sore";
    }
    void twinsKeepTheirKeys()
    {
        QFETCH(QString, page);
        QFETCH(QString, button);
        QFETCH(QString, key);
        TestProgram program(TestProgram::WithDatabanks);
        QVERIFY(pressButton(page, button));
        if (!pages().existing(AfflictionPage)->findChild<QLabel *>(QStringLiteral("lblSelect")))
            QSKIP("the affliction page has no lblSelect yet");
        QCOMPARE(handedKey(), key);
        QCOMPARE(shownAffliction().value_or(QString()).toLower(), key.toLower());
    }

    // Created by the click, the affliction page opens on its first record and then
    // moves; already there, it moves from where it stood and is not created again.
    void handOverToTheAfflictionPage()
    {
        TestProgram program(TestProgram::WithDatabanks);
        Page *skin = pages().show(QStringLiteral("frmSkin"));
        std::optional<QString> atCreation;
        struct AtClick {
            bool visible = false, enabled = false;
            QString key;
        };
        QList<AtClick> clicks;
        const auto watch = connect(&pages(), &PageManager::pageCreated, this, [&](const QString &name) {
            if (name != AfflictionPage)
                return;
            Page *p = pages().existing(name);
            atCreation = shownAffliction();
            if (auto *go = p->findChild<QPushButton *>(QStringLiteral("cmdGoToSystems"))) {
                QVERIFY(!go->isVisibleTo(p));
                connect(go, &QPushButton::clicked, this, [&clicks, p, go] {
                    clicks.append({p->isVisible(), go->isEnabled(), handedKey()});
                });
            }
        });
        QVERIFY(pressButton(QStringLiteral("frmSkin"), QStringLiteral("cmdAcne")));
        disconnect(watch);
        Page *afflictions = pages().existing(AfflictionPage);
        QVERIFY(afflictions);
        if (!afflictions->findChild<DataControl *>(QStringLiteral("datHomeoAfflictions")))
            QSKIP("the affliction page has no data control yet");
        QVERIFY(atCreation);
        auto *data = afflictions->findChild<DataControl *>(QStringLiteral("datHomeoAfflictions"));
        QCOMPARE(shownAffliction(), std::optional<QString>(QStringLiteral("Acne 1/2")));
        QVERIFY(data->moveFirst());
        QCOMPARE(atCreation, data->fieldValue(QStringLiteral("Affliction")));
        QCOMPARE(clicks.size(), 1);
        QVERIFY(clicks[0].visible && clicks[0].enabled);
        QCOMPARE(clicks[0].key, QStringLiteral("Acne 1/2"));

        QVERIFY(pressButton(QStringLiteral("frmSkin"), QStringLiteral("cmdWarts")));
        QCOMPARE(pages().existing(AfflictionPage), afflictions);
        QCOMPARE(shownAffliction(), std::optional<QString>(QStringLiteral("Warts 1/2")));
        QCOMPARE(clicks.size(), 2);
        QVERIFY(skin->isVisible());
    }

    void panelSwitches_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("eyes at start") << "frmEyes" << QStringList{} << QStringList{"fraEye", "cmdNutrition"}
                                       << QStringList{"fraNutrition"};
        QTest::newRow("eyes nutrition") << "frmEyes" << QStringList{"cmdNutrition"} << QStringList{"fraNutrition"}
                                        << QStringList{"fraEye"};
        QTest::newRow("eyes close") << "frmEyes" << QStringList{"cmdNutrition", "cmdClose"} << QStringList{"fraEye"}
                                    << QStringList{"fraNutrition"};
        QTest::newRow("skin at start") << "frmSkin" << QStringList{} << QStringList{"fraSkin", "fraNote"}
                                       << QStringList{"fraNutrition"};
        QTest::newRow("skin nutrition") << "frmSkin" << QStringList{"cmdNutrition"}
                                        << QStringList{"fraNutrition", "fraNote"} << QStringList{"fraSkin"};
        QTest::newRow("skin close") << "frmSkin" << QStringList{"cmdNutrition", "cmdCloseSkin"}
                                    << QStringList{"fraSkin", "fraNote"} << QStringList{"fraNutrition"};
        QTest::newRow("spine at start") << "frmBonesMuscles" << QStringList{} << QStringList{"cmdShowSpine"}
                                        << QStringList{"fraSpine"};
        QTest::newRow("spine shown") << "frmBonesMuscles" << QStringList{"cmdShowSpine"}
                                     << QStringList{"fraSpine", "imgSpine", "cmdCloseSpine"} << QStringList{};
        QTest::newRow("spine closed") << "frmBonesMuscles" << QStringList{"cmdShowSpine", "cmdCloseSpine"}
                                      << QStringList{} << QStringList{"fraSpine"};
        QTest::newRow("female/male at start")
            << "frmFemaleMale" << QStringList{} << QStringList{"fraFemaleMale", "imgFemale", "imgMale"}
            << QStringList{"fraDefinitions", "cmdImage"};
        QTest::newRow("female definitions") << "frmFemaleMale" << QStringList{"cmdFemDefinitions"}
                                            << QStringList{"fraDefinitions", "rtfDefinitions", "cmdImage"}
                                            << QStringList{"fraFemaleMale"};
        QTest::newRow("image again") << "frmFemaleMale" << QStringList{"cmdMaleDefinitions", "cmdImage"}
                                     << QStringList{"fraFemaleMale"} << QStringList{"fraDefinitions", "cmdImage"};
    }
    void panelSwitches()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        TestProgram program;
        Page *p = pages().show(page);
        for (const QString &b : presses)
            QVERIFY(pressButton(page, b));
        for (const QString &name : shown)
            QVERIFY2(child<QWidget>(p, name) && child<QWidget>(p, name)->isVisible(), qPrintable(name));
        for (const QString &name : hidden)
            QVERIFY2(child<QWidget>(p, name) && !child<QWidget>(p, name)->isVisible(), qPrintable(name));
        // The affliction buttons stay usable whatever the panels show.
        QVERIFY(child<QWidget>(p, contenttables::afflictionButtons(page).first().control)->isVisible());
    }

    // The frames that switch lie at the same place.
    void switchedFramesShareTheirPlace_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("eyes") << "frmEyes" << "fraEye" << "fraNutrition";
        QTest::newRow("skin") << "frmSkin" << "fraSkin" << "fraNutrition";
        QTest::newRow("female/male") << "frmFemaleMale" << "fraFemaleMale" << "fraDefinitions";
    }
    void switchedFramesShareTheirPlace()
    {
        QFETCH(QString, page);
        QFETCH(QString, first);
        QFETCH(QString, second);
        TestProgram program;
        normalScreenMode();
        Page *p = pages().page(page);
        QCOMPARE(child<QWidget>(p, first)->geometry(), child<QWidget>(p, second)->geometry());
    }

    // "Female Definitions" then "Male Definitions" replaces the formatted text; the
    // store page is created unshown on first use.
    void definitionsSwitch()
    {
        TestProgram program;
        Page *page = pages().show(QStringLiteral("frmFemaleMale"));
        auto *box = child<RichTextBox>(page, QStringLiteral("rtfDefinitions"));
        QVERIFY(box && box->isReadOnly());
        QVERIFY(box->text().isEmpty());
        QVERIFY(!pages().existing(QStringLiteral("frmFemMaleStore")));

        QVERIFY(pressButton(QStringLiteral("frmFemaleMale"), QStringLiteral("cmdFemDefinitions")));
        Page *store = pages().existing(QStringLiteral("frmFemMaleStore"));
        QVERIFY(store && !store->isVisible());
        const auto *female = child<RichTextBox>(store, QStringLiteral("rtfFemaleDef"));
        QVERIFY(box->text().startsWith(QStringLiteral("Definitions of Female Problems")));
        QCOMPARE(box->text(), female->text());
        // Formatted: a term in bold dark red.
        const QTextCursor term = box->document()->find(QStringLiteral("Amenorrhea:"));
        QVERIFY(!term.isNull());
        QVERIFY(term.charFormat().font().bold());
        QCOMPARE(term.charFormat().foreground().color(), QColor(0x80, 0x00, 0x00));

        QVERIFY(pressButton(QStringLiteral("frmFemaleMale"), QStringLiteral("cmdMaleDefinitions")));
        QCOMPARE(pages().existing(QStringLiteral("frmFemMaleStore")), store);
        QVERIFY(box->text().startsWith(QStringLiteral("Definitions of Male Problems")));
        QVERIFY(!box->text().contains(QStringLiteral("Amenorrhea")));
        QVERIFY(box->text().contains(QStringLiteral("Balanitis:")));

        QVERIFY(pressButton(QStringLiteral("frmFemaleMale"), QStringLiteral("cmdFemDefinitions")));
        QVERIFY(box->text().startsWith(QStringLiteral("Definitions of Female Problems")));
        QVERIFY(pressButton(QStringLiteral("frmFemaleMale"), QStringLiteral("cmdImage")));
        QVERIFY(child<QWidget>(page, QStringLiteral("fraFemaleMale"))->isVisible());
        QVERIFY(!child<QWidget>(page, QStringLiteral("cmdImage"))->isVisible());
        QVERIFY(!store->isVisible());
    }

    void relatedPages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("target");
        QTest::newRow("eye definitions") << "frmEyes" << "cmdDefinitions" << "Definitions" << "frmDefinitions";
        QTest::newRow("eye cell salts") << "frmEyes" << "cmdEyeCellSalts" << "Cell Salts for Eye Conditions"
                                        << "frmEyeCellSalts";
        QTest::newRow("digestive definitions") << "frmDigestive" << "cmdDefinitionsDigestive"
                                               << "    Definitions:    Digestive System" << "frmDefinitionsDigestive";
        QTest::newRow("gout") << "frmBonesMuscles" << "cmdGoutText" << "Text: Gout" << "frmGout1";
    }
    void relatedPages()
    {
        QFETCH(QString, page);
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, target);
        TestProgram program;
        Page *body = pages().show(page);
        QCOMPARE(pressButton(page, button)->text(), caption);
        QVERIFY(pages().existing(target) && pages().existing(target)->isVisible());
        QCOMPARE(pages().existing(page), body);
        QVERIFY(body->isVisible());
    }

    // Every text of a page's file is shown by a control of that name, or labelled on
    // the page's drawing, whose source carries it; every drawing decodes.
    void textsAndPictures_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString &page : BodyPages)
            QTest::newRow(qPrintable(page)) << page;
    }
    void textsAndPictures()
    {
        QFETCH(QString, page);
        TestProgram program;
        Page *p = pages().page(page);
        QCOMPARE(p->windowTitle(), QString::fromUtf8(findPageInfo(page)->caption));
        const auto pictures = p->findChildren<Picture *>();
        QVERIFY(!pictures.isEmpty());
        QString drawn;
        for (const Picture *picture : pictures) {
            QVERIFY2(picture->isValid(), qPrintable(picture->objectName()));
            QFile svg(picture->source());
            QVERIFY(svg.open(QIODevice::ReadOnly));
            static const QRegularExpression textElement(QStringLiteral("<text[^>]*>([^<]*)</text>"));
            const QString source = QString::fromUtf8(svg.readAll());
            for (const auto &m : textElement.globalMatch(source))
                drawn += m.captured(1).simplified() + QLatin1Char('\n');
        }
        const auto texts = contenttables::TextSections::forPage(page);
        QVERIFY(!texts.sections().isEmpty());
        for (const auto &section : texts.sections()) {
            QWidget *control = p->findChild<QWidget *>(section.name);
            if (control) {
                QCOMPARE(shownText(control), section.text);
                QVERIFY2(!section.text.isEmpty(), qPrintable(section.name));
            } else {
                QVERIFY2(drawn.contains(section.text.simplified() + QLatin1Char('\n')),
                         qPrintable(page + QLatin1String(": neither shown nor drawn: ") + section.name));
            }
        }
        // No text is cut off at the designed size.
        for (const QLabel *l : p->findChildren<QLabel *>()) {
            if (!l->text().isEmpty())
                QVERIFY2(l->heightForWidth(l->width()) <= l->height(),
                         qPrintable(page + QLatin1Char(' ') + l->objectName()));
        }
    }

    // Everything lies inside the content frame, so that it rescales and the flicker
    // guard hides it; the load steps are the page table's.
    void fullSizePages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("move");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("guard");
        QTest::newRow("eyes") << "frmEyes" << true << true << true;
        QTest::newRow("heart") << "frmHeart" << false << true << true;
        QTest::newRow("digestive") << "frmDigestive" << false << true << true;
        QTest::newRow("skin") << "frmSkin" << true << true << true;
        QTest::newRow("nerves") << "frmNerves" << true << true << false;
        QTest::newRow("bones") << "frmBonesMuscles" << false << false << true;
        QTest::newRow("female/male") << "frmFemaleMale" << true << true << false;
    }
    void fullSizePages()
    {
        QFETCH(QString, page);
        QFETCH(bool, move);
        QFETCH(bool, folder);
        QFETCH(bool, guard);
        const PageInfo *info = findPageInfo(page);
        QVERIFY(info && info->fullSize && info->hasLoad && info->mode && !info->escapeEnds);
        QCOMPARE(info->move, move);
        QCOMPARE(info->folder, folder);
        QCOMPARE(info->flickerGuard, guard);
        TestProgram program;
        Page *p = pages().page(page);
        for (QWidget *w : p->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QCOMPARE(w, p->content());
        QCOMPARE(p->findChildren<QTimer *>(QStringLiteral("Timer1")).size(), guard ? 1 : 0);
    }

    // A larger page keeps every button inside the page, with larger captions.
    void largerPagesScale()
    {
        TestProgram program;
        normalScreenMode();
        for (const QString &name : BodyPages) {
            Page *p = pages().show(name);
            p->resize(p->size() * 3 / 2);
            QTRY_VERIFY(p->content()->isVisible());
            const QRect area = p->content()->rect();
            for (const auto &row : contenttables::afflictionButtons(name)) {
                auto *b = child<QPushButton>(p, row.control);
                QVERIFY2(area.contains(b->geometry()), qPrintable(name + QLatin1Char(' ') + row.control));
                QVERIFY(b->font().pointSizeF() > 10);
            }
        }
    }
};

QTEST_MAIN(TestBodySystemPages)
#include "tst_bodysystempages.moc"
