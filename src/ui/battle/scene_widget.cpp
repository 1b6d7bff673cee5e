#include "ui/battle/scene_widget.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "ui/picture_density_qt.h"
#include "ui/qt_text.h"

namespace vargo {

namespace {
const char* const kArena = "\\img\\arena.jpg";
const char* const kEffect = "\\img\\effect.jpg";
const char* const kEffectMask = "\\img\\effect_m.jpg";

// The side colours, shared with the HP bars: the player's side cool, the opponent's warm.
const QColor kSideColour[2] = {QColor(70, 170, 255), QColor(255, 80, 70)};

// A cell of a sheet in the sheet's own pixels: the fight places cells in 1x pixels, and a 2x
// sheet has twice as many of them.
QRectF sourceCell(const QPixmap& sheet, int column, int row, int size) {
    const qreal d = sheet.devicePixelRatio();
    return {column * d, row * d, size * d, size * d};
}

// The horizontal extent of the opaque pixels in one cell (in 1x pixels), so a robot's floor marker
// sits under its body whatever the pose.
std::pair<int, int> bodyExtent(const QPixmap& sheet, int column, int row) {
    const QImage cell = sheet.copy(sourceCell(sheet, column, row, SceneWidget::kCell).toRect()).toImage();
    int left = cell.width();
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
    if (right < 0) {
        return {60, 180};
    }
    const qreal d = sheet.devicePixelRatio();
    return {static_cast<int>(std::floor(left / d)), static_cast<int>(std::ceil(right / d))};
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
    const QString key =
        QString("%1|%2|%3|%4").arg(q(f.sheet)).arg(f.column).arg(f.row).arg(sheet.devicePixelRatio());
    auto it = extents.find(key);
    if (it == extents.end()) {
        it = extents.insert(key, bodyExtent(sheet, f.column, f.row));
    }
    return *it;
}

QImage SceneWidget::render(const SceneFrame& frame, qreal ratio) {
    QImage image(QSize(kWidth, kHeight) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter p(&image);
    draw(p, frame, 1.0, nullptr);
    return image;
}

void SceneWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (frames.empty()) {
        p.drawPixmap(0, 0, sheets.plain(kArena, devicePixelRatioF()));
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
    // The scene is laid out in 1x pixels; the pictures are the ones for the density painted on.
    const qreal ratio = p.device()->devicePixelRatio();
    // At a density of neither picture (a scale of 1.5) every picture is resampled: smoothly. At 1
    // and 2 they are copied pixel for pixel.
    p.setRenderHint(QPainter::SmoothPixmapTransform,
                    !qFuzzyCompare(ratio, 1.0) && !qFuzzyCompare(ratio, qreal{kPictureDensity}));
    p.fillRect(0, 0, kWidth, kHeight, Qt::black);
    const QPixmap& arena = sheets.plain(kArena, ratio);
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
        const QPixmap& sheet = sheets.masked(f.sheet, f.mask, ratio);
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
        // The target is in the scene's pixels, the source in the sheet's own.
        p.drawPixmap(QRectF(x, f.y, kCell, kCell), sheet, sourceCell(sheet, f.column, f.row, kCell));
    }
    const QPixmap& spark = sheets.masked(kEffect, kEffectMask, ratio);
    if (!spark.isNull()) {
        for (const EffectSpark& s : frame.sparks) {
            p.drawPixmap(QRectF(s.x, s.y, kSpark, kSpark), spark, sourceCell(spark, 0, 0, kSpark));
        }
    }
}

}  // namespace vargo
