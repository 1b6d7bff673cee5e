// The pictures at two densities on an ordinary screen (scale 1): the @2x name rule, the loader's
// choice between the 1x and the @2x file for a given device pixel ratio and its fallbacks, how
// QPainter reads a 2x pixmap, the battle scene drawn at ratio 2 against the 1x scene, and every
// window still showing the 1x files at scale 1. tests/ui/high_dpi_qttest checks the windows at 2.

#include <QApplication>
#include <QPainter>
#include <QtTest>

#include "support/picture_support.h"
#include "support/test_support.h"
#include "ui/picture_density_qt.h"

using namespace vargo;

namespace {
const GameFolder kShipped(VARGO_SOURCE_DIR "/data");

// How close the scene drawn at ratio 2 and reduced must be to the 1x scene, in the worst 16 x 16
// square (mean over its pixels and channels, 0..255). The 2x pictures are sharper, so edges differ a
// little (up to about 14); a robot one pixel off differs by about 30 (checked below).
constexpr double kSceneBound = 20.0;
}  // namespace

class PictureDensityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 1.0); }

    void sharpNameHasAt2xBeforeTheExtension() {
        QCOMPARE(doubleDensityName("\\img\\VARGO01.jpg"), std::string("\\img\\VARGO01@2x.jpg"));
        QCOMPARE(doubleDensityName("img/icon0.bmp"), std::string("img/icon0@2x.bmp"));
        QCOMPARE(doubleDensityName("\\img\\effect_m.jpg"), std::string("\\img\\effect_m@2x.jpg"));
        QCOMPARE(doubleDensityName("img/arena"), std::string("img/arena@2x"));
        QCOMPARE(doubleDensityName("img.v2/arena"), std::string("img.v2/arena@2x"));
        QCOMPARE(doubleDensityName("img\\.hidden"), std::string("img\\.hidden@2x"));
        QCOMPARE(doubleDensityName("pic.tar.jpg"), std::string("pic.tar@2x.jpg"));
    }

    // The sheet named the fight's way: at 1 the 1x file, above 1 (2, and 1.5) the @2x file at
    // device pixel ratio 2, keeping 1440 x 480 in logical pixels.
    void loaderChoosesTheFileForTheRatio() {
        const QImage one = loadPicture(kShipped, "\\img\\VARGO01.jpg", 1.0);
        QCOMPARE(one.size(), QSize(1440, 480));
        QCOMPARE(one.devicePixelRatio(), 1.0);
        QVERIFY(test::samePixels(one, test::shippedPicture("VARGO01.jpg")));
        for (const qreal ratio : {1.5, 2.0}) {
            const QImage two = loadPicture(kShipped, "\\img\\VARGO01.jpg", ratio);
            QCOMPARE(two.size(), QSize(2880, 960));
            QCOMPARE(two.devicePixelRatio(), 2.0);
            QCOMPARE(two.deviceIndependentSize(), QSizeF(1440, 480));
            QVERIFY(test::samePixels(two, test::shippedPicture("VARGO01@2x.jpg")));
        }
        const QPixmap strip = loadPixmap(kShipped, "img/icon0.bmp", 2.0);
        QCOMPARE(strip.size(), QSize(728, 56));
        QCOMPARE(strip.devicePixelRatio(), 2.0);
    }

    // A folder without @2x files, a @2x file of the wrong size, and a @2x file without its 1x
    // picture: the 1x file, the 1x file, and nothing, as a damaged folder always gave.
    void loaderFallsBackToTheOneXFile() {
        test::TempGameFolder dir;
        test::copyShippedOneXPictures(dir.path());
        const GameFolder folder = dir.folder();
        const QImage plain = loadPicture(folder, "\\img\\arena.jpg", 2.0);
        QCOMPARE(plain.size(), QSize(800, 400));
        QCOMPARE(plain.devicePixelRatio(), 1.0);

        QVERIFY(test::shippedPicture("arena.jpg")
                    .scaled(1000, 500)
                    .save(QString::fromStdString((dir.path() / "img" / "arena@2x.jpg").string())));
        const QImage wrongSize = loadPicture(folder, "\\img\\arena.jpg", 2.0);
        QCOMPARE(wrongSize.size(), QSize(800, 400));
        QCOMPARE(wrongSize.devicePixelRatio(), 1.0);

        std::filesystem::copy_file(std::filesystem::path(VARGO_SOURCE_DIR) / "data/img/effect@2x.jpg",
                                   dir.path() / "img" / "spark@2x.jpg");
        QVERIFY(loadPicture(folder, "\\img\\spark.jpg", 2.0).isNull());
        QVERIFY(loadPixmap(folder, "\\img\\spark.jpg", 2.0).isNull());
        QVERIFY(loadPicture(folder, "\\img\\nothing.jpg", 1.0).isNull());
    }

    void fittingKeepsTheDensity() {
        const QPixmap two = loadPixmap(kShipped, "img/VARGO01S.jpg", 2.0);
        const QPixmap fitted = fitPicture(two, QSize(200, 200));
        QCOMPARE(fitted.devicePixelRatio(), 2.0);
        QCOMPARE(fitted.size(), QSize(400, 400));
        const QPixmap one = fitPicture(loadPixmap(kShipped, "img/VARGO01S.jpg", 1.0), QSize(240, 240));
        QCOMPARE(one.size(), QSize(240, 240));
        QVERIFY(test::samePixels(one.toImage(), test::shippedPicture("VARGO01S.jpg")));
        QVERIFY(fitPicture(QPixmap(), QSize(10, 10)).isNull());
    }

    // What the scene relies on, tried on Qt itself: drawn into a picture of ratio 2, a pixmap of
    // ratio 2 is read with its source rectangle in the pixmap's own pixels and copied pixel for
    // pixel into a target given in logical pixels.
    void painterReadsTheSourceInThePixmapsPixels() {
        QImage source(8, 8, QImage::Format_RGB32);  // four 4 x 4 quarters, 2 x 2 logical each
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                source.setPixel(x, y, qRgb(x * 30, y * 30, (x < 4) == (y < 4) ? 200 : 0));
            }
        }
        QPixmap pixmap = QPixmap::fromImage(source);
        pixmap.setDevicePixelRatio(2.0);
        QImage canvas(20, 20, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(2.0);
        canvas.fill(Qt::black);
        {
            QPainter p(&canvas);
            // The top right quarter: x 4..7 in the pixmap's pixels, shown at logical (3, 1).
            p.drawPixmap(QRectF(3, 1, 2, 2), pixmap, QRectF(4, 0, 4, 4));
            // The integer form reads its source the same way and keeps the logical size 2 x 2.
            p.drawPixmap(6, 6, pixmap, 0, 4, 4, 4);
        }
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                QCOMPARE(canvas.pixel(6 + x, 2 + y), source.pixel(4 + x, y));
                QCOMPARE(canvas.pixel(12 + x, 12 + y), source.pixel(x, 4 + y));
            }
        }
        QCOMPARE(canvas.pixel(16, 12), qRgb(0, 0, 0));  // nothing past the logical 2 x 2
        QCOMPARE(canvas.pixel(5, 2), qRgb(0, 0, 0));
    }

    // The scene drawn at ratio 2 takes its robots and spark from the @2x files, pixel for pixel,
    // and reduced to 800 x 400 it is the 1x scene: every picture stands where the 1x one does.
    void sceneAtRatioTwoIsTheOneXSceneSharper() {
        SceneWidget scene(kShipped);
        const SceneFrame apart = test::sceneAtSpan(10, 480, 960, {{600, 300}});
        const QImage two = scene.render(apart, 2.0);
        QCOMPARE(two.size(), QSize(1600, 800));
        QCOMPARE(two.devicePixelRatio(), 2.0);
        const QImage one = scene.render(apart);
        QCOMPARE(one.size(), QSize(800, 400));

        const SceneFighter& f0 = apart.fighters[0];
        const QPoint p0 = test::verifySharpFighter(two, "VARGO01.jpg", "VARGO01M.jpg", f0);
        if (QTest::currentTestFailed()) {
            return;
        }
        QVERIFY(two.pixel(QPoint(2 * f0.x, 2 * f0.y) + p0) !=
                test::shippedSprite("VARGO01.jpg", "VARGO01M.jpg")
                    .pixel(QPoint(f0.column, f0.row) + test::underOneX(p0)));
        test::verifySharpFighter(two, "VARGO0202.jpg", "VARGO02M.jpg", apart.fighters[1]);
        if (QTest::currentTestFailed()) {
            return;
        }

        const QImage spark = test::shippedSprite("effect@2x.jpg", "effect_m@2x.jpg");
        const QImage spark1 = test::shippedSprite("effect.jpg", "effect_m.jpg");
        const QPoint ps = test::tellingPoint(spark, spark1, QPoint(0, 0), 80);
        QVERIFY(ps.x() >= 0);
        QCOMPARE(two.pixel(QPoint(1200, 600) + ps), spark.pixel(ps));

        const QImage arena = test::shippedPicture("arena@2x.jpg").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(two.pixel(1500, 100), arena.pixel(1500, 100));

        // Overlapping robots and sparks, reduced: the 1x scene, at 2 and at 1.5.
        const SceneFrame close = test::sceneAtSpan(0, 480, 960, {{330, 40}, {335, 60}, {340, 80}});
        for (const qreal ratio : {2.0, 1.5}) {
            const QImage reduced = test::asOneX(scene.render(close, ratio));
            QVERIFY(test::meanDifference(reduced, scene.render(close)) < 3.0);
            const double difference = test::worstBlockDifference(reduced, scene.render(close));
            QVERIFY2(difference < kSceneBound, qPrintable(QString::number(difference)));
            // The bound sees either robot drawn one pixel off.
            for (const size_t who : {size_t{0}, size_t{1}}) {
                SceneFrame moved = close;
                moved.fighters[who].x += 1;
                const double off =
                    test::worstBlockDifference(test::asOneX(scene.render(moved, ratio)), scene.render(close));
                QVERIFY2(off > kSceneBound, qPrintable(QString::number(off)));
            }
        }
    }

    // At scale 1 the windows show the 1x files even where @2x files exist, and the scene widget
    // paints what render() draws at ratio 1.
    void windowsAtScaleOneShowTheOneXFiles() {
        const QStringList problems = test::windowPictureProblems(VARGO_SOURCE_DIR "/data", false);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));

        SceneWidget scene(kShipped);
        scene.setAnimated(false);
        const SceneFrame frame = test::sceneAtSpan(3, 720, 0, {{300, 50}});
        scene.play({frame});
        scene.show();
        QVERIFY(QTest::qWaitForWindowExposed(&scene));
        const QImage shown = scene.grab().toImage();
        QCOMPARE(shown.size(), QSize(800, 400));
        QVERIFY(test::samePixels(shown, scene.render(frame)));
    }
};

QTEST_MAIN(PictureDensityTest)
#include "picture_density_qttest.moc"
