#pragma once
// The game's pictures come at two densities: "\img\VARGO01.jpg" for ordinary screens and
// "\img\VARGO01@2x.jpg", the same picture drawn at twice the resolution, for high-density ones,
// where stretching the 1x picture would blur it. The fight and the workshop name only the 1x file;
// the windows choose the file here, when they load it.

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <string>
#include <string_view>

#include "model/game_folder.h"

namespace vargo {

/// How much larger a sharper picture is: its width and height are twice the 1x picture's.
constexpr int kPictureDensity = 2;

/// The sharper picture's name: "@2x" before the extension ("\img\VARGO01.jpg" gives
/// "\img\VARGO01@2x.jpg", as Qt names such files); a name without an extension just gains "@2x".
std::string doubleDensityName(std::string_view name);

/// A picture of the game folder, named as the game names it, for a screen of the given device
/// pixel ratio. Above 1 it is the @2x file when that exists and is exactly twice the 1x picture's
/// size, its device pixel ratio set to 2 so that it keeps the 1x size in logical pixels; otherwise
/// the 1x file. Without the 1x file the result is null, as it always was: a @2x file alone is not
/// shown, so a damaged folder looks the same on every screen.
QImage loadPicture(const GameFolder& folder, std::string_view name, qreal screenRatio);
QPixmap loadPixmap(const GameFolder& folder, std::string_view name, qreal screenRatio);

/// The picture shrunk or grown to fit a box of the given logical size, keeping its aspect ratio
/// and its density (a 2x picture stays 2x, with twice as many pixels as the box).
QPixmap fitPicture(const QPixmap& picture, QSize box);

}  // namespace vargo
