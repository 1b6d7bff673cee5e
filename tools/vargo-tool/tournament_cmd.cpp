// vargo-tool tournament: a saved game's Doll in a class tournament, every bout played by the
// computer. The entry goes through the workshop's own test and the bouts through the battle screen's
// own tournament, so what is printed is what a player who let the computer fight would have seen.
// Unlike the other commands, the game's messages are the story here and go to standard output, in
// the order the game shows them.

#include "tournament_cmd.h"

#include <array>
#include <functional>
#include <iostream>
#include <limits>
#include <vector>

#include "battle/commander.h"
#include "battle/enemy_source.h"
#include "battle/fight.h"
#include "battle/simulator.h"
#include "career/assembly.h"
#include "career/workshop.h"
#include "commands.h"
#include "model/game.h"
#include "model/random.h"
#include "persistence/enemy_registry.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"
#include "ports/sound.h"

namespace vargo::tool {

namespace {

enum class Shown { Question, Msg, Result, Box };

// Prints every message as one line ("  > [title] text / next line") and answers every question the
// way a computer player does: OK, Yes. `before` hears of each message first.
class PrintingPrompts final : public Prompts {
public:
    explicit PrintingPrompts(std::ostream& o) : out(o) {}
    std::function<void(Shown, const std::string&)> before;

    int askOkCancel(const std::string& m) override { return ask(m, "", kOk, "OK"); }
    int askOkCancelTitled(const std::string& m, const std::string& t) override {
        return ask(m, t, kOk, "OK");
    }
    int askYesNo(const std::string& m, const std::string& t) override { return ask(m, t, kYes, "Yes"); }
    void showMsg(const std::string& m) override { show(Shown::Msg, m, ""); }
    void showMsgTitled(const std::string& m, const std::string& t) override { show(Shown::Result, m, t); }
    void showMsgTall(const std::string& m, const std::string& t, int) override { show(Shown::Result, m, t); }
    int msgBox(const std::string& m, BoxButtons buttons) override {
        if (buttons == BoxButtons::OkCancel) {
            return ask(m, "", kOk, "OK");
        }
        if (buttons == BoxButtons::YesNo) {
            return ask(m, "", kYes, "Yes");
        }
        show(Shown::Box, m, "");
        return kOk;
    }

private:
    int ask(const std::string& m, const std::string& title, int answer, const char* said) {
        if (before) {
            before(Shown::Question, m);
        }
        out << "  ? " << line(m, title) << " -> " << said << "\n";
        return answer;
    }
    void show(Shown kind, const std::string& m, const std::string& title) {
        if (before) {
            before(kind, m);
        }
        out << "  > " << line(m, title) << "\n";
    }
    static std::string line(const std::string& m, const std::string& title) {
        std::string s = title.empty() || title == kAppTitle ? "" : "[" + title + "] ";
        std::string text = m;
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        for (char c : text) {
            if (c == '\n') {
                s += " / ";
            } else {
                s += c;
            }
        }
        return s;
    }

    std::ostream& out;
};

const char* boutName(int stage) {
    switch (stage) {
        case 1:
            return "quarter-final";
        case 2:
            return "semi-final";
        default:
            return "final";
    }
}

std::string signedNumber(long long n) {
    std::string text = std::to_string(n);  // never negates: the most negative number has no positive
    if (n >= 0) {
        text.insert(text.begin(), '+');
    }
    return text;
}

// The player's numbers that a tournament changes.
struct Record {
    explicit Record(const Owner& o)
        : Rl(o.Rl),
          Lv(o.Lv),
          exp(o.exp),
          skillPlay(o.skillPlay),
          recWin(o.recWin),
          recLoose(o.recLoose),
          recChamp(o.recChamp) {}
    int Rl, Lv, exp, skillPlay, recWin, recLoose, recChamp;
};

void printRecord(std::ostream& out, const char* label, const Record& r, const GameDate& date) {
    out << label << "Rl " << r.Rl << ", Lv " << r.Lv << ", exp " << r.exp << ", skillPlay " << r.skillPlay
        << ", record " << r.recWin << " wins " << r.recLoose << " losses " << r.recChamp
        << " championships, date " << date.format() << "\n";
}

template <class Part>
std::string partState(const char* kind, const Part& p) {
    if (p.name.empty()) {
        return std::string(kind) + " none";
    }
    return std::string(kind) + " " + p.name + " HP " + std::to_string(p.HP) + "/" + std::to_string(p.maxHP);
}

// Follows the tournament from outside: the draw when the bracket window first shows, each stage's
// entrants whenever it shows, and each bout's result when the bracket announces its winner. The
// winner is read from the fight's own state (the player's bout: who was destroyed; an automatic
// bout: the bracket entry it wrote), never worked out anew.
class TournamentLog {
public:
    enum class End { Stopped, Champion, Lost, GaveUp };

