#pragma once
// The battle's pictures, loaded once: each sprite sheet joined with its mask into one pixmap with
// an alpha channel. The masks are thresholded (dark = opaque) so the JPEG noise at their edges
// never leaves a fringe around a robot. On a high-density screen the sheets, masks and arena are
// the @2x files, with their device pixel ratio set to 2.

#include <QHash>
#include <QPixmap>
#include <QString>

#include "model/game_folder.h"

namespace vargo {

class SpriteSheets {
public:
    explicit SpriteSheets(GameFolder folder) : gameFolder(std::move(folder)) {}

    /// The sheet named as the fight names it ("\img\VARGO01.jpg") cut out by its mask, for a screen of
    /// the given device pixel ratio. Sheet and mask are always of one density: the @2x pair when the
    /// screen's ratio is above 1 and both exist, else the 1x pair. A missing 1x file gives a null
    /// pixmap, so a damaged install shows an empty scene rather than stopping the fight.
    const QPixmap& masked(const std::string& sheet, const std::string& mask, qreal screenRatio = 1.0);
    /// A picture without a mask (the arena).
    const QPixmap& plain(const std::string& picture, qreal screenRatio = 1.0);

    /// The mask's threshold: a pixel darker than this is part of the sprite.
    static constexpr int kThreshold = 128;
    /// Sheet and mask joined: the sheet's colours, opaque where the mask is dark. The result keeps
    /// the sheet's device pixel ratio.
    static QImage applyMask(const QImage& sheet, const QImage& mask);

private:
    GameFolder gameFolder;
    QHash<QString, QPixmap> cache;
};

}  // namespace vargo
