// SPDX-License-Identifier: GPL-3.0-or-later
// The platform controls' own drawing: pictures and their kept renderings, buttons.
#include "TestProgram.h"
#include "platform/Controls.h"
#include "platform/Picture.h"
#include "platform/PictureCache.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray Drawing =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"60\" height=\"40\" viewBox=\"0 0 60 40\">\n"
    "  <rect x=\"0\" y=\"0\" width=\"60\" height=\"40\" fill=\"#204060\"/>\n"
    "  <circle cx=\"30\" cy=\"20\" r=\"14\" fill=\"#f0c020\" stroke=\"#804000\" stroke-width=\"2\"/>\n"
    "</svg>\n";

QImage pattern()
{
    QImage image(7, 5, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 30, y * 40, 200, 255));
    image.setDevicePixelRatio(1.5);
    return image;
}

QString entryFile(const QByteArray &key)
{
    return QDir(picturecache::folder()).filePath(QString::fromLatin1(key) + QStringLiteral(".pic"));
}

void overwrite(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QImage shown(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Darkest grey level among the pixels of a rectangle.
int darkest(const QImage &image, const QRect &area)
{
    int level = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            level = std::min(level, qGray(image.pixel(x, y)));
    return level;
}

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_program = std::make_unique<TestProgram>(); }
    void cleanup() { m_program.reset(); }

    void keptRenderingRoundTrip()
    {
        const QByteArray key = picturecache::key(Drawing, {7, 5}, 1.5);
        QVERIFY(picturecache::find(key).isNull());
        picturecache::store(key, pattern());
        const QImage found = picturecache::find(key);
        QCOMPARE(found.size(), QSize(7, 5));
        QCOMPARE(found.devicePixelRatio(), 1.5);
        QCOMPARE(found, pattern());
        // The kept pixels are mapped read-only: changing an image found copies it.
        QImage changed = picturecache::find(key);
        changed.setPixel(0, 0, qRgba(1, 2, 3, 255));
        QCOMPARE(picturecache::find(key), pattern());
        // Another size, ratio or drawing is another entry.
        QVERIFY(picturecache::key(Drawing, {7, 6}, 1.5) != key);
        QVERIFY(picturecache::key(Drawing, {7, 5}, 1.0) != key);
        QVERIFY(picturecache::key(Drawing + ' ', {7, 5}, 1.5) != key);
    }

    void damagedEntriesAreNotFound_data()
    {
        QTest::addColumn<int>("keep");    // bytes of the good file kept (-1: all)
        QTest::addColumn<int>("poke");    // byte to change (-1: none)
        QTest::addColumn<QByteArray>("extra");
        QTest::newRow("empty") << 0 << -1 << QByteArray();
        QTest::newRow("header only") << 24 << -1 << QByteArray();
        QTest::newRow("truncated pixels") << 24 + 7 * 4 * 4 << -1 << QByteArray();
        QTest::newRow("longer than said") << -1 << -1 << QByteArray("xxxx");
        QTest::newRow("foreign file") << -1 << 0 << QByteArray();
        QTest::newRow("width changed") << -1 << 8 << QByteArray();
        QTest::newRow("row length changed") << -1 << 16 << QByteArray();
    }

    void damagedEntriesAreNotFound()
    {
        QFETCH(int, keep);
        QFETCH(int, poke);
        QFETCH(QByteArray, extra);
        const QByteArray key = picturecache::key(Drawing, {7, 5}, 1.5);
        picturecache::store(key, pattern());
        QFile f(entryFile(key));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        f.close();
        if (keep >= 0)
            bytes.truncate(keep);
        if (poke >= 0)
            bytes[poke] = char(bytes[poke] ^ 0x5a);
        overwrite(entryFile(key), bytes + extra);
        QVERIFY(picturecache::find(key).isNull());
    }

    void unwritableFolderStoresNothing()
    {
        // A file where the folder should be: nothing can be created there, even by root.
        const QString blocked = QDir(m_program->folder()).filePath(QStringLiteral("blocked"));
        overwrite(blocked, "not a folder");
        picturecache::setFolderForTesting(blocked + QStringLiteral("/pictures"));
        const QByteArray key = picturecache::key(Drawing, {7, 5}, 1.0);
        picturecache::store(key, pattern());
        QVERIFY(picturecache::find(key).isNull());

        Picture picture;
        QVERIFY(picture.setSource(writeDrawing(Drawing)));
        picture.resize(120, 80);
        QCOMPARE(shown(picture).pixel(60, 40), qRgb(0xf0, 0xc0, 0x20)); // still drawn
    }

    void pictureIsDrawnFromItsKeptRendering()
    {
        const QString source = writeDrawing(Drawing);
        Picture first;
        QVERIFY(first.setSource(source));
        first.resize(120, 100); // taller than the drawing: centred, with margins
        const QImage rendered = shown(first);
        QCOMPARE(rendered.pixel(60, 50), qRgb(0xf0, 0xc0, 0x20));
        const QByteArray key = picturecache::key(Drawing, {120, 100}, first.devicePixelRatioF());
        QVERIFY(QFile::exists(entryFile(key)));

        {
            Picture again;
            QVERIFY(again.setSource(source));
            again.resize(120, 100);
            QCOMPARE(shown(again), rendered);
        }
        {
            // The kept pixels are what is drawn: a different kept image shows.
            QImage red(120, 80, QImage::Format_ARGB32_Premultiplied);
            red.fill(Qt::red);
            picturecache::store(key, red);
            Picture again;
            QVERIFY(again.setSource(source));
            again.resize(120, 100);
            QCOMPARE(shown(again).pixel(60, 50), qRgb(0xff, 0, 0));
        }
        {
            // A damaged entry is passed over: the drawing is rendered again.
            overwrite(entryFile(key), "SMPICT02 broken");
            Picture again;
            QVERIFY(again.setSource(source));
            again.resize(120, 100);
            QCOMPARE(shown(again), rendered);
        }
    }

    void renderingsWhileResizingAreKeptOnceSettled()
    {
        Picture picture;
        QVERIFY(picture.setSource(writeDrawing(Drawing)));
        const auto keptFor = [&](QSize size) {
            return QFile::exists(entryFile(picturecache::key(Drawing, size, picture.devicePixelRatioF())));
        };
        picture.resize(90, 60);
        shown(picture);
        QVERIFY(keptFor({90, 60})); // the first rendering at once
        for (int w : {91, 92, 93}) {
            picture.resize(w, 60);
            shown(picture);
        }
        QVERIFY(!keptFor({91, 60}) && !keptFor({93, 60}));
        QTRY_VERIFY_WITH_TIMEOUT(keptFor({93, 60}), 3000); // the size it settled at
        QVERIFY(!keptFor({91, 60}) && !keptFor({92, 60}));
    }

    void brokenDrawingsShowNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("taken"); // passes the first look, fails to decode
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not svg") << QByteArray::fromHex("89504e470d0a1a0a") + " garbage" << false;
        QTest::newRow("truncated") << Drawing.left(90) << true;
    }

    void brokenDrawingsShowNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, taken);
        Picture picture;
        QCOMPARE(picture.setSource(writeDrawing(bytes)), taken);
        picture.resize(50, 50);
        const QImage blank = shown(picture); // paints without a crash
        QVERIFY(!picture.isValid());
        QCOMPARE(blank, shown(picture));
        QVERIFY(picturecache::find(picturecache::key(bytes, {50, 50}, picture.devicePixelRatioF())).isNull());
        QVERIFY(!picture.setSource(QStringLiteral("/no/such/drawing.svg")));
    }

    void disabledCaptionIsGreyed()
    {
        QWidget page;
        page.resize(200, 60);
        QPushButton *button = controls::button(&page, "cmdTest", QStringLiteral("Search"), {0, 0, 2400, 600});
        button->setFont(controls::font(12, true));
        controls::setColors(button, Qt::black, QColor(0xC0, 0xC0, 0x00));
        const QRect inside = button->rect().adjusted(4, 4, -5, -5);
        QVERIFY(darkest(button->grab().toImage(), inside) < 0x40); // a black caption
        button->setEnabled(false);
        QVERIFY(darkest(button->grab().toImage(), inside) >= 0x60); // greyed, no black left
    }

private:
    QString writeDrawing(const QByteArray &bytes)
    {
        const QString path = m_program->file(QStringLiteral("drawing-%1.svg").arg(++m_drawings));
        overwrite(path, bytes);
        return path;
    }

    std::unique_ptr<TestProgram> m_program;
    int m_drawings = 0;
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