    TournamentLog(std::ostream& o, const Fight& f, const Owner& player)
        : out(o), fight(f), owner(player), lastRl(player.Rl) {}

    void bracketShown(const Bracket& shown) {
        if (!drawn) {
            drawn = true;
            out << "draw:\n";
            for (size_t p = 0; p < ids.size(); ++p) {
                ids[p] = fight.tournament().bracket[p];
                names[p] = shown.lblName(static_cast<int>(p));
                out << "  position " << p << ": " << label(ids[p])
                    << (ids[p] == 0 ? "  <- the player's Doll" : "") << "\n";
            }
        }
        // The bracket window opens before each stage, when the stage's entrants stand at its front.
        const int entrants = Bracket::kPositions >> (fight.tournament().stage - 1);
        stageIds.assign(fight.tournament().bracket.begin(), fight.tournament().bracket.begin() + entrants);
        out << "stage " << fight.tournament().stage << ": " << boutName(fight.tournament().stage)
            << (entrants > 2 ? "s" : "") << "\n";
    }

    void message(Shown kind, const std::string& text) {
        // Every change of money is announced at once: the prize with the bout's result and the
        // championship notice, the consolation income with its notice, the repairs with their box.
        const long long delta = owner.Rl - lastRl;
        lastRl = owner.Rl;
        if (kind == Shown::Box) {
            repairs -= delta;
        } else if (kind == Shown::Result || (kind == Shown::Msg && fight.winner() == 0)) {
            prize += delta;
        } else {
            income += delta;
        }
        if (kind == Shown::Msg) {
            announcement(text);
        }
    }

    void gaveUp() {
        end = End::GaveUp;
        endStage = fight.tournament().stage;
    }

    std::string endLine() const {
        switch (end) {
            case End::Champion:
                return "end: champion";
            case End::Lost:
                return std::string("end: lost in the ") + boutName(endStage) + " to " + label(beatenBy);
            case End::GaveUp:
                return std::string("end: gave up in the ") + boutName(endStage) + " after " +
                       std::to_string(Simulator::kStepCap) + " steps";
            case End::Stopped:
                break;
        }
        return "end: the tournament stopped";
    }

    long long prize = 0, income = 0, repairs = 0;

private:
    std::string name(int id) const {
        for (size_t p = 0; p < ids.size(); ++p) {
            if (ids[p] == id) {
                return names[p];
            }
        }
        return "";
    }
    std::string label(int id) const {
        std::string text = id == 0 ? std::string("player ") : std::string("#");
        if (id != 0) {
            text += std::to_string(id);
            text += ' ';
        }
        return text + name(id);
    }

    void announcement(const std::string& text) {
        const int stage = fight.tournament().stage;
        const int bout = fight.tournament().bout;
        const size_t second = static_cast<size_t>(2 * bout + 1);
        if (second >= stageIds.size() || (stage == toldStage && bout == toldBout)) {
            return;
        }
        const int a = stageIds[second - 1];
        const int b = stageIds[second];
        const bool playerBout = a == 0 || b == 0;
        int winnerId = 0;
        if (playerBout) {
            if (fight.winner() == -1) {
                return;
            }
            winnerId = fight.winner() == 0 ? 0 : (a == 0 ? b : a);
        } else {
            winnerId = fight.tournament().bracket[static_cast<size_t>(bout)];
        }
        if (text != name(winnerId) + " Win") {
            return;
        }
        toldStage = stage;
        toldBout = bout;
        ++told;
        out << "bout " << told << " (" << boutName(stage) << "): " << label(a) << " vs " << label(b)
            << " -> winner " << label(winnerId);
        if (!playerBout) {
            out << " (automatic)\n";
            return;
        }
        out << " (fought, " << fight.steps() << " steps)\n";
        if (winnerId != 0) {
            end = End::Lost;
            endStage = stage;
            beatenBy = winnerId;
        } else if (stage == 3) {
            end = End::Champion;
            endStage = stage;
        }
    }

