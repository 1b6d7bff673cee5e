#include "ui/battle/sprite_sheets.h"

#include <QImage>
#include <algorithm>

#include "ui/qt_text.h"

namespace vargo {

QImage SpriteSheets::load(const std::string& relative) const {
    QImage image(q(gameFolder.resolve(relative).string()));
    return image;
}

QImage SpriteSheets::applyMask(const QImage& sheet, const QImage& mask) {
    QImage out = sheet.convertToFormat(QImage::Format_ARGB32);
    const QImage m = mask.convertToFormat(QImage::Format_Grayscale8);
    const int w = std::min(out.width(), m.width());
    const int h = std::min(out.height(), m.height());
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        const uchar* maskLine = y < h ? m.constScanLine(y) : nullptr;
        for (int x = 0; x < out.width(); ++x) {
            const bool opaque = maskLine && x < w && maskLine[x] < kThreshold;
            line[x] = opaque ? (line[x] | 0xff000000u) : 0u;
        }
    }
    return out;
}

const QPixmap& SpriteSheets::masked(const std::string& sheet, const std::string& mask) {
    const QString key = q(sheet + "|" + mask);
    auto it = cache.find(key);
    if (it == cache.end()) {
        QImage s = load(sheet);
        QImage m = load(mask);
        QPixmap p;
        if (!s.isNull() && !m.isNull()) {
            p = QPixmap::fromImage(applyMask(s, m));
        }
        it = cache.insert(key, p);
    }
    return *it;
}

const QPixmap& SpriteSheets::plain(const std::string& picture) {
    const QString key = q(picture);
    auto it = cache.find(key);
    if (it == cache.end()) {
        QImage s = load(picture);
        it = cache.insert(key, s.isNull() ? QPixmap() : QPixmap::fromImage(s));
    }
    return *it;
}

}  // namespace vargo
