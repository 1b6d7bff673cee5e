#pragma once
// What the battle window shows, worked out from the fight's screen (kept from its events) and the
// Dolls' numbers: label texts, HP bars in twips, where each fighter stands in the scene and in which
// pose, and which picture files to load. The window draws exactly this and decides nothing.

#include <array>
#include <string>

#include "battle/fight.h"

namespace vargo {

/// "POW\nOF\nDF\n\nmove\njump\nspin\n\nAC\nweight\nAP\nMemory\n\nvalue": the titles beside dspAbl.
std::string ablTitles();
std::string dspName(const Fight& f, int i);
/// The abilities in the order of the titles, one per line, groups apart by an empty line.
std::string dspAbl(const Fight& f, int i);
/// "Motor:\n 120\nFrame:\n 200".
std::string dspHP(const Fight& f, int i);
std::string dspHP(const FightScreen& s, int i);
std::string dspJoutai(const Fight& f, int i);
std::string dspSpan(const Fight& f);

/// One HP bar (0 motor of fighter 0, 1 motor of fighter 1, 2 frame of fighter 0, 3 frame of
/// fighter 1) in twips. The opponent's bars are right-aligned at 9500; the player's keep the left
/// edge of the layout (rightAligned false, left unused).
struct HpBar {
    int width = 0;
    bool rightAligned = false;
    int left = 0;
};
HpBar barHP(const Fight& f, int bar);
HpBar barHP(const FightScreen& s, int bar);

/// Sprite sheet columns by pose, 240 pixels apart.
enum PoseColumn : int {
    kStand = 0,
    kSpinPose = 240,
    kPunchPose = 480,
    kKickPose = 720,
    kGrapplePose = 960,
    kDown = 1200
};
int poseColumn(const char* action);

struct FighterSprite {
    int x = 0;  ///< left edge in the 800 x 400 scene
    int y = 10;
    int column = 0;  ///< pose column in the sheet
    int row = 0;     ///< 0 for fighter 0, 240 for fighter 1
};
/// Both fighters as the scene shows them, with `shown` (may be null) in the pose of its action.
std::array<FighterSprite, 2> scene(const Fight& f, const FightPicture* shown);

struct SpriteFiles {
    std::string sheet;
    std::string mask;
};
/// The picture files for a Doll's image code; unknown codes use the "0201" sheet.
SpriteFiles spriteFiles(const std::string& image);

}  // namespace vargo