    std::ostream& out;
    const Fight& fight;
    const Owner& owner;
    long long lastRl;
    bool drawn = false;
    std::array<int, Bracket::kPositions> ids{};
    std::array<std::string, Bracket::kPositions> names;
    std::vector<int> stageIds;
    int toldStage = 0;
    int toldBout = -1;
    int told = 0;
    End end = End::Stopped;
    int endStage = 0;
    int beatenBy = -1;
};

}  // namespace

int runTournament(const GameFolder& folder, const TournamentOptions& options, std::ostream& out) {
    GameRandom rng(options.seed);
    Game game(folder, rng);
    // Draws: fresh owners' starting money, as a game starts before a save is loaded. A seed has
    // always named the tournament that follows these draws.
    game.resetPairs();
    PrintingPrompts prompts(out);
    out << "saved game " << options.save << "\n";
    SaveFiles files(game, prompts);
    files.svNum = options.save;
    if (!files.load_rtn()) {
        out << "refused: saved game " << options.save << " could not be loaded\n";
        return 1;
    }
    // The workshop recomputes the Doll when it shows it after the load, and enables its fight
    // buttons only for a Doll with a motor, a frame and a computer.
    Assembly assembly(game, prompts);
    const DollPanel& panel = assembly.dspDoll();
    Owner& owner = game.owner();
    doll& player = game.theDoll();
    out << "player: " << owner.name << ", Doll " << player.name << " (value " << player.value << ", "
        << panel.dollClass << ")\n";
    if (!assembly.fightEnabled()) {
        out << "refused: the Tornament button is disabled: the Doll needs a motor, a frame and a computer\n";
        return 1;
    }

    EnemyRegistry registry(folder, prompts);
    RecordingSound silence;
    Workshop workshop(game, prompts, silence);
    const GameDate dateBefore = game.gameDate;
    const Record recordBefore(owner);
    const std::optional<DollClass> entered =
        workshop.cmdTornament([&](int limit) { return registry.countTekiDoll(limit); }, options.entered);
    if (!entered) {
        out << "refused: the workshop did not let the Doll enter\n";
        return 1;
    }
    out << "entry: " << dollClassName(*entered) << " class, " << dateBefore.format() << " -> "
        << game.gameDate.format() << "\n";

    RegistryEnemies enemies(registry);
    ScriptedCommander nobody;  // the computer plays the player's side, so nobody is asked
    Fight fight(game, rng, prompts, nobody, enemies);
    fight.setMode(FightMode::Tornament);
    fight.setClass(*entered);
    TournamentLog log(out, fight, owner);
    fight.setBracketViewer([&](const Bracket& b) { log.bracketShown(b); });
    prompts.before = [&](Shown kind, const std::string& text) { log.message(kind, text); };
    fight.load();
    fight.setComputer(0, true);
    while (!fight.closed()) {
        // Two Dolls that cannot hurt each other would fight for ever; a player would give up.
        if (fight.steps() >= Simulator::kStepCap) {
            log.gaveUp();
            fight.cmdTap_Click();
            break;
        }
        fight.cmdNext_Click();
    }
    out << log.endLine() << "\n";
    if (workshop.careerOver()) {
        workshop.Ending();
    }
    prompts.before = nullptr;

    printRecord(out, "before: ", recordBefore, dateBefore);
    printRecord(out, "after:  ", Record(owner), game.gameDate);
    out << "money: prize " << signedNumber(log.prize) << ", income " << signedNumber(log.income)
        << ", repairs " << signedNumber(-log.repairs) << ", change "
        << signedNumber(static_cast<long long>(owner.Rl) - recordBefore.Rl) << "\n";
    out << "doll: " << partState("motor", *player.Motor) << ", " << partState("frame", *player.frame) << "\n";
    out << "saved game " << options.save << " is left as it was\n";
    return 0;
}

int cmdTournament(const GameFolder& folder, const Args& args) {
    TournamentOptions options;
    long long save = 0;
    if (args.empty() || !parseNumber(args[0], 0, 32767, save)) {
        return usageOf("tournament");
    }
    options.save = static_cast<int>(save);
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& w = args[i];
        long long seed = 0;
        if (w == "--class" && i + 1 < args.size() && parseDollClass(args[i + 1])) {
            options.entered = parseDollClass(args[++i]);
        } else if (w == "--seed" && i + 1 < args.size() &&
                   parseNumber(args[i + 1], 0, std::numeric_limits<long long>::max(), seed)) {
            options.seed = static_cast<std::uint64_t>(seed);
            ++i;
        } else {
            return usageOf("tournament");
        }
    }
    return runTournament(folder, options, std::cout);
}

}  // namespace vargo::tool
