// The battle window on fights in memory: a whole simulation played by pressing Next, giving up,
// the log's scroll buttons, the guide, and the scene drawn where the robots must stand.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <map>

#include "battle/fight_view.h"
#include "persistence/enemy_registry.h"
#include "screen_bench.h"
#include "ui/battle/fight_window.h"
#include "ui/qt_text.h"
#include "ui/theme_qt.h"

using namespace vargo;
using test::ScreenBench;

namespace {
QImage picture(const char* relative) {
    return QImage(QString(VARGO_SOURCE_DIR "/data/img/") + relative);
}

// A point well inside the robot of one sheet cell (opaque in a 9 x 9 square around it), above the
// floor so no floor ring is near; the point nearest the cell's centre.
QPoint solidPoint(const QImage& mask, int column, int row) {
    const QImage m = mask.convertToFormat(QImage::Format_Grayscale8);
    QPoint best(-1, -1);
    int bestDistance = 1 << 30;
    for (int y = 20; y < 190; ++y) {
        for (int x = 10; x < 230; ++x) {
            bool solid = true;
            for (int dy = -4; dy <= 4 && solid; ++dy) {
                for (int dx = -4; dx <= 4 && solid; ++dx) {
                    solid = qGray(m.pixel(column + x + dx, row + y + dy)) < SpriteSheets::kThreshold;
                }
            }
            const int d = (x - 120) * (x - 120) + (y - 110) * (y - 110);
            if (solid && d < bestDistance) {
                bestDistance = d;
                best = QPoint(x, y);
            }
        }
    }
    return best;
}

// The robot's own colour at a point of its cell, as the scene must show it.
QRgb spritePixel(const char* sheet, const char* mask, int column, int row, QPoint p) {
    return SpriteSheets::applyMask(picture(sheet), picture(mask)).pixel(column + p.x(), row + p.y());
}
}  // namespace

class FightWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ScreenBench> bench;

    /// A street fight against one enemy, the window loaded and shown without animation.
    std::unique_ptr<FightWindow> openStreet(std::uint64_t seed) {
        bench = std::make_unique<ScreenBench>(seed);
        bench->game.dolls[0] = test::strikerDoll("ブルーホーク", 0, "01");
        bench->enemies.add(test::strikerDoll("レッドボルト", 1, "0202"));
        auto w = std::make_unique<FightWindow>(bench->fight, bench->game.folder);
        w->scene()->setAnimated(false);
        return w;
    }

    QLabel* label(QWidget& w, const char* name) {
        auto* l = w.findChild<QLabel*>(name);
        if (!l) {
            qFatal("no label %s", name);
        }
        return l;
    }

    /// The scene's last frame for the fight as it stands.
    QImage sceneNow(FightWindow& w) {
        w.refresh();
        return w.scene()->render(w.scene()->finalFrame());
    }

