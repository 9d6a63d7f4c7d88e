// SPDX-License-Identifier: GPL-3.0-or-later
// The glossary pages (terms in order, definitions, drawn lines, nothing cut off, the
// list scrolls when it is longer than the page, the ginger frame) and the definitions
// store page.
#include "TestProgram.h"

#include "afflictions/GlossaryPage.h"
#include "platform/Picture.h"
#include "platform/RichTextBox.h"
#include "platform/Twips.h"
#include "shell/MainMenu.h"
#include "shell/PageManager.h"

#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

PageManager &pages()
{
    return PageManager::instance();
}

// The definition shown beside a term.
QString definitionOf(QWidget *page, const QString &term)
{
    for (auto *t : page->findChildren<QLabel *>()) {
        if (t->objectName().startsWith(QLatin1String("lblTerm")) && t->text() == term) {
            const QString n = t->objectName().mid(7);
            auto *d = page->findChild<QLabel *>(QStringLiteral("lblDefinition") + n);
            return d ? d->text() : QString();
        }
    }
    return {};
}

} // namespace

class TestGlossaryPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { twips::setDpiForTesting(96); }

    void termsInOrder_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("terms");
        QTest::addColumn<QStringList>("examples"); // term, definition, ...
        QTest::newRow("eyes") << "frmDefinitions" << "Definitions: Eye diseases"
                              << QStringList{"Amblyopia", "Astigmatism", "Blepharitis", "Cataract", "Conjunctivitis",
                                             "Diplopia", "Glaucoma", "Hyperopia", "Infraorbital Neuralgia", "...itis",
                                             "Keratitis", "Myopia", "Styes", "Macula lutea", "Macular degeneration",
                                             "Strabismus"}
                              << QStringList{"Diplopia", "Double vision", "...itis",
                                             "Ending itis denotes an inflammation."};
        QTest::newRow("digestive") << "frmDefinitionsDigestive" << "Definitions: Digestive System"
                                   << QStringList{"Cirrhosis", "Cancer",  "Cholera",   "Cholera Infantum",
                                                  "Colics",    "Colitis, ulcerative", "Dyspepsia", "Dysentery",
                                                  "Enteritis", "...itis", "Hyperchlorhydria", "Gastralgia",
                                                  "Peritonitis"}
                                   << QStringList{"...itis", "Ending itis denotes an inflammation.", "Gastralgia",
                                                  "Pain in the stomach."};
    }
    void termsInOrder()
    {
        QFETCH(QString, page);
        QFETCH(QString, caption);
        QFETCH(QStringList, terms);
        QFETCH(QStringList, examples);
        TestProgram program;
        pages().page<MainMenu>()->setScreenMode(QStringLiteral("0"));
        auto *glossary = qobject_cast<GlossaryPage *>(pages().page(page));
        QVERIFY(glossary);
        QCOMPARE(glossary->windowTitle(), caption);
        QCOMPARE(glossary->terms(), terms);
        for (int i = 0; i < examples.size(); i += 2)
            QCOMPARE(definitionOf(glossary, examples[i]), examples[i + 1]);

        // Pairs top to bottom, a drawn line under each, no text cut off or overlapping.
        int bottom = -1;
        for (int i = 1; i <= terms.size(); ++i) {
            auto *term = glossary->findChild<QLabel *>(QStringLiteral("lblTerm%1").arg(i));
            auto *definition = glossary->findChild<QLabel *>(QStringLiteral("lblDefinition%1").arg(i));
            auto *line = glossary->findChild<QWidget *>(QStringLiteral("Line%1").arg(i));
            QVERIFY(term && definition && line);
            QCOMPARE(term->text(), terms[i - 1]);
            QVERIFY(!definition->text().isEmpty());
            QCOMPARE(term->y(), definition->y());
            QVERIFY(term->y() > bottom);
            for (QLabel *l : {term, definition})
                QVERIFY2(l->heightForWidth(l->width()) <= l->height(), qPrintable(l->text()));
            QVERIFY(line->y() >= std::max(term->geometry().bottom(), definition->geometry().bottom()));
            bottom = line->y();
        }
        QVERIFY(glossary->findChild<QScrollArea *>()->isAncestorOf(glossary->findChild<QLabel *>("lblTerm1")));
    }

    // A list longer than its place scrolls to its last line.
    void longListScrolls()
    {
        TestProgram program;
        pages().page<MainMenu>()->setScreenMode(QStringLiteral("0"));
        Page *page = pages().show(QStringLiteral("frmDefinitions"));
        auto *scroll = page->findChild<QScrollArea *>();
        QVERIFY(scroll);
        QWidget *list = scroll->widget();
        QVERIFY(list);
        if (list->height() <= scroll->viewport()->height())
            QSKIP("the glossary fits its place at this font");
        QScrollBar *bar = scroll->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        auto *last = page->findChild<QLabel *>(QStringLiteral("lblDefinition16"));
        const QRect inViewport(last->mapTo(scroll->viewport(), QPoint()), last->size());
        QVERIFY(scroll->viewport()->rect().contains(inViewport));
    }

    void gingerFrame()
    {
        TestProgram program;
        Page *page = pages().page(QStringLiteral("frmDefinitionsDigestive"));
        auto *frame = page->findChild<QGroupBox *>(QStringLiteral("fraGinger"));
        QVERIFY(frame);
        QCOMPARE(frame->title(), QStringLiteral("Zingiber officinalis (Ginger)"));
        auto *picture = frame->findChild<Picture *>();
        QVERIFY(picture && picture->isValid());
        QCOMPARE(picture->source(), QStringLiteral(":/pictures/ginger.svg"));
        QStringList texts;
        for (const char *n : {"lblGinger1", "lblGinger2", "lblGinger3"}) {
            auto *l = frame->findChild<QLabel *>(QString::fromLatin1(n));
            QVERIFY(l && !l->text().isEmpty());
            QVERIFY2(l->heightForWidth(l->width()) <= l->height(), n);
            texts << l->text();
        }
        QVERIFY(texts.contains(QStringLiteral("Usually recommended at a potency between 1x to 6x.")));
        // The ginger texts are no terms.
        QVERIFY(!qobject_cast<GlossaryPage *>(page)->terms().contains(QStringLiteral("fraGinger")));
        QVERIFY(!pages().page(QStringLiteral("frmDefinitions"))->findChild<QGroupBox *>(QStringLiteral("fraGinger")));
    }

    void definitionsStore_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QString>("definition");
        QTest::newRow("female") << "rtfFemaleDef" << "Definitions of Female Problems" << "Amenorrhea:"
                                << "Absence of menstrual periods";
        QTest::newRow("male") << "rtfMaleDef" << "Definitions of Male Problems" << "Balanitis:"
                              << "Inflammation of the glans penis.";
    }
    void definitionsStore()
    {
        QFETCH(QString, box);
        QFETCH(QString, title);
        QFETCH(QString, term);
        QFETCH(QString, definition);
        TestProgram program;
        auto *rtf = pages().control<RichTextBox>(QStringLiteral("frmFemMaleStore"), box);
        QVERIFY(rtf);
        Page *store = pages().existing(QStringLiteral("frmFemMaleStore"));
        QCOMPARE(store->windowTitle(), QStringLiteral("Form1"));
        QVERIFY(!store->isVisible());
        QVERIFY(rtf->text().startsWith(title));
        QTextDocument *doc = rtf->document();
        const QTextCursor titleAt = doc->find(title);
        QVERIFY(titleAt.charFormat().font().bold());
        const QTextCursor termAt = doc->find(term);
        QVERIFY(!termAt.isNull());
        QVERIFY(termAt.charFormat().font().bold());
        QCOMPARE(termAt.charFormat().foreground().color(), QColor(0x80, 0x00, 0x00));
        QCOMPARE(termAt.charFormat().font().pointSizeF(), 11.0);
        // The definition follows in the next paragraph, black and plain.
        const QTextCursor definitionAt = doc->find(definition);
        QVERIFY(!definitionAt.isNull());
        QCOMPARE(definitionAt.block().previous(), termAt.block());
        QVERIFY(!definitionAt.charFormat().font().bold());
        QCOMPARE(definitionAt.charFormat().foreground().color(), QColor(Qt::black));
    }
};

QTEST_MAIN(TestGlossaryPages)
#include "tst_glossarypages.moc"
