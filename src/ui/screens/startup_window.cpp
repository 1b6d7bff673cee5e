#include "ui/screens/startup_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "ui/picture_density_qt.h"

namespace vargo {

StartUpWindow::StartUpWindow(const QString& gameFolder, QWidget* parent) : QWidget(parent) {
    setObjectName("StartUp");
    setWindowTitle("VARGO");
    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(28, 20, 28, 24);
    col->setSpacing(14);
    auto* title = new QLabel("VARGO");
    title->setObjectName("startTitle");
    title->setAlignment(Qt::AlignCenter);
    col->addWidget(title);
    auto* sub = new QLabel("ロボット工房　３６か月の挑戦");
    sub->setObjectName("startSubtitle");
    sub->setAlignment(Qt::AlignCenter);
    col->addWidget(sub);

    auto* pictures = new QHBoxLayout;
    pictures->addStretch();
    const GameFolder folder(std::filesystem::path(gameFolder.toStdString()));
    int shown = 0;
    for (const char* file : {"img/VARGO01S.jpg", "img/VARGO0201S.jpg", "img/VARGO0202S.jpg"}) {
        auto* pic = new QLabel;
        pic->setObjectName(QString("startPicture%1").arg(shown++));
        const QPixmap pix = loadPixmap(folder, file, devicePixelRatioF());
        if (!pix.isNull()) {
            pic->setPixmap(fitPicture(pix, QSize(200, 200)));
        }
        pictures->addWidget(pic);
    }
    pictures->addStretch();
    col->addLayout(pictures);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* initial = new QPushButton("&Initial Start");
    initial->setObjectName("Command1_0");
    auto* load = new QPushButton("&Load Start");
    load->setObjectName("Command1_1");
    auto* quit = new QPushButton("&Quit");
    quit->setObjectName("cmdQuit");
    for (auto* b : {initial, load, quit}) {
        b->setMinimumSize(150, 40);
        // Not a dialog, so Enter would not press the focused button without this.
        b->setAutoDefault(true);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    col->addLayout(buttons);
    col->addSpacing(10);
    connect(initial, &QPushButton::clicked, this, &StartUpWindow::initialStart);
    connect(load, &QPushButton::clicked, this, &StartUpWindow::loadStart);
    connect(quit, &QPushButton::clicked, qApp, &QApplication::quit);
}

}  // namespace vargo