private slots:
    // The whole fight without a mouse: Next is the window's default button, so Enter plays every
    // step until the result.
    void wholeSimulationIsFoughtByEnter() {
        auto w = openStreet(11);
        bench->orders({1, 2, 3, 4});
        QVERIFY(w->start());
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(w->minimumSize(), w->maximumSize());  // drawn at its contents' size, never stretched
        Fight& f = bench->fight;
        int presses = 0;
        while (!f.closed() && presses < 3000) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : w.get(), Qt::Key_Return);
            ++presses;
        }
        QVERIFY(f.closed());
        QVERIFY(presses > 10);
        QVERIFY(!bench->prompts.messages().empty());
    }

    // Every label shows the fight after each step, the bars are 20 twips (4/3 pixel) per HP with the
    // opponent's ending at 9500 twips, and the window closes with the result once a Doll is broken.
    void wholeSimulationIsFoughtByPressingNext() {
        auto w = openStreet(11);
        bench->orders({1, 2, 3, 4});
        QVERIFY(w->start());
        w->show();
        QCOMPARE(w->windowTitle(), QString("StreetFight"));
        QCOMPARE(w->findChild<QPushButton*>("cmdNext")->toolTip(), QString("試合を進める"));
        QCOMPARE(label(*w, "dspAbl0")->text().count('\n'), 13);

        Fight& f = bench->fight;
        auto* next = w->findChild<QPushButton*>("cmdNext");
        auto* band = w->findChild<QWidget*>("hpBand");
        const int origin = (band->width() - FightWindow::px(9500)) / 2;
        int presses = 0;
        bool sawDamage = false;
        while (!f.closed() && presses < 3000) {
            QTest::mouseClick(next, Qt::LeftButton);
            ++presses;
            if (f.closed()) {
                break;
            }
            for (int i = 0; i < 2; ++i) {
                const doll& d = f.fighter(i);
                QCOMPARE(label(*w, i ? "dspName1" : "dspName0")->text(), q(d.name));
                QCOMPARE(label(*w, i ? "dspHP1" : "dspHP0")->text(),
                         q("Motor:\n" + Str(static_cast<long long>(d.Motor->HP)) + "\nFrame:\n" +
                           Str(static_cast<long long>(d.frame->HP))));
                QLabel* motor = label(*w, i ? "barHP1" : "barHP0");
                QLabel* frame = label(*w, i ? "barHP3" : "barHP2");
                QCOMPARE(motor->width(), (20 * d.Motor->HP * 2 + 15) / 30);
                QCOMPARE(frame->width(), (20 * d.frame->HP * 2 + 15) / 30);
                if (i == 0) {
                    QCOMPARE(motor->x(), origin);
                } else {
                    QCOMPARE(motor->x() + motor->width(), origin + FightWindow::px(9500));
                    QCOMPARE(frame->x() + frame->width(), origin + FightWindow::px(9500));
                }
                sawDamage = sawDamage || d.Motor->HP < d.Motor->maxHP;
                QString state;
                if (f.ring().fighters[static_cast<size_t>(1 - i)].holding) {
                    state += "組まれている\n";
                }
                if (f.ring().fighters[static_cast<size_t>(i)].fallen) {
                    state += "転倒している\n";
                }
                QCOMPARE(label(*w, i ? "dspJoutai1" : "dspJoutai0")->text(), state);
                QCOMPARE(label(*w, i ? "dspAP1" : "dspAP0")->text(),
                         q(f.screen().dspAP[static_cast<size_t>(i)]));
            }
            const RingState& ring = f.ring();
            QCOMPARE(label(*w, "dspSpan")->text(), q("距離　" + Str(static_cast<long long>(ring.span))));
            QCOMPARE(label(*w, "dspMsg")->text(), q(f.battleLog()));
            const SceneFrame& frame = w->scene()->finalFrame();
            QCOMPARE(frame.fighters[0].x, ring.grappled() ? 220 : 220 - 10 * ring.span);
            QCOMPARE(frame.fighters[1].x, 240 + 10 * ring.span);
        }
        QVERIFY(f.closed());
        QVERIFY(sawDamage);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));
        const auto& last = bench->prompts.calls.back();
        QCOMPARE(q(last.title), QString("Simulation"));
        QVERIFY(last.msg == "ブルーホーク勝利" || last.msg == "ブルーホーク敗北");
        // A simulation leaves the player's Doll whole again.
        QCOMPARE(bench->game.dolls[0]->Motor->HP, bench->game.dolls[0]->Motor->maxHP);
        QCOMPARE(bench->sound.requests.front().name, std::string("fight"));
    }

    // A simulation against the shipped registry (in a copy of the game folder): the enemy drawn
    // from the files is shown with its own name and picture set, and the fight runs to its result.
    void simulationAgainstTheShippedRegistry() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const std::filesystem::path root(folder.path().toStdString());
        std::filesystem::copy(VARGO_SOURCE_DIR "/data/ini", root / "ini");
        std::filesystem::copy(VARGO_SOURCE_DIR "/data/save", root / "save");
        std::filesystem::create_directory_symlink(VARGO_SOURCE_DIR "/data/img", root / "img");

        GameRandom gameRng(7);
        Game game(GameFolder(root), gameRng);
        game.dolls[0] = test::strikerDoll("ブルーホーク", 0, "01");
        GameRandom dice(17);
        ScriptedPrompts prompts;
        ScriptedCommander commander;
        for (int i = 0; i < 2000; ++i) {
            commander.pushTechnique(1 + i % 4);
            commander.pushMove(0);
        }
        EnemyRegistry registry(game.folder, prompts);
        RegistryEnemies enemies(registry);
        RecordingSound sound;
        Fight fight(game, dice, prompts, commander, enemies, &sound);
        FightWindow w(fight, game.folder);
        w.scene()->setAnimated(false);
        QVERIFY(w.start());
        w.show();
        const doll& enemy = fight.fighter(1);
        QVERIFY(enemy.ID >= 1);
        QCOMPARE(label(w, "dspName1")->text(), q(enemy.name));
        QCOMPARE(w.scene()->finalFrame().fighters[1].sheet, spriteFiles(enemy.image).sheet);
        for (int n = 0; n < 3000 && !fight.closed(); ++n) {
            QTest::mouseClick(w.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
        }
        QVERIFY(fight.closed());
        QVERIFY(!w.isVisible());
        QCOMPARE(prompts.calls.back().title, std::string("Simulation"));
    }

    // The result of a bout is told over the step that decided it: when the first message comes, the
    // window already shows that step's HP and log, not the step before.
    void theDecidingStepIsDrawnBeforeTheResult() {
        // Answers as a script does, and notes what the window showed when the first message came.
        struct Peeking final : Prompts {
            ScriptedPrompts script;
            std::function<void()> onFirst;
            bool seen = false;
            void peek() {
                if (!seen && onFirst) {
                    seen = true;
                    onFirst();
                }
            }
            int askOkCancel(const std::string& m) override { return peek(), script.askOkCancel(m); }
            int askOkCancelTitled(const std::string& m, const std::string& t) override {
                return peek(), script.askOkCancelTitled(m, t);
            }
            int askYesNo(const std::string& m, const std::string& t) override {
                return peek(), script.askYesNo(m, t);
            }
            void showMsg(const std::string& m) override { peek(), script.showMsg(m); }
            void showMsgTitled(const std::string& m, const std::string& t) override {
                peek(), script.showMsgTitled(m, t);
            }
            void showMsgTall(const std::string& m, const std::string& t, int r) override {
                peek(), script.showMsgTall(m, t, r);
            }
            int msgBox(const std::string& m, BoxButtons b) override { return peek(), script.msgBox(m, b); }
        };
        GameRandom dice(11);
        Game game(GameFolder(VARGO_SOURCE_DIR "/data"), dice);
        game.dolls[0] = test::strikerDoll("ブルーホーク", 0, "01");
        MemoryEnemies enemies;
        enemies.add(test::strikerDoll("レッドボルト", 1, "0202"));
        ScriptedCommander commander;
        for (int t = 0; t < 1200; ++t) {
            commander.pushTechnique(1 + t % 3);
            commander.pushMove(0);
            commander.pushMove(0);
        }
        Peeking peeking;
        ScreenFirstPrompts told(peeking);
        RecordingSound sound;
        Fight fight(game, dice, told, commander, enemies, &sound);
        FightWindow w(fight, game.folder);
        w.scene()->setAnimated(false);
        w.drawBeforePrompts(told);
        QStringList shown, expected;
        peeking.onFirst = [&] {
            for (int i = 0; i < 2; ++i) {
                shown << label(w, i == 0 ? "dspHP0" : "dspHP1")->text();
                expected << q(vargo::dspHP(fight.screen(), i));
            }
            expected << q(fight.battleLog());
            shown << w.findChild<QLabel*>("dspMsg")->text();
        };
        QVERIFY(w.start());
        w.show();
        for (int n = 0; n < 3000 && !fight.closed(); ++n) {
            QTest::mouseClick(w.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
        }
        QVERIFY(fight.closed());
        QVERIFY(peeking.seen);
        QCOMPARE(shown, expected);
    }

    // A duel: the player orders both Dolls, the caption says "Duel", and the result is titled "DUEL".
    void duelIsOrderedForBothSides() {
        bench = std::make_unique<ScreenBench>(21);
        bench->game.dolls[0] = test::strikerDoll("ブルーホーク", 0, "01");
        bench->game.dolls[1] = test::strikerDoll("デュエリスト", 0, "0201");
        bench->fight.setMode(FightMode::Duel);
        bench->orders({1, 3, 2});
        FightWindow w(bench->fight, bench->game.folder);
        w.scene()->setAnimated(false);
        QVERIFY(w.start());
        w.show();
        QCOMPARE(w.windowTitle(), QString("Duel"));
        QCOMPARE(label(w, "dspName1")->text(), QString("デュエリスト"));
        for (int n = 0; n < 3000 && !bench->fight.closed(); ++n) {
            QTest::mouseClick(w.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
        }
        QVERIFY(!w.isVisible());
        QCOMPARE(bench->prompts.calls.back().title, std::string("DUEL"));
        QVERIFY(bench->fight.winner() == 0 || bench->fight.winner() == 1);
    }

    // Giving up asks first; "No" keeps fighting, "Yes" closes without a result.
    void giveUpAsksThenCloses() {
        auto w = openStreet(3);
        QVERIFY(w->start());
        w->show();
        bench->prompts.answer(false);
        QTest::mouseClick(w->findChild<QPushButton*>("cmdTap"), Qt::LeftButton);
        QVERIFY(w->isVisible());
        QCOMPARE(bench->prompts.calls.back().msg, std::string("ギブアップして試合を中断しますか？"));
        bench->prompts.answer(true);
        QTest::mouseClick(w->findChild<QPushButton*>("cmdTap"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QVERIFY(bench->fight.closed());
        QCOMPARE(bench->fight.winner(), -1);
    }

    // Escape (or the window's close box) is the same question as GiveUp.
    void closingTheWindowIsGivingUp() {
        auto w = openStreet(3);
        QVERIFY(w->start());
        w->show();
        bench->prompts.answer(false);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        bench->prompts.answer(true);
        QVERIFY(w->close());
        QVERIFY(bench->fight.closed());
    }

    // "▼" moves the log up by 600 twips (40 pixels) to bring later lines in, "▲" back; the log never
    // scrolls past its ends.
    void logScrollsByFortyPixels() {
        auto w = openStreet(3);
        QVERIFY(w->start());
        w->show();
        // Forty lines of log.
        FightTestAccess::tell(bench->fight, std::vector<FightEvent>(40, {FightEventKind::Guard}));
        w->refresh();
        auto* msg = label(*w, "dspMsg");
        QCOMPARE(msg->y(), 0);
        QTest::mouseClick(w->findChild<QPushButton*>("Command10"), Qt::LeftButton);
        QCOMPARE(msg->y(), -40);
        QTest::mouseClick(w->findChild<QPushButton*>("Command10"), Qt::LeftButton);
        QCOMPARE(msg->y(), -80);
        QTest::mouseClick(w->findChild<QPushButton*>("Command11"), Qt::LeftButton);
        QCOMPARE(msg->y(), -40);
        QTest::mouseClick(w->findChild<QPushButton*>("Command11"), Qt::LeftButton);
        QTest::mouseClick(w->findChild<QPushButton*>("Command11"), Qt::LeftButton);
        QCOMPARE(msg->y(), 0);
        // A new step shows its log from the top.
        QTest::mouseClick(w->findChild<QPushButton*>("Command10"), Qt::LeftButton);
        FightTestAccess::tell(bench->fight, {{FightEventKind::BackAway, 0, 0, 0, 0, 3}});
        w->refresh();
        QCOMPARE(msg->y(), 0);
    }

    void guideShowsUntilClicked() {
        auto w = openStreet(3);
        bench->game.guideOn = true;
        QVERIFY(w->start());
        w->show();
        auto* pane = w->findChild<QWidget*>("paneGuide");
        QVERIFY(pane->isVisible());
        QCOMPARE(label(*w, "dspGuide")->text(),
                 QString("試合画面です。Nextを押して進行し、指示にしたがって下さい。"));
        QTest::mouseClick(label(*w, "dspGuide"), Qt::LeftButton);
        QVERIFY(!pane->isVisible());
        w->refresh();
        QVERIFY(!pane->isVisible());
    }

    void noGuideWhenSwitchedOff() {
        auto w = openStreet(3);
        bench->game.guideOn = false;
        QVERIFY(w->start());
        w->show();
        QVERIFY(!w->findChild<QWidget*>("paneGuide")->isVisible());
    }

    // At span 10 the robots stand at x 120 and 340, at span 0 at 220 and 240; a grapple puts fighter
    // 0 at 220 in the grapple pose; a fallen robot lies in the down column. Sampled where a robot
    // must be (its own colour) and where it must not be (the arena's).
    void sceneShowsTheRobotsWhereTheRulesPutThem() {
        auto w = openStreet(3);
        QVERIFY(w->start());
        Fight& f = bench->fight;
        const QImage arena = picture("arena.jpg").convertToFormat(QImage::Format_RGB32);
        const QPoint p0 = solidPoint(picture("VARGO01M.jpg"), 0, 0);
        const QPoint p1 = solidPoint(picture("VARGO02M.jpg"), 0, 240);
        QVERIFY(p0.x() >= 0 && p1.x() >= 0);
        const QRgb stand0 = spritePixel("VARGO01.jpg", "VARGO01M.jpg", 0, 0, p0);
        const QRgb stand1 = spritePixel("VARGO0202.jpg", "VARGO02M.jpg", 0, 240, p1);
        // The scene follows the fight's events: each situation is told as the events that make it.
        auto tell = [&](FightEventKind kind, int who, int value, int after) {
            FightTestAccess::tell(f, {{kind, static_cast<std::int16_t>(who), 0, 0, value, after}});
        };
        auto span = [&](int n) { tell(FightEventKind::BackAway, 0, 0, n); };

        span(10);
        QImage s = sceneNow(*w);
        QCOMPARE(s.pixel(120 + p0.x(), 10 + p0.y()), stand0);
        QCOMPARE(s.pixel(340 + p1.x(), 10 + p1.y()), stand1);
        QCOMPARE(s.pixel(220 + p0.x(), 10 + p0.y()), arena.pixel(220 + p0.x(), 10 + p0.y()));

        span(0);
        s = sceneNow(*w);
        QCOMPARE(s.pixel(220 + p0.x(), 10 + p0.y()), stand0);
        QCOMPARE(s.pixel(240 + p1.x(), 10 + p1.y()), stand1);
        QCOMPARE(s.pixel(120 + p0.x(), 10 + p0.y()), arena.pixel(120 + p0.x(), 10 + p0.y()));
        QCOMPARE(s.pixel(440 + p1.x(), 10 + p1.y()), arena.pixel(440 + p1.x(), 10 + p1.y()));

        // Held at span 2: fighter 0 still at 220, both in the grapple column.
        span(2);
        tell(FightEventKind::Hold, 0, -1, 0);
        s = sceneNow(*w);
        const QPoint g0 = solidPoint(picture("VARGO01M.jpg"), 960, 0);
        QCOMPARE(s.pixel(220 + g0.x(), 10 + g0.y()), spritePixel("VARGO01.jpg", "VARGO01M.jpg", 960, 0, g0));
        QCOMPARE(label(*w, "dspJoutai1")->text(), QString("組まれている\n"));
        tell(FightEventKind::Hold, 0, 0, 0);

        // Fighter 1 down at span 0.
        span(0);
        tell(FightEventKind::Fall, 1, 0, 0);
        s = sceneNow(*w);
        const QPoint d1 = solidPoint(picture("VARGO02M.jpg"), 1200, 240);
        QVERIFY(d1.x() >= 0);
        QCOMPARE(s.pixel(240 + d1.x(), 10 + d1.y()),
                 spritePixel("VARGO0202.jpg", "VARGO02M.jpg", 1200, 240, d1));
        QCOMPARE(label(*w, "dspJoutai1")->text(), QString("転倒している\n"));
        tell(FightEventKind::Stand, 1, 0, 0);

        // What is painted on screen is what render() draws.
        w->show();
        span(10);
        s = sceneNow(*w);
        const QImage shown = w->scene()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(120 + p0.x(), 10 + p0.y()), s.pixel(120 + p0.x(), 10 + p0.y()));
        QCOMPARE(shown.pixel(340 + p1.x(), 10 + p1.y()), s.pixel(340 + p1.x(), 10 + p1.y()));
    }

    // With animation on, a step with several poses plays them one after another and comes to rest
    // on the step's last frame; the next press cuts a running animation short.
    void animationEndsWhereTheStepEnds() {
        auto w = openStreet(11);
        w->scene()->setAnimated(true);
        bench->orders({1, 2, 3, 4});
        QVERIFY(w->start());
        w->show();
        Fight& f = bench->fight;
        while (!f.closed() && f.screen().pictures.size() < 2) {
            QTest::mouseClick(w->findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
        }
        QVERIFY(!f.closed());
        QVERIFY(w->scene()->animating());
        QTRY_VERIFY_WITH_TIMEOUT(!w->scene()->animating(), 5000);
        const QImage rest = w->scene()->render(w->scene()->finalFrame());
        const QImage shown = w->scene()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // Below the distance label the screen and the final frame agree pixel for pixel.
        QCOMPARE(shown.copy(0, 60, 800, 340), rest.copy(0, 60, 800, 340));
    }

    // A Doll whose picture code is none of the known ones is drawn with the "0201" sheet.
    void unknownPictureCodeUsesTheLightHeavySheet() {
        auto w = openStreet(3);
        QVERIFY(w->start());
        bench->fight.fighterPtr(1)->image = "77";
        FightTestAccess::tell(bench->fight, {{FightEventKind::BackAway, 1, 0, 0, 0, 10}});
        const QImage s = sceneNow(*w);
        const QPoint p1 = solidPoint(picture("VARGO02M.jpg"), 0, 240);
        QCOMPARE(s.pixel(340 + p1.x(), 10 + p1.y()),
                 spritePixel("VARGO0201.jpg", "VARGO02M.jpg", 0, 240, p1));
    }

    // Three blows since the last drawing: three sparks, each 20 pixels lower than the one before,
    // drawn through the spark's mask.
    void threeBlowsDrawThreeSparks() {
        auto w = openStreet(3);
        QVERIFY(w->start());
        Fight& f = bench->fight;
        FightTestAccess::setEffects(f, 3, 1, 10);
        FightTestAccess::endFace(f);
        const std::vector<EffectSpark>& sparks = f.screen().sparks;
        QCOMPARE(sparks.size(), size_t(3));
        QCOMPARE(sparks[1].y - sparks[0].y, 20);
        QCOMPARE(sparks[2].y - sparks[1].y, 20);
        w->refresh();
        const QImage s = w->scene()->render(w->scene()->finalFrame());
        const QImage spark = SpriteSheets::applyMask(picture("effect.jpg"), picture("effect_m.jpg"));
        const QPoint c(20, 20);
        QCOMPARE(qAlpha(spark.pixel(c)), 255);
        for (const EffectSpark& e : sparks) {
            QCOMPARE(s.pixel(e.x + c.x(), e.y + c.y()), spark.pixel(c));
        }
    }

    // The pictures of the battle screen for the documentation: the opening, a punch that landed, a
    // grapple and a robot down, each the first such moment of a seeded fight.
    void screenshots() {
        const QByteArray dir = qgetenv("VARGO_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("set VARGO_SCREENSHOT_DIR to save the battle screen's pictures");
        }
        std::map<std::string, bool> taken;
        for (std::uint64_t seed = 1; seed < 40 && taken.size() < 4; ++seed) {
            auto w = openStreet(seed);
            bench->game.guideOn = true;
            bench->orders({1, 5, 2, 3, 4});
            QVERIFY(w->start());
            w->show();
            auto save = [&](const char* name) {
                if (!taken[name]) {
                    taken[name] = true;
                    QVERIFY(w->grab().save(QString(dir) + "/battle_" + name + ".png"));
                }
            };
            save("opening");
            const FightScreen& f = bench->fight.screen();
            for (int n = 0; n < 400 && !bench->fight.closed(); ++n) {
                QTest::mouseClick(w->findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
                if (bench->fight.closed()) {
                    break;
                }
                const bool down = f.fallen[0] || f.fallen[1];
                const bool punched = !f.sparks.empty() && !f.pictures.empty() &&
                                     std::string(f.pictures.back().action) == "パンチ";
                if (punched && !down && !f.grappled()) {
                    save("punch");
                }
                if (f.grappled() && !down) {
                    save("grapple");
                }
                if (down && !f.grappled() && n > 4) {
                    save("down");
                }
            }
        }
        QCOMPARE(taken.size(), size_t(4));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyTheme(app);
    FightWindowTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "fight_window_qttest.moc"
