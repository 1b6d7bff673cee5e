// The player's window sizes and places come back in the next run, never beyond the screen, never
// below a window's minimum, and a place left over an edge or on a screen that is gone is not used.

#include <QDialog>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include "support/qt_support.h"
#include "ui/window_memory_qt.h"

using namespace vargo;

class WindowMemoryTest : public QObject {
    Q_OBJECT

    static QRect area() { return QGuiApplication::primaryScreen()->availableGeometry(); }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName("vargo-test");
        QCoreApplication::setApplicationName("window-memory");
        test::useGameFont();
    }
    void init() { QSettings().clear(); }
    void cleanupTestCase() { QSettings().clear(); }

    // A resizable dialog opens at the size it was closed at; a fixed one keeps its own.
    void dialogSizeComesBack() {
        WindowMemory memory;
        qApp->installEventFilter(&memory);
        QWidget owner;
        owner.resize(900, 700);
        owner.show();
        {
            QDialog first(&owner);
            first.setObjectName("Lab");
            first.setMinimumSize(300, 200);
            first.show();
            first.resize(520, 410);
            first.hide();
        }
        QDialog second(&owner);
        second.setObjectName("Lab");
        second.setMinimumSize(300, 200);
        second.show();
        QCOMPARE(second.size(), QSize(520, 410));
        QDialog fixed(&owner);
        fixed.setObjectName("DMsg");
        fixed.setFixedSize(240, 120);
        QSettings().setValue("windows/DMsg/size", QSize(600, 600));
        fixed.show();
        QCOMPARE(fixed.size(), QSize(240, 120));
        qApp->removeEventFilter(&memory);
    }

    // A size larger than the screen is cut to the screen; one below the minimum grows to it.
    void sizeStaysReasonable() {
        WindowMemory memory;
        qApp->installEventFilter(&memory);
        QSettings().setValue("windows/Lab/size", QSize(area().width() + 500, 50));
        QDialog d;
        d.setObjectName("Lab");
        d.setMinimumSize(300, 200);
        d.show();
        QVERIFY(d.width() <= area().width());
        QCOMPARE(d.height(), 200);
        qApp->removeEventFilter(&memory);
    }

    // The workshop comes back where it was left when that is wholly on a screen; otherwise it
    // opens in the middle.
    void workshopPlace() {
        WindowMemory memory;
        qApp->installEventFilter(&memory);
        const QPoint left = area().topLeft() + QPoint(30, 40);
        {
            QWidget design;
            design.setObjectName("Design");
            design.resize(400, 300);
            WindowMemory::place(&design);
            design.show();
            design.move(left);
            design.hide();
        }
        QWidget again;
        again.setObjectName("Design");
        again.resize(400, 300);
        WindowMemory::place(&again);
        QCOMPARE(again.pos(), left);

        QSettings().setValue("windows/Design/place",
                             QRect(area().right() - 50, area().bottom() - 50, 400, 300));
        QVERIFY(!WindowMemory::rememberedPlace(&again).has_value());
        QWidget centred;
        centred.setObjectName("Design");
        centred.resize(400, 300);
        WindowMemory::place(&centred);
        QVERIFY(area().contains(QRect(centred.pos(), centred.size())));
        qApp->removeEventFilter(&memory);
    }
};

QTEST_MAIN(WindowMemoryTest)
#include "window_memory_qttest.moc"
