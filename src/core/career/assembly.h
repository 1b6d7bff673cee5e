#pragma once
// The assembly panel on the workshop: owned parts of one kind on the left, the Doll's fitted parts
// and numbers on the right. Fitting puts the owner's own part object into the Doll, so damage,
// repair and sale all concern the same part.

#include <string>
#include <vector>

#include "model/game.h"
#include "model/parts.h"

namespace vargo {

class Prompts;

/// One line of the detail area: a label and its value ("Pow ", "12").
struct DetailLine {
    std::string label;
    std::string value;
};

/// What the parameter panel shows, recomputed by dspDoll.
struct DollPanel {
    std::string motorName, frameName, hardName;    /**< dspPart 1, 2, 3 */
    std::vector<std::string> boosters, protectors; /**< ListBoost, ListP */
    struct Soft {
        std::string name;
        int kind; /**< item data: 0 movement, 1 attack, 2 defence */
    };
    std::vector<Soft> software; /**< ListSoft */
    double weight = 0;
    int value = 0, Memory = 0, AP = 0;
    double AC = 0;
    int spin = 0, jump = 0, move = 0, defence = 0, offence = 0, pow = 0;
    std::string dollClass;
    std::string picture; /**< "img/VARGO01S.jpg" ...; keeps the last one for unknown frame codes */
    std::string name;
};

class Assembly {
public:
    Assembly(Game& game, Prompts& prompts);

    /// Names of owned parts of a kind in slot order, then "（はずす）". Unknown kinds are motors.
    std::vector<std::string> dspParts(int kind) const;
    /// Picking row r of the list for a kind; the last row takes the part (or all of a kind) off.
    void pick(int kind, int row);
    /// The detail area for the part picked last.
    const std::string& detailName() const { return detailTitle; }
    const std::vector<DetailLine>& detail() const { return detailLines; }

    const DollPanel& dspDoll();
    const DollPanel& panel() const { return dollPanel; }

    /// refreshEditable: the program button and the three fight buttons.
    bool programEnabled() const;
    bool fightEnabled() const;

    void removeBooster();
    void removeProtect();
    /// "AllClear": empty motor, frame, computer, software; no boosters or plates.
    void cmdClear();
    /// "Regist": asks "ドールの名前を<name>に変更しますか？"; on OK the Doll takes the name.
    bool regist(const std::string& newName);

    static const char* const kTakeOff;
    /// The entries of cmbParts: the kinds' labels in PartKind order.
    static const std::vector<std::string>& kindNames();

private:
    template <class Part>
    void showDetail(const Part& part);
    int ownedCount(int kind) const;

    Game& game;
    Prompts& prompts;
    DollPanel dollPanel;
    std::string detailTitle;
    std::vector<DetailLine> detailLines;
};

}  // namespace vargo
