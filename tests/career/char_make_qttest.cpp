// The player-creation window: its guide text, Reset after typing, Entry with an empty name, and a
// name box that takes only what the save files can hold.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "model/random.h"
#include "ui/career/char_make_window.h"

using namespace vargo;

class CharMakeTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GameRandom> rng;
    std::unique_ptr<Game> game;

private slots:
    void init() {
        rng = std::make_unique<GameRandom>(7);
        game = std::make_unique<Game>(GameFolder("."), *rng);
    }

    // Every guide line opens with an ideographic space, the first one included.
    void guideKeepsItsOpeningSpaceAndHidesOnClick() {
        game->guideOn = true;
        CharMakeWindow w(*game);
        w.show();
        auto* text = w.findChild<QLabel*>("dspGuide");
        QCOMPARE(text->text(), QString("　プレイヤーデータを作成します。\n\n"
                                       "　Entryボタンでプレイヤーデータを登録します。\n"
                                       "　初期データに満足の行かない場合、Resetボタンで設定し直せます。▼"));
        QVERIFY(w.findChild<QWidget*>("paneGuide")->isVisible());
        QTest::mouseClick(text, Qt::LeftButton);
        QVERIFY(!w.findChild<QWidget*>("paneGuide")->isVisible());
    }

    void resetRestoresTheDefaultName() {
        CharMakeWindow w(*game);
        auto* name = w.findChild<QLineEdit*>("dspName");
        name->clear();
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("鋼"), Qt::NoModifier);
        QCOMPARE(name->text(), QString("鋼"));
        w.findChild<QPushButton*>("cmdReset")->click();
        QCOMPARE(name->text(), QString("鋼野拳士"));
        const int skill = game->owner(0).skillPlay;
        QVERIFY(skill >= 3 && skill <= 18);
        QCOMPARE(w.findChild<QLabel*>("dspOparate")->text(), QString::number(skill));
    }

    void entryWithAnEmptyNameRegisters() {
        CharMakeWindow w(*game);
        w.findChild<QLineEdit*>("dspName")->clear();
        w.findChild<QPushButton*>("cmdEntry")->click();
        QVERIFY(w.value());
        QCOMPARE(game->owner(0).name, std::string());
    }

    // A name the save files cannot encode would make every save of the career fail.
    void unsavableCharactersAreNotTaken() {
        CharMakeWindow w(*game);
        auto* name = w.findChild<QLineEdit*>("dspName");
        name->clear();
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString::fromUtf8("\xF0\x9F\x98\x80"),
                            Qt::NoModifier);
        QCOMPARE(name->text(), QString());
        FCharMake make(*game);
        QVERIFY(!make.cmdEntry("\xF0\x9F\x98\x80"));
        QVERIFY(!make.value);
        QCOMPARE(game->owner(0).name, std::string("鋼野拳士"));
    }
};

QTEST_MAIN(CharMakeTest)
#include "char_make_qttest.moc"
