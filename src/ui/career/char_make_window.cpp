#include "ui/career/char_make_window.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "model/text_codec.h"
#include "ui/qt_text.h"

namespace vargo {
namespace {

// The name goes into the save files in CP932: characters they cannot hold are not taken.
class Cp932Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return encodableInCp932(input.toStdString()) ? Acceptable : Invalid;
    }
};

}  // namespace

CharMakeWindow::CharMakeWindow(Game& game, QWidget* parent) : QDialog(parent), logic(game) {
    setObjectName("FCharMake");
    setWindowTitle("プレイヤー情報");
    auto* col = new QVBoxLayout(this);
    dspMsg = new QLabel(FCharMake::kMessage);
    dspMsg->setObjectName("dspMsg");
    dspMsg->setProperty("role", "heading");
    col->addWidget(dspMsg);

    auto* grid = new QGridLayout;
    auto addRow = [grid](int row, const char* en, const char* ja, QWidget* value) {
        auto* a = new QLabel(en);
        a->setObjectName("caption");
        auto* b = new QLabel(ja);
        grid->addWidget(a, row, 0);
        grid->addWidget(b, row, 1);
        grid->addWidget(value, row, 2);
    };
    dspName = new QLineEdit;
    dspName->setObjectName("dspName");
    dspName->setMaxLength(20);
    dspName->setValidator(new Cp932Validator(dspName));
    dspRl = new QLabel;
    dspRl->setObjectName("dspRl");
    dspOparate = new QLabel;
    dspOparate->setObjectName("dspOparate");
    addRow(0, "Name", "名前", dspName);
    addRow(1, "Money", "所持金", dspRl);
    addRow(2, "Oparate", "操作能力", dspOparate);
    grid->setColumnMinimumWidth(2, 220);
    col->addLayout(grid);

    paneGuide = new QFrame;
    paneGuide->setObjectName("paneGuide");
    auto* g = new QVBoxLayout(paneGuide);
    dspGuide = new QLabel;
    dspGuide->setObjectName("dspGuide");
    dspGuide->setWordWrap(true);
    g->addWidget(dspGuide);
    paneGuide->installEventFilter(this);
    dspGuide->installEventFilter(this);
    col->addWidget(paneGuide);

    auto* buttons = new QHBoxLayout;
    auto* entry = new QPushButton("&Entry");
    entry->setObjectName("cmdEntry");
    entry->setDefault(true);
    auto* reset = new QPushButton("&Reset");
    reset->setObjectName("cmdReset");
    auto* quit = new QPushButton("&Quit");
    quit->setObjectName("Command3");
    buttons->addStretch();
    buttons->addWidget(entry);
    buttons->addWidget(reset);
    buttons->addWidget(quit);
    col->addLayout(buttons);

    connect(entry, &QPushButton::clicked, this, [this] {
        if (!logic.cmdEntry(dspName->text().toStdString())) {
            dspMsg->setText("この名前には使えない文字が含まれています");
            return;
        }
        accept();
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        logic.cmdReset();
        dspPlayer();
    });
    connect(quit, &QPushButton::clicked, this, [this] {
        logic.cmdQuit();
        reject();
    });

    std::string guide = logic.guideText();
    dspGuide->setText(guideLabelText(guide));
    paneGuide->setVisible(!guide.empty());
    dspPlayer();
}

void CharMakeWindow::dspPlayer() {
    dspName->setText(q(logic.dspName()));
    dspRl->setText(q(logic.dspRl()));
    dspOparate->setText(q(logic.dspOparate()));
}

bool CharMakeWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == paneGuide || watched == dspGuide) && event->type() == QEvent::MouseButtonRelease) {
        paneGuide->hide();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vargo
