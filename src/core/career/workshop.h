#pragma once
// The workshop's career rules: the calendar, a month of work with its income and repairs, the
// checks before a fight, the menus' read-outs and switches, music, and the end of the career.
// The workshop window calls these and opens the screens they lead to.

#include <functional>
#include <optional>
#include <string>

#include "model/game.h"

namespace vargo {

class Autosaver;
class Prompts;
class Sound;
class WorkshopActions;

class Workshop {
public:
    Workshop(Game& game, Prompts& prompts, Sound& sound);

    static const GameDate kStartDate;  ///< 2013/01/01
    static const GameDate kEndDate;    ///< 2016/01/01, 36 months on

    /// Opening: savedFlag and playMusic on; a new game starts its calendar and duelist state; the
    /// guide flags are raised when the guide is on. The window opens the shop (new game) or loads
    /// the chosen save first, then calls afterOpening.
    void openNewGame();
    /// After a loaded game's files are read: music from the file's flag, guide flags.
    void openLoadedGame();

    /// Plays midi/<tune>.mid when music is on. A failure is told once a run, whichever screen meets
    /// it first (Game::cannotPlayTold); this workshop then stops trying until BGM is switched on.
    void stMusic(const std::string& tune);
    /// The workshop's own tune, again after another screen played its own.
    void workshopMusic();
    void stopMusic();

    /// Where month-ends and tournaments keep their autosave; without one nothing is autosaved.
    void setAutosaver(Autosaver* a) { autosaver = a; }
    /// "Work": asks first; on OK one month passes with income and repairs, then the game is
    /// autosaved. True when it ran.
    bool cmdWork();
    void Shunyu();
    void Shuri();
    /// Advances the calendar one month and clears savedFlag (work and tournaments).
    void advanceMonth();
    /// Whether the calendar has reached the end of the career.
    bool careerOver() const { return game.gameDate >= kEndDate; }
    /// "最終成績" and the record, in the plain message box.
    void Ending();

    /// The checks before a duel and a simulation, with their messages; true when the fight may go on.
    bool cmdDuel();
    bool cmdStreet();
    /// The tournament entry test: programmed, at least eight eligible enemies (counted by the
    /// callback for a value limit), and the player's OK. On entry one month passes and every owned
    /// part becomes used. Returns the class entered, nothing when there is no entry.
    /// The class is the Doll's own; `entered` puts it into another (the headless tool's choice).
    std::optional<DollClass> cmdTornament(const std::function<int(int)>& countTekiDoll,
                                          std::optional<DollClass> entered = std::nullopt);
    /// After the tournament's fight: the career's history notes where it stands and the game is
    /// autosaved. An autosave is not the player's save, so savedFlag stays as the month left it.
    void afterTournament();
    /// Where the entry question gets its estimate of the player's chances (the class entered in,
    /// the text to show below the question). Without one, or when it gives an empty text, the
    /// question is asked alone.
    void setTournamentEstimate(std::function<std::string(DollClass)> estimate) {
        tournamentEstimate = std::move(estimate);
    }

    /// "Shop" and "Program": going in counts as a change to save, whatever is done there.
    void cmdShop(WorkshopActions& actions);
    void cmdProgram(WorkshopActions& actions);

    /// "Save": the slot screen in save mode; a game written to the chosen slot counts as saved.
    void mnSave(WorkshopActions& actions);
    /// "Load": the slot screen in load mode, then the game of the chosen slot.
    void mnLoad(WorkshopActions& actions);
    /// "LoadAsDuelist": asks first; on Yes the slot screen in load mode, then the duel opponent
    /// from the chosen slot, and a word that it is loaded.
    void mnLdDuel(WorkshopActions& actions);
    /// "EntryAsEnemy": the player's Doll into the enemy registry (which asks first), and a word
    /// once it is in.
    void mnEntry(WorkshopActions& actions);

    std::string recordLines() const;
    void mnChar();
    void mnRec();
    void mnVer();
    /// "Quit": true when the program may end (saved, or the player agrees to lose the changes).
    bool mnEnd();
    /// "Start": back to the start window under the same rule as Quit, since the career in hand is
    /// dropped as surely. True when it went back (the window then closes); false stays here.
    bool mnStart(WorkshopActions& actions);
    /// "BGM": switches the music off, or on again, which tries the tune afresh and may tell once
    /// more that it cannot be played.
    void mnBGM();
    void mnGuide();

    /// The workshop's guide text, or empty when the pane is hidden.
    std::string guideText() const;
    void clickGuide() { game.workshopGuidePending = false; }

private:
    /// Whether the player may leave this career: saved, or they agree to lose the changes.
    /// Leaving stops the workshop's music.
    bool mayLeave();

    Game& game;
    Prompts& prompts;
    Sound& sound;
    bool musicFailed = false;
    Autosaver* autosaver = nullptr;
    std::function<std::string(DollClass)> tournamentEstimate;
};

}  // namespace vargo
