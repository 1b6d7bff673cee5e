#pragma once
// The three files of a saved game (save/PlayersvN.ini, PlayDollsvN.ini, LogicsvN.ini): writing the
// player's side, loading it back into either side of the Game, and loading a duel opponent.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/catalogue.h"
#include "model/game.h"

namespace vargo {

class Prompts;

/// The workshop's save and load routines for one save number `svNum`.
class SaveFiles {
public:
    SaveFiles(Game& game, Prompts& prompts);

    /// The save number the save-slot screen confirmed.
    int svNum = 0;

    /// The three files as one: after it the slot holds the whole new set, or (after a failure that
    /// it reports) the whole previous one; a save cut off by a crash is settled at the next start.
    bool save_rtn();
    /// Why a set was not written: the first line of the player's message, and what went wrong.
    struct WriteProblem {
        std::string head;
        std::string detail;
    };
    /// The three files, and `extra` files of the save folder (plain name and bytes), as one
    /// transaction. Says nothing to the player: on a failure it fills *problem.
    bool writeSet(const std::vector<std::pair<std::string, std::string>>& extra, WriteProblem* problem) const;
    /// The name of save number n's journal in the save folder while it is being written.
    static std::string transactionName(int n);

    /// Each reads its file into side `which` (0 the player, 1 the duel opponent). On a failure it
    /// says so, sets duelistState to 1 and returns false; what it had already changed stays changed.
    bool loadPlayerRtn(int which);
    bool loadDollRtn(int which);
    bool loadLogicRtn(int which);
    /// The three readers into side 0; an opponent loaded before is given up.
    bool load_rtn();
    /// The three readers into side 1 with the opponent recomputed; duelistState 2 when usable.
    bool loadDuelist();

    /// The file contents the writers produce, as UTF-8 lines.
    std::vector<std::string> playerLines() const;
    std::vector<std::string> dollLines() const;
    std::vector<std::string> logicLines() const;

    /// "save/Playersv" + N + ".ini" and its two siblings, relative to the game folder. Autosave k
    /// travels as the number -k and is written "save/PlayersvA" + k + ".ini".
    static std::string playerFile(int n);
    static std::string dollFile(int n);
    static std::string logicFile(int n);
    /// The career's history beside them (model/career_history.h); a set may lack it.
    static std::string historyFile(int n);

private:
    void loadHistory();
    std::optional<std::vector<std::string>> openForLoad(const std::string& relative);
    void readFailed(const std::string& relative, int line, const std::string& why);

    Game& game;
    Prompts& prompts;
    CatalogueReader catalogue;
};

/// The protector numbering against an owner's protectors: scans slots `start` down to 0 for copies
/// of p's catalogue protector and, when there is one, names p after the highest copy found plus one
/// ("X", then "X 1", "X 2" ...). A start of -1 leaves the name as it is.
void countUpProtector(Protector& p, const Owner& owner, int start);
/// The same against a Doll's protectors.
void countUpProtector2(Protector& p, const doll& d, int start);

/// A name as the save files write it: plain, or quoted with doubled quotes when plain text would
/// not read back the same (a comma, a leading quote, blanks at either end).
std::string saveNameField(const std::string& name);
/// A date as "yyyy/mm/dd" or any other separators between year, month and day; nothing otherwise.
std::optional<GameDate> parseSaveDate(const std::string& text);

}  // namespace vargo
