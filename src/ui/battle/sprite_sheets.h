#pragma once
// The battle's pictures, loaded once: each sprite sheet joined with its mask into one pixmap with
// an alpha channel. The masks are thresholded (dark = opaque) so the JPEG noise at their edges
// never leaves a fringe around a robot.

#include <QHash>
#include <QPixmap>
#include <QString>

#include "model/game_folder.h"

namespace vargo {

class SpriteSheets {
public:
    explicit SpriteSheets(GameFolder folder) : gameFolder(std::move(folder)) {}

    /// The sheet named as the fight names it ("\img\VARGO01.jpg") cut out by its mask. A missing file gives
    /// a null pixmap, so a damaged install shows an empty scene rather than stopping the fight.
    const QPixmap& masked(const std::string& sheet, const std::string& mask);
    /// A picture without a mask (the arena).
    const QPixmap& plain(const std::string& picture);

    /// The mask's threshold: a pixel darker than this is part of the sprite.
    static constexpr int kThreshold = 128;
    /// Sheet and mask joined: the sheet's colours, opaque where the mask is dark.
    static QImage applyMask(const QImage& sheet, const QImage& mask);

private:
    QImage load(const std::string& relative) const;

    GameFolder gameFolder;
    QHash<QString, QPixmap> cache;
};

}  // namespace vargo
