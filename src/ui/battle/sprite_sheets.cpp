#include "ui/battle/sprite_sheets.h"

#include <QImage>
#include <algorithm>

#include "ui/picture_density_qt.h"
#include "ui/qt_text.h"

namespace vargo {

namespace {
// The cache keeps each picture once per density it was asked at.
QString cacheKey(const std::string& names, qreal screenRatio) {
    return q(names) + (screenRatio > 1.0 ? "|2x" : "|1x");
}
}  // namespace

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
    out.setDevicePixelRatio(sheet.devicePixelRatio());
    return out;
}

const QPixmap& SpriteSheets::masked(const std::string& sheet, const std::string& mask, qreal screenRatio) {
    const QString key = cacheKey(sheet + "|" + mask, screenRatio);
    auto it = cache.find(key);
    if (it == cache.end()) {
        QImage s = loadPicture(gameFolder, sheet, screenRatio);
        QImage m = loadPicture(gameFolder, mask, screenRatio);
        if (s.devicePixelRatio() != m.devicePixelRatio()) {
            // Only one of the pair exists at 2x: a 1x mask cannot cut a 2x sheet, so both are 1x.
            s = loadPicture(gameFolder, sheet, 1.0);
            m = loadPicture(gameFolder, mask, 1.0);
        }
        QPixmap p;
        if (!s.isNull() && !m.isNull()) {
            p = QPixmap::fromImage(applyMask(s, m));
        }
        it = cache.insert(key, p);
    }
    return *it;
}

const QPixmap& SpriteSheets::plain(const std::string& picture, qreal screenRatio) {
    const QString key = cacheKey(picture, screenRatio);
    auto it = cache.find(key);
    if (it == cache.end()) {
        it = cache.insert(key, loadPixmap(gameFolder, picture, screenRatio));
    }
    return *it;
}

}  // namespace vargo
