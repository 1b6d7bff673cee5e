#include "ui/battle/scene_widget.h"

#include <QPainter>
#include <QRadialGradient>

#include "ui/qt_text.h"

namespace vargo {

namespace {
const char* const kArena = "\\img\\arena.jpg";
const char* const kEffect = "\\img\\effect.jpg";
const char* const kEffectMask = "\\img\\effect_m.jpg";

// The side colours, shared with the HP bars: the player's side cool, the opponent's warm.
const QColor kSideColour[2] = {QColor(70, 170, 255), QColor(255, 80, 70)};

// The horizontal extent of the opaque pixels in one cell, so a robot's floor marker sits under
// its body whatever the pose.
std::pair<int, int> bodyExtent(const QPixmap& sheet, int column, int row) {
    const QImage cell = sheet.copy(column, row, SceneWidget::kCell, SceneWidget::kCell).toImage();
    int left = SceneWidget::kCell;
    int right = -1;
    for (int y = 0; y < cell.height(); y += 2) {
        const auto* line = reinterpret_cast<const QRgb*>(cell.constScanLine(y));
        for (int x = 0; x < cell.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right < 0 ? std::pair{60, 180} : std::pair{left, right};
}
}  // namespace

SceneWidget::SceneWidget(GameFolder folder, QWidget* parent) : QWidget(parent), sheets(std::move(folder)) {
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer.setInterval(16);
    connect(&timer, &QTimer::timeout, this, &SceneWidget::tick);
}

void SceneWidget::play(std::vector<SceneFrame> steps) {
    if (steps.empty()) {
        return;
    }
    if (!frames.empty()) {
        previous = frames.back();
        hasPrevious = true;
    }
    frames = std::move(steps);
    if (!animated || frames.size() == 1 || !hasPrevious) {
        current = frames.size() - 1;
        previous = frames.back();
        hasPrevious = true;
        timer.stop();
    } else {
        current = 0;
        clock.start();
        timer.start();
    }
    update();
}

void SceneWidget::finish() {
    if (frames.empty()) {
        return;
    }
    timer.stop();
    current = frames.size() - 1;
    previous = frames.back();
    update();
}

void SceneWidget::showFrame(size_t i) {
    if (i >= frames.size()) {
        return;
    }
    timer.stop();
    current = i;
    previous = frames[i];
    update();
}

void SceneWidget::tick() {
    if (clock.elapsed() < kSlideMs + kHoldMs) {
        update();
        return;
    }
    if (current + 1 >= frames.size()) {
        finish();
        return;
    }
    previous = frames[current];
    ++current;
    clock.restart();
    update();
}

std::pair<int, int> SceneWidget::extent(const SceneFighter& f, const QPixmap& sheet) {
    const QString key = QString("%1|%2|%3").arg(q(f.sheet)).arg(f.column).arg(f.row);
    auto it = extents.find(key);
    if (it == extents.end()) {
        it = extents.insert(key, bodyExtent(sheet, f.column, f.row));
    }
    return *it;
}

QImage SceneWidget::render(const SceneFrame& frame) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    draw(p, frame, 1.0, nullptr);
    return image;
}

void SceneWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (frames.empty()) {
        p.drawPixmap(0, 0, sheets.plain(kArena));
        return;
    }
    double slide = 1.0;
    if (timer.isActive()) {
        slide = std::min(1.0, static_cast<double>(clock.elapsed()) / kSlideMs);
        // Ease out: a quick start that settles where the fight put the Doll.
        slide = 1.0 - (1.0 - slide) * (1.0 - slide);
    }
    draw(p, frames[current], slide, hasPrevious ? &previous : nullptr);
}

void SceneWidget::draw(QPainter& p, const SceneFrame& frame, double slide, const SceneFrame* from) {
    p.fillRect(0, 0, kWidth, kHeight, Qt::black);
    const QPixmap& arena = sheets.plain(kArena);
    if (!arena.isNull()) {
        p.drawPixmap(0, 0, arena);
    }
    p.setRenderHint(QPainter::Antialiasing);
    for (size_t i = 0; i < 2; ++i) {
        const SceneFighter& f = frame.fighters[i];
        int x = f.x;
        if (from && slide < 1.0) {
            x = static_cast<int>(std::lround(from->fighters[i].x + (f.x - from->fighters[i].x) * slide));
        }
        const QPixmap& sheet = sheets.masked(f.sheet, f.mask);
        if (sheet.isNull()) {
            continue;
        }
        // A soft ring on the floor in the side's colour tells the two robots apart at a glance.
        auto [left, right] = extent(f, sheet);
        const QRectF ring(x + left - 6, f.y + 218, right - left + 12, 22);
        QRadialGradient glow(ring.center(), ring.width() / 2);
        QColor c = kSideColour[i];
        c.setAlpha(150);
        glow.setColorAt(0.0, c);
        c.setAlpha(0);
        glow.setColorAt(1.0, c);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(ring);
        p.drawPixmap(x, f.y, sheet, f.column, f.row, kCell, kCell);
    }
    const QPixmap& spark = sheets.masked(kEffect, kEffectMask);
    if (!spark.isNull()) {
        for (const EffectSpark& s : frame.sparks) {
            p.drawPixmap(s.x, s.y, spark, 0, 0, kSpark, kSpark);
        }
    }
}

}  // namespace vargo
