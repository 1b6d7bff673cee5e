// The main windows on a high-density screen: at a scale of 2 (QT_SCALE_FACTOR; ctest also runs the
// test at 1.5) every label and button shows its whole text, and with VARGO_SCREENSHOT_DIR set each
// window's picture is saved at the screen's full resolution as NAME@2x.png.

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
#include "support/qt_support.h"
#include "support/test_support.h"
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

    std::unique_ptr<ScriptedRandom> rng;
    std::unique_ptr<Game> game;
    ScriptedPrompts prompts;
    RecordingSound sound;
    test::FakeActions actions;

    // A career a few months in, with a complete Doll, so every window has something to show.
    void prepare() {
        rng = std::make_unique<ScriptedRandom>(std::vector<double>(64, 0.5));
        game = std::make_unique<Game>(GameFolder(VARGO_SOURCE_DIR "/data"), *rng);
        CatalogueReader cat{game->folder};
        Owner& o = game->owner(0);
        o.name = "鋼野拳士";
        o.Rl = 12345;
        o.setMotor(cat.ld_Motor(5));
        o.setFrame(cat.ld_Frame(6));
        o.setHard(cat.ld_Hard(5));
        o.setBooster(cat.ld_Boost(4));
        o.setProtector(cat.ld_Protect(4));
        o.setSoftM(cat.ld_SoftM(2));
        o.setSoftA(cat.ld_SoftA(4));
        o.setSoftD(cat.ld_SoftD(2));
    }

    void check(QWidget* w, const QString& picture) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::qWait(20);
        const QStringList clipped = test::clippedTexts(w);
        QVERIFY2(clipped.isEmpty(), qPrintable(picture + ": " + clipped.join(", ")));
        const QString dir = qEnvironmentVariable("VARGO_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            const qreal scale = w->devicePixelRatioF();
            QVERIFY(w->grab().save(dir + "/" + picture + QString("@%1x.png").arg(scale)));
        }
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
