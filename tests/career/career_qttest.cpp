// A whole short career played through the windows: a new player, the shop, assembly, the logic
// editor, a simulation, a tournament, months of work, a save, a load, and the final record. Every
// modal window the game opens is answered by an autopilot that acts like a cautious player.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "support/test_support.h"
#include "ui/career/design_window.h"
#include "ui/game_app_qt.h"
#include "ui/screens/program_window.h"
#include "ui/screens/startup_window.h"
#include "ui/theme_qt.h"

using namespace vargo;

namespace {

// Saves a window's picture for the README when VARGO_SCREENSHOT_DIR names a folder.
void shoot(QWidget* w, const char* file) {
    QByteArray dir = qgetenv("VARGO_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(QString(dir));
        QTest::qWait(30);
        w->grab().save(QString(dir) + "/" + file);
    }
}

void clickWidget(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// Answers whatever modal window is on top, one gesture per tick.
class Autopilot : public QObject {
public:
    explicit Autopilot(QObject* parent) : QObject(parent) {
        qApp->installEventFilter(this);
        timer.setInterval(2);
        connect(&timer, &QTimer::timeout, this, [this] { tick(); });
        timer.start();
    }

    QStringList messages;  ///< every prompt text seen, in order
    int fightsSeen = 0;
    int bracketsSeen = 0;
    int shopsSeen = 0;
    int editorsSeen = 0;
    QString slotDigits = "1";

protected:
    // Keeps our own stack of shown windows: the newest visible modal one is the one to answer.
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show || e->type() == QEvent::Hide) {
            if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow()) {
                shown.removeAll(w);
                if (e->type() == QEvent::Show) {
                    shown.append(w);
                }
            }
        }
        return false;
    }

private:
    QWidget* topModal() {
        for (qsizetype i = shown.size() - 1; i >= 0; --i) {
            QWidget* w = shown[i];
            if (w && w->isVisible() && w->isModal()) {
                return w;
            }
        }
        return nullptr;
    }

    void tick() {
        QWidget* top = topModal();
        // A gesture of ours may open a nested dialog; that one is answered, the one below waits.
        if (!top || acting.contains(top)) {
            return;
        }
        if (qEnvironmentVariableIsSet("VARGO_AUTOPILOT_TRACE") && top->objectName() != lastTraced) {
            lastTraced = top->objectName();
            qInfo() << "autopilot:" << lastTraced << top->windowTitle();
        }
        // Act from a fresh single-shot: a gesture that opens a nested dialog keeps its callback
        // running, and a timer is never fired again while its own callback runs.
        acting.insert(top);
        QPointer<QWidget> guard(top);
        QTimer::singleShot(0, this, [this, guard] {
            if (guard) {
                act(guard);
            }
            acting.remove(guard.data());
        });
    }

    void act(QWidget* top) {
        const QString name = top->objectName();
        if (auto* box = qobject_cast<QMessageBox*>(top)) {
            messages << box->text();
            if (box->text().startsWith("最終成績")) {
                shoot(box, "final_record.png");
            }
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            (yes ? yes : ok ? ok : box->buttons().first())->click();
        } else if (name == "CareerChart") {
            messages << "CareerChart";
            shoot(top, "career_chart.png");
            qobject_cast<QDialog*>(top)->reject();
        } else if (name == "DMsg") {
            messages << top->findChild<QLabel*>("lblMsg")->text();
            top->findChild<QPushButton*>("cmdOK")->click();
        } else if (name == "FCharMake") {
            top->findChild<QLineEdit*>("dspName")->setText("テスト工房長");
            shoot(top, "char_make.png");
            top->findChild<QPushButton*>("cmdEntry")->click();
        } else if (name == "Shop") {
            shop(top);
        } else if (name == "Program") {
            program(top);
        } else if (name == "SVLD") {
            for (QChar d : slotDigits) {
                top->findChild<QPushButton*>(QString("Command1_%1").arg(d))->click();
            }
            top->findChild<QPushButton*>("Command2_1")->click();
        } else if (name == "DialogAction") {
            // The first pattern the turn's points can pay for; a grey one ignores the click.
            for (int i = 0; i < 6 && top->isVisible(); ++i) {
                clickWidget(top->findChild<QWidget*>(QString("dspPattern_%1").arg(i)));
            }
        } else if (name == "dialogMove") {
            top->findChild<QPushButton*>("Command1_0")->click();
        } else if (name == "Fight") {
            if (top != lastFight) {
                lastFight = top;
                ++fightsSeen;
            }
            auto* next = top->findChild<QPushButton*>("cmdNext");
            if (next->isEnabled()) {
                next->click();
            }
        } else if (name == "frmTornament") {
            ++bracketsSeen;
            top->findChild<QPushButton*>("Command1")->click();
        }
    }

    // The cheapest complete Doll: the first row of every kind but boosters and plates.
    void shop(QWidget* top) {
        if (top != lastShop) {
            lastShop = top;
            ++shopsSeen;
            shopStep = 0;
        }
        const int kinds[] = {0, 1, 4, 5, 6, 7};
        if (shopsSeen > 1 || shopStep >= 6) {
            top->close();
            return;
        }
        if (qEnvironmentVariableIsSet("VARGO_AUTOPILOT_TRACE")) {
            qInfo() << "shop step" << shopStep;
        }
        auto* combo = top->findChild<QComboBox*>("ComboShop");
        auto* table = top->findChild<QTableWidget*>("List1");
        combo->setCurrentIndex(kinds[shopStep++]);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(0, 0)).center());
    }

    // Six patterns: close in and punch, get up, escape, and three attacks.
    void program(QWidget* top) {
        ++editorsSeen;
        auto* editor = static_cast<ProgramWindow*>(top);
        const std::vector<std::vector<int>> patterns = {{1, 4}, {3}, {11}, {4, 4}, {5}, {6, 7}};
        const char* names[] = {"突撃", "起き上がり", "脱出", "連打", "蹴り", "投げ技"};
        for (int p = 0; p < 6; ++p) {
            top->findChild<QLineEdit*>(QString("Text1_%1").arg(p))->setText(names[p]);
            const std::vector<int>& steps = patterns[static_cast<size_t>(p)];
            for (size_t k = 0; k < steps.size(); ++k) {
                editor->dropChip(QString("p:%1").arg(steps[k]), p * 10 + static_cast<int>(k));
            }
        }
        top->findChild<QPushButton*>("cmdRegist")->click();
    }

    QTimer timer;
    QList<QPointer<QWidget>> shown;
    QString lastTraced;
    QSet<QWidget*> acting;
    QWidget* lastFight = nullptr;
    QWidget* lastShop = nullptr;
    int shopStep = 0;
};

}  // namespace

