// The main windows on a high-density screen: at a scale of 2 (QT_SCALE_FACTOR; ctest also runs the
// test at 1.5) every label and button shows its whole text, the pictures come from the @2x files
// (and from the 1x files in a folder without them), and with VARGO_SCREENSHOT_DIR set each window's
// picture is saved at the screen's full resolution as NAME@2x.png.

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QtTest>

#include "model/career_history.h"
#include "model/catalogue.h"
#include "model/game.h"
#include "persistence/enemy_registry.h"
#include "ports/prompts.h"
#include "ports/sound.h"
#include "support/fake_actions.h"
#include "support/picture_support.h"
#include "support/qt_support.h"
#include "support/test_support.h"
#include "ui/battle/scene_widget.h"
#include "ui/career/career_chart_window.h"
#include "ui/career/char_make_window.h"
#include "ui/career/design_window.h"
#include "ui/persistence/enemy_list_window.h"
#include "ui/persistence/save_slot_window.h"
#include "ui/screens/program_window.h"
#include "ui/screens/shop_window.h"
#include "ui/screens/startup_window.h"

using namespace vargo;

class HighDpiTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PictureBench> bench;
    Game* game = nullptr;
    ScriptedPrompts prompts;
    RecordingSound sound;
    test::FakeActions actions;

    // A career a few months in, with a complete Doll, so every window has something to show.
    void prepare() {
        bench = std::make_unique<test::PictureBench>(VARGO_SOURCE_DIR "/data");
        game = &bench->game;
    }

    void check(QWidget* w, const QString& picture) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::qWait(20);
        const QStringList clipped = test::clippedTexts(w);
        QVERIFY2(clipped.isEmpty(), qPrintable(picture + ": " + clipped.join(", ")));
        save(w, picture);
    }

    void save(QWidget* w, const QString& picture) {
        const QString dir = qEnvironmentVariable("VARGO_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            const qreal scale = w->devicePixelRatioF();
            QVERIFY(w->grab().save(dir + "/" + picture + QString("@%1x.png").arg(scale)));
        }
    }

    // How close the battle scene on this screen, reduced to 800 x 400, must be to the 1x scene in
    // the worst 16 x 16 square (mean over its pixels and channels, 0..255): sharper edges differ by
    // up to about 14, a robot one pixel off by about 30.
    static constexpr double kSceneBound = 20.0;

    /// The scene widget showing a frame, on a game folder, as the screen shows it.
    static QImage shownScene(const std::filesystem::path& folder, const SceneFrame& frame) {
        SceneWidget scene{GameFolder(folder)};
        scene.setAnimated(false);
        scene.play({frame});
        scene.show();
        if (!QTest::qWaitForWindowExposed(&scene)) {
            return {};
        }
        return scene.grab().toImage();
    }

