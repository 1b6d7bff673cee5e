#include "ui/prompts/dmsg_qt.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "ui/window_place_qt.h"

namespace vargo {
namespace {
// The dialog's twips were laid out for a 9-point font about 12 pixels high.
constexpr double kDesignFontPixels = 12.0;
constexpr int kInnerWidth = 3495;
constexpr int kLabelLeft = 240;
constexpr int kLabelTop = 240;
constexpr int kLabelWidth = 3015;
constexpr int kOkLeft = 720;
constexpr int kCancelLeft = 1680;
constexpr int kButtonWidth = 855;
constexpr int kWidestLabel = 560;  ///< pixels: beyond this a long line wraps
constexpr int kButtonHeight = 375;
}  // namespace

DMsg::DMsg(QWidget* a) : QDialog(a), anchor(a) {
    setObjectName("DMsg");
    setWindowTitle("VARGO");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    lblMsg = new QLabel(this);
    lblMsg->setObjectName("lblMsg");
    lblMsg->setWordWrap(true);
    lblMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        result = 1;
        done(1);
    });
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        result = 2;
        done(2);
    });
    relayout();
}

double DMsg::scale() const {
    return std::max(1.0, fontMetrics().height() / kDesignFontPixels) / kTwipsPerPixel;
}

int DMsg::px(int twips) const {
    return static_cast<int>(std::floor(twips * scale() + 0.5));
}

void DMsg::setDialog(const QString& msg) {
    lblMsg->setText(msg);
    if (anchor) {
        QRect a = anchor->frameGeometry();
        move(a.left() + a.width() / 3, a.top() + a.height() / 3);
    }
    relayout();
}

void DMsg::setButtons(const QString& left, const QString& right) {
    cmdOK->setText(left);
    cmdOK->setVisible(true);
    cmdCancel->setText(right);
    cmdCancel->setVisible(!right.isEmpty());
    relayout();
}

int DMsg::ask() {
    result = 2;
    // One box answers every question of the game: each opens on its left answer, whatever button
    // the last one was left on, so Enter always means OK or Yes.
    cmdOK->setFocus(Qt::OtherFocusReason);
    exec();
    return result;
}

void DMsg::setHeight(int rows) {
    heightTw = 200 * rows + 1200;
    buttonTopTw = 200 * rows + 400;
    relayout();
}

// The twips layout, then as much extra room as the message needs when wrapped at the label's width.
void DMsg::relayout() {
    // A message with long lines (the tournament estimate) widens the box up to a limit rather than
    // breaking every line in two.
    int widest = 0;
    for (const QString& line : lblMsg->text().split('\n')) {
        widest = std::max(widest, lblMsg->fontMetrics().horizontalAdvance(line) + 4);
    }
    const int labelW = std::max(px(kLabelWidth), std::min(widest, kWidestLabel));
    const int labelH = std::max(px(buttonTopTw - kLabelTop) - 6, fontMetrics().lineSpacing());
    const int needed = lblMsg->heightForWidth(labelW);
    const int extra = std::max(0, needed - labelH);
    lblMsg->setGeometry(px(kLabelLeft), px(kLabelTop), labelW, labelH + extra);
    const int top = px(buttonTopTw) + extra;
    const int bw = std::max({px(kButtonWidth), cmdOK->sizeHint().width(), cmdCancel->sizeHint().width()});
    const int bh = std::max({px(kButtonHeight), cmdOK->sizeHint().height(), cmdCancel->sizeHint().height()});
    const int gap = px(kCancelLeft - kOkLeft - kButtonWidth);
    // The caption often says what the question is about (the purchase question names the part
    // only there), so the box is wide enough for the window manager to show it whole, with the
    // " — VARGO" Qt adds to it.
    const int captionW = captionWidth(this);
    const int innerW = std::max({px(kInnerWidth), 2 * bw + gap + 2 * px(kLabelLeft),
                                 labelW + px(kInnerWidth - kLabelWidth), captionW});
    // Two buttons sit side by side in the middle; OK alone keeps the left place, under the text.
    int left = cmdCancel->isHidden() ? px(kOkLeft) : (innerW - (2 * bw + gap)) / 2;
    cmdOK->setGeometry(left, top, bw, bh);
    cmdCancel->setGeometry(left + bw + gap, top, bw, bh);
    const int innerH = std::max(px(heightTw - kTitleTwips) + extra, top + bh + px(120));
    setFixedSize(innerW, innerH);
}

void DMsg::closeEvent(QCloseEvent* e) {
    result = 2;
    QDialog::closeEvent(e);
}

void DMsg::reject() {
    result = 2;
    QDialog::reject();
}

}  // namespace vargo
