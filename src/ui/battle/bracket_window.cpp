#include "ui/battle/bracket_window.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "ui/qt_text.h"

namespace vargo {

namespace {
constexpr int kWidth = 760;
constexpr int kHeight = 450;
constexpr int kNameWidth = 180;
constexpr int kNameHeight = 38;
constexpr int kLeftNames = 20;
constexpr int kRightNames = kWidth - 20 - kNameWidth;
constexpr int kCentre = kWidth / 2;
constexpr int kMid = 225;  ///< height of the final's line
constexpr int kRows[4] = {105, 185, 265, 345};

int pairMid(int pair) {
    return (kRows[(2 * pair) % 4] + kRows[(2 * pair + 1) % 4]) / 2;
}
}  // namespace

BracketWindow::BracketWindow(const Bracket& b, QWidget* parent) : QDialog(parent), bracket(b) {
    setObjectName("frmTornament");
    setWindowTitle("Tornament");
    setFixedSize(kWidth, kHeight);

    auto* heading = new QLabel("TOURNAMENT", this);
    heading->setObjectName("title");
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(0, 14, kWidth, 34);

    for (int i = 0; i < Bracket::kPositions; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QString("lblName%1").arg(i));
        l->setAlignment(Qt::AlignCenter);
        const int x = i < 4 ? kLeftNames : kRightNames;
        l->setGeometry(x, kRows[i % 4] - kNameHeight / 2, kNameWidth, kNameHeight);
        lblName[static_cast<size_t>(i)] = l;
    }

    Command1 = new QPushButton("Return", this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    Command1->setGeometry(kCentre - 60, kHeight - 56, 120, 36);
    // "Return" only hides the window: the tournament goes on behind it.
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    refresh();
}

BracketWindow::Segment BracketWindow::segment(int index) {
    constexpr int run1 = 60, run2 = 70;
    if (index < 8) {
        const bool left = index < 4;
        const int y = kRows[index % 4];
        const int edge = left ? kLeftNames + kNameWidth : kRightNames;
        const int turn = left ? edge + run1 : edge - run1;
        return {{edge, y}, {turn, y}, {turn, pairMid(index / 2)}};
    }
    if (index < 12) {
        const int pair = index - 8;
        const bool left = pair < 2;
        const int y = pairMid(pair);
        const int start = left ? kLeftNames + kNameWidth + run1 : kRightNames - run1;
        const int turn = left ? start + run2 : start - run2;
        return {{start, y}, {turn, y}, {turn, kMid}};
    }
    const bool left = index == 12;
    const int start = left ? kLeftNames + kNameWidth + run1 + run2 : kRightNames - run1 - run2;
    return {{start, kMid}, {kCentre, kMid}, {kCentre, kMid}};
}

QPoint BracketWindow::finalPoint() {
    return {kCentre, kMid};
}

void BracketWindow::refresh() {
    for (int i = 0; i < Bracket::kPositions; ++i) {
        QLabel* l = lblName[static_cast<size_t>(i)];
        l->setText(q(bracket.lblName(i)));
        const auto& d = bracket.entrant(i);
        // The player's own Doll (number 0 in the bracket) stands out in the game's accent colour.
        const bool player = d && d->ID == 0;
        l->setStyleSheet(player ? "background:#3a3320; border:2px solid #e0902c; border-radius:5px;"
                                  "color:#ffe3a8; font-weight:bold;"
                                : "background:#252c38; border:1px solid #4a566b; border-radius:5px;");
    }
    update();
}

void BracketWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Open lines first, so that a decided path is never crossed by an open one.
    for (bool red : {false, true}) {
        for (int i = 0; i < 14; ++i) {
            if (bracket.isRed(i) != red) {
                continue;
            }
            p.setPen(QPen(red ? kDecided : kOpen, red ? 4 : 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            const Segment s = segment(i);
            p.drawPolyline(QPolygon({s.a, s.b, s.c}));
        }
    }
    const QPoint f = finalPoint();
    p.setPen(QPen(QColor(240, 178, 96), 2));
    p.setBrush(QColor(58, 51, 32));
    p.drawEllipse(f, 16, 16);
    p.setPen(QColor(240, 178, 96));
    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(f.x() - 60, f.y() - 52, 120, 24), Qt::AlignCenter, "FINAL");
    p.drawText(QRect(f.x() - 16, f.y() - 16, 32, 32), Qt::AlignCenter, "★");
}

}  // namespace vargo