private slots:
    void initTestCase() {
        test::useGameFont();
        QVERIFY(qApp->devicePixelRatio() > 1.0);
    }
    void init() { prepare(); }

    // The check itself: a label narrower than its text and a button narrower than its caption
    // are both found.
    void checkFindsClippedText() {
        QWidget w;
        auto* label = new QLabel("ソフト（移動）ソフト（移動）", &w);
        label->setObjectName("narrowLabel");
        label->setGeometry(0, 0, 30, 20);
        auto* button = new QPushButton("&Tornament", &w);
        button->setGeometry(0, 30, 20, 20);
        w.show();
        const QStringList clipped = test::clippedTexts(&w);
        QCOMPARE(clipped.size(), 2);
        QVERIFY(clipped[0].startsWith("narrowLabel"));
        QVERIFY(clipped[1].startsWith("「Tornament」"));
    }

    void startAndCharMake() {
        StartUpWindow start(VARGO_SOURCE_DIR "/data");
        check(&start, "start");
        CharMakeWindow make(*game);
        check(&make, "char_make");
    }

    void workshop() {
        game->guideOn = true;
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        auto* kinds = w.findChild<QComboBox*>("cmbParts");
        auto* parts = w.findChild<QListWidget*>("ListPart");
        for (int kind = 0; kind < 8; ++kind) {
            kinds->setCurrentIndex(kind);
            QTest::mouseClick(parts->viewport(), Qt::LeftButton, {},
                              parts->visualItemRect(parts->item(0)).center());
        }
        check(&w, "workshop");
    }

    void shopAndProgram() {
        CatalogueReader reader{game->folder};
        ShopWindow shop(*game, reader, prompts, &sound);
        shop.findChild<QComboBox*>("ComboShop")->setCurrentIndex(5);
        check(&shop, "shop");
        game->guideOn = true;
        ProgramWindow program(*game, prompts);
        check(&program, "program");
        QCOMPARE(program.minimumSize(), program.maximumSize());  // never stretched apart
    }

    void saveSlotsAndEnemies() {
        SaveSlotWindow slotWindow(game->folder, SaveSlotMode::Load, prompts);
        check(&slotWindow, "svld");
        test::TempGameFolder dir;
        dir.copyShippedIni();
        EnemyRegistry registry(dir.folder(), prompts);
        EnemyListWindow list(registry, prompts);
        check(&list, "enemy_list");
    }

    // The start window's Dolls, the workshop's Doll and the editor's chips are the @2x files at
    // device pixel ratio 2, laid out at their 1x size.
    void windowsShowTheSharpPictures() {
        const QStringList problems = test::windowPictureProblems(VARGO_SOURCE_DIR "/data", true);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
    }

    // The battle scene on this screen is drawn from the @2x pictures: at a scale of 2 exactly the
    // screen's pixels are theirs; at any scale, reduced to 800 x 400, it is the 1x scene.
    void battleSceneIsDrawnFromTheSharpPictures() {
        const qreal ratio = qApp->devicePixelRatio();
        const SceneFrame apart = test::sceneAtSpan(10, 720, 480, {{600, 300}});
        const QImage shown = shownScene(VARGO_SOURCE_DIR "/data", apart);
        QCOMPARE(shown.size(), QSize(800, 400) * ratio);
        if (ratio == 2.0) {
            test::verifySharpFighter(shown, "VARGO01.jpg", "VARGO01M.jpg", apart.fighters[0]);
            if (QTest::currentTestFailed()) {
                return;
            }
            const QImage spark = test::shippedSprite("effect@2x.jpg", "effect_m@2x.jpg");
            const QPoint s =
                test::tellingPoint(spark, test::shippedSprite("effect.jpg", "effect_m.jpg"), {}, 80);
            QVERIFY(s.x() >= 0);
            QCOMPARE(shown.pixel(QPoint(1200, 600) + s), spark.pixel(s));
        }

        SceneWidget oneX{GameFolder(VARGO_SOURCE_DIR "/data")};
        const SceneFrame close = test::sceneAtSpan(0, 480, 960, {{330, 40}, {335, 60}, {340, 80}});
        const QImage closeShown = shownScene(VARGO_SOURCE_DIR "/data", close);
        QVERIFY(test::meanDifference(test::asOneX(closeShown), oneX.render(close)) < 3.0);
        const double difference = test::worstBlockDifference(test::asOneX(closeShown), oneX.render(close));
        QVERIFY2(difference < kSceneBound, qPrintable(QString::number(difference)));
        SceneFrame moved = close;
        moved.fighters[1].x -= 1;
        const double off = test::worstBlockDifference(
            test::asOneX(shownScene(VARGO_SOURCE_DIR "/data", moved)), oneX.render(close));
        QVERIFY2(off > kSceneBound, qPrintable(QString::number(off)));
        const QString dir = qEnvironmentVariable("VARGO_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            QVERIFY(closeShown.save(dir + QString("/battle@%1x.png").arg(ratio)));
        }
    }

    // A game folder without @2x files: every window shows the 1x pictures, and the scene still
    // draws, the 1x pictures stretched to the screen.
    void withoutSharpPicturesTheOneXFilesAreShown() {
        test::TempGameFolder dir;
        dir.copyShippedIni();
        test::copyShippedOneXPictures(dir.path());
        const QStringList problems = test::windowPictureProblems(dir.path(), false);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));

        const qreal ratio = qApp->devicePixelRatio();
        const SceneFrame close = test::sceneAtSpan(0, 480, 960, {{330, 40}});
        const QImage shown = shownScene(dir.path(), close);
        QCOMPARE(shown.size(), QSize(800, 400) * ratio);
        SceneWidget oneX{GameFolder(dir.path())};
        const QImage expected = oneX.render(close);
        if (ratio == 2.0) {
            // Every 1x pixel doubled.
            for (const QPoint p : {QPoint(300, 150), QPoint(350, 120), QPoint(100, 300), QPoint(345, 65)}) {
                QCOMPARE(shown.pixel(2 * p), expected.pixel(p));
                QCOMPARE(shown.pixel(2 * p + QPoint(1, 1)), expected.pixel(p));
            }
        }
        QVERIFY(test::meanDifference(test::asOneX(shown), expected) < 3.0);
        const double difference = test::worstBlockDifference(test::asOneX(shown), expected);
        QVERIFY2(difference < kSceneBound, qPrintable(QString::number(difference)));
    }

    void careerChart() {
        CareerHistory history;
        for (int m = 0; m < 14; ++m) {
            CareerSnapshot s;
            s.date = GameDate{2013 + (m / 12), 1 + (m % 12), 1};
            s.moment = m == 0 ? CareerMoment::Start : CareerMoment::MonthEnd;
            s.money = 1500 + 420 * m;
            s.value = 1300 + 260 * m;
            s.wins = m * 2;
            s.losses = m / 2;
            s.championships = m / 4;
            history.points.push_back(s);
        }
        CareerChartWindow chart(history, "経歴　鋼野拳士");
        check(&chart, "career_chart");
        // Escape closes it, as Close does.
        QTest::keyClick(&chart, Qt::Key_Escape);
        QVERIFY(!chart.isVisible());
    }
};

int main(int argc, char** argv) {
    // Before the application starts: the scale is read once, when the screens are set up.
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        qputenv("QT_SCALE_FACTOR", "2");
    }
    QApplication app(argc, argv);
    HighDpiTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "high_dpi_qttest.moc"
