#include "ui/prompts/qt_prompts_qt.h"

#include <QLabel>
#include <QMessageBox>
#include <algorithm>

#include "ui/prompts/dmsg_qt.h"
#include "ui/qt_text.h"

namespace vargo {

namespace {
constexpr int kWidestBoxLine = 560;  ///< pixels: beyond this a long line wraps
constexpr int kNarrowestBox = 240;   ///< pixels of text: room for the title bar
}  // namespace

QtPrompts::QtPrompts(QWidget* a) : anchor(a) {}

QtPrompts::~QtPrompts() {
    delete dmsg;
}

void QtPrompts::setAnchor(QWidget* a) {
    anchor = a;
    delete dmsg;
    dmsg = nullptr;
}

DMsg& QtPrompts::dialog() {
    if (!dmsg) {
        dmsg = new DMsg(anchor);
    }
    return *dmsg;
}

int QtPrompts::question(const std::string& msg, const std::string& title, const char* left,
                        const char* right) {
    DMsg& d = dialog();
    d.setWindowTitle(q(title));
    d.setButtons(left, right);
    d.setDialog(q(msg));
    return d.ask();
}

int QtPrompts::askOkCancel(const std::string& msg) {
    return question(msg, kAppTitle, "OK", "Cancel");
}

int QtPrompts::askOkCancelTitled(const std::string& msg, const std::string& title) {
    return question(msg, title, "OK", "Cancel");
}

int QtPrompts::askYesNo(const std::string& msg, const std::string& title) {
    return question(msg, title, "Yes", "No") == kOk ? kYes : kNo;
}

void QtPrompts::showMsg(const std::string& msg) {
    showMsgTitled(msg, kAppTitle);
}

void QtPrompts::showMsgTitled(const std::string& msg, const std::string& title) {
    question(msg, title, "OK", "");
}

void QtPrompts::showMsgTall(const std::string& msg, const std::string& title, int rows) {
    dialog().setHeight(rows);
    showMsgTitled(msg, title);
    dialog().setHeight(3);
}

int QtPrompts::msgBox(const std::string& msg, BoxButtons buttons) {
    QMessageBox box(anchor);
    box.setWindowTitle(kAppTitle);
    box.setText(q(msg));
    // Qt wraps a box's text at a width of its own choosing, which leaves the last word of a
    // one-line message alone on a second line; a line up to a readable limit stays whole.
    if (auto* label = box.findChild<QLabel*>("qt_msgbox_label")) {
        int widest = 0;
        for (const QString& line : q(msg).split('\n')) {
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line) + 8);
        }
        // A short message (the final record's first line is "最終成績") still gets a box wide
        // enough for its title bar to say whose box it is.
        label->setMinimumWidth(std::clamp(widest, kNarrowestBox, kWidestBoxLine));
    }
    switch (buttons) {
        case BoxButtons::Ok:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            box.exec();
            return kOk;
        case BoxButtons::OkCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            return box.exec() == QMessageBox::Ok ? kOk : kCancel;
        case BoxButtons::YesNo:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            return box.exec() == QMessageBox::Yes ? kYes : kNo;
    }
    return kOk;
}

}  // namespace vargo