class CareerTest : public QObject {
    Q_OBJECT
private slots:
    void wholeCareerThroughTheWindows() {
        test::TempGameFolder dir;
        std::filesystem::copy(VARGO_SOURCE_DIR "/data", dir.path(), std::filesystem::copy_options::recursive);
        GameApp app(dir.path(), 20130101);
        auto* pilot = new Autopilot(&app);
        app.showStartUp();
        shoot(app.startWindow(), "start.png");

        // A new player; the workshop opens the shop first and the autopilot buys a cheap Doll.
        app.startWindow()->findChild<QPushButton*>("Command1_0")->click();
        DesignWindow* w = app.workshop();
        QVERIFY(w);
        QCOMPARE(pilot->shopsSeen, 1);
        Game& game = app.state();
        QCOMPARE(game.owner(0).name, std::string("テスト工房長"));
        QCOMPARE(w->findChild<QLabel*>("dspDate")->text(), QString("2013/01/01"));

        // Fit every part bought: the first row of each kind.
        auto* kinds = w->findChild<QComboBox*>("cmbParts");
        auto* parts = w->findChild<QListWidget*>("ListPart");
        for (int kind : {0, 1, 4, 5, 6, 7}) {
            kinds->setCurrentIndex(kind);
            QCOMPARE(parts->count(), 2);
            clickRow(parts, 0);
        }
        QVERIFY(w->findChild<QPushButton*>("cmdProgram")->isEnabled());
        w->findChild<QPushButton*>("cmdProgram")->click();
        QCOMPARE(pilot->editorsSeen, 1);
        QVERIFY(game.theDoll(0).programed);
        shoot(w, "workshop_assembled.png");
        w->findChild<QAction*>("mnDel")->trigger();
        QWidget* enemyList = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "FEnemyList" && top->isVisible()) {
                enemyList = top;
            }
        }
        QVERIFY(enemyList);  // modeless: the workshop goes on beside it
        shoot(enemyList, "enemy_list.png");

        // A simulation, fought to the end by pressing Next.
        w->findChild<QPushButton*>("cmdStreet")->click();
        QCOMPARE(pilot->fightsSeen, 1);
        QCOMPARE(game.gameDate.format(), std::string("2013/01/01"));
        int fought = game.owner(0).recWin + game.owner(0).recLoose;

        // A tournament of the Doll's class: a month passes and at least one bout is fought.
        w->findChild<QPushButton*>("cmdTornament")->click();
        QVERIFY(pilot->bracketsSeen >= 1);
        QCOMPARE(game.gameDate.format(), std::string("2013/02/01"));
        QVERIFY(game.owner(0).recWin + game.owner(0).recLoose > fought);

        // A month of work, then a save to slot 1.
        w->findChild<QPushButton*>("cmdWork")->click();
        QCOMPARE(w->findChild<QLabel*>("dspDate")->text(), QString("2013/03/01"));
        QVERIFY(!game.savedFlag);
        w->findChild<QAction*>("mnSave")->trigger();
        QVERIFY(game.savedFlag);
        const int money = game.owner(0).Rl;
        const std::string dollName = game.theDoll(0).name;

        // Back to the start window and load the career again.
        w->findChild<QAction*>("mnStart")->trigger();
        QTRY_VERIFY(!app.workshop());
        QVERIFY(app.startWindow()->isVisible());
        app.startWindow()->findChild<QPushButton*>("Command1_1")->click();
        w = app.workshop();
        QVERIFY(w);
        QCOMPARE(game.owner(0).name, std::string("テスト工房長"));
        QCOMPARE(int(game.owner(0).Rl), money);
        QCOMPARE(game.theDoll(0).name, dollName);
        QCOMPARE(w->findChild<QLabel*>("dspDate")->text(), QString("2013/03/01"));

        // Work to the end of the career: the final record, then the start window again.
        for (int month = 0; month < 34; ++month) {
            QVERIFY(app.workshop());
            app.workshop()->findChild<QPushButton*>("cmdWork")->click();
        }
        QTRY_VERIFY(!app.workshop());
        QVERIFY(app.startWindow()->isVisible());
        QVERIFY(pilot->messages.filter("最終成績").size() == 1);
        // The final record comes with the career chart, drawn from a snapshot of every month-end.
        QCOMPARE(pilot->messages.filter("CareerChart").size(), 1);
        QVERIFY(game.history.points.size() >= 34);
        QCOMPARE(game.history.points.back().date.format(), std::string("2016/01/01"));
        QCOMPARE(game.gameDate.format(), std::string("2016/01/01"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyTheme(app);
    CareerTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "career_qttest.moc"
