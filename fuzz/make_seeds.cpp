// Writes the starting corpus of every harness from the shipped data and a few games saved by the
// game's own writers, so the fuzzers start from files the readers accept and mutate from there.
// Usage: make_seeds OUT_DIR   (makes OUT_DIR/<harness>/ for each harness)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "battle/replay_recorder.h"
#include "battle/simulator.h"
#include "fuzz_support.h"
#include "model/catalogue.h"
#include "model/game.h"
#include "model/random.h"
#include "model/text_codec.h"
#include "persistence/enemy_registry.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"

using namespace vargo;
namespace fs = std::filesystem;

namespace {

const std::string kCut(1, '\xFF');

std::string bytesOf(const fs::path& p) {
    auto b = readBytes(p);
    if (!b) {
        std::fprintf(stderr, "make_seeds: cannot read %s\n", p.c_str());
        std::exit(1);
    }
    return *b;
}

void put(const fs::path& dir, const std::string& name, const std::string& bytes) {
    fs::create_directories(dir);
    std::string error;
    if (!writeFileAtomic(dir / name, bytes, &error)) {
        std::fprintf(stderr, "make_seeds: %s\n", error.c_str());
        std::exit(1);
    }
}

std::vector<fs::path> iniFiles(const fs::path& dir) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.path().extension() == ".ini") {
            out.push_back(e.path());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// A saved game's three files joined at the cut, as the save-set harness takes them.
struct SavedGame {
    std::string player, dollFile, logic;
};

// Fits real parts and patterns to a game's player and Doll, the way a played career would.
void outfit(Game& game, ScriptedPrompts& prompts, const std::string& owner, const std::string& dollName) {
    CatalogueReader cat(game.folder);
    Owner& o = game.owner();
    o.name = owner;
    o.Lv = 3;
    o.exp = 120;
    o.Rl = 2500;
    o.skillPlay = 11;
    o.skillHard = 9;
    o.skillSoft = 14;
    o.recWin = 4;
    o.recLoose = 2;
    o.recChamp = 1;
    o.setMotor(cat.ld_Motor(5));
    o.setFrame(cat.ld_Frame(3));
    o.setBooster(cat.ld_Boost(2));
    for (int id : {3, 3, 7}) {
        auto p = cat.ld_Protect(id);
        countUpProtector(*p, o, 9);
        o.setProtector(p);
    }
    o.setHard(cat.ld_Hard(2));
    o.setSoftM(cat.ld_SoftM(2));
    o.setSoftA(cat.ld_SoftA(4));
    o.setSoftD(cat.ld_SoftD(2));
    doll& d = game.theDoll();
    d.name = dollName;
    d.Motor = o.getMotor(0);
    d.frame = o.getFrame(0);
    d.Hard = o.getHard(0);
    d.setSoftM(0, o.getSoftM(0));
    d.setSoftA(0, o.getSoftA(0));
    d.setSoftD(0, o.getSoftD(0));
    d.addBooster(o.getBooster(0));
    d.addProtector(o.getProtector(0), prompts);
    d.addProtector(o.getProtector(1), prompts);
    game.resetDollParam(0);
    for (int s = 0; s < 3; ++s) {
        auto l = std::make_shared<Logic>();
        l->name = s == 1 ? "\"突進\", 改" : (s == 2 ? ".技" : "技" + std::to_string(s + 1));
        l->addAction(d.getAction(kMove), prompts);
        l->addAction(d.getAction(kPunch + s), prompts);
        d.setLogics(l, s);
    }
    d.programed = true;
    game.gameDate = GameDate{2014, 7, 1};
}

SavedGame save(const fuzz::ScratchFolder& dir, bool outfitted, const std::string& owner,
               const std::string& dollName) {
    dir.clearSave();
    GameRandom rng(5);
    Game game(dir.folder(), rng);
    ScriptedPrompts prompts;
    if (outfitted) {
        outfit(game, prompts, owner, dollName);
    }
    SaveFiles sv(game, prompts);
    sv.svNum = 1;
    if (!sv.save_rtn()) {
        std::fprintf(stderr, "make_seeds: the game could not be saved\n");
        std::exit(1);
    }
    const fs::path save = dir.path() / "save";
    return {bytesOf(save / "Playersv1.ini"), bytesOf(save / "PlayDollsv1.ini"),
            bytesOf(save / "Logicsv1.ini")};
}

// A small registry made the way the workshop fills one: three Dolls entered into empty files.
std::string enteredRegistry(const fuzz::ScratchFolder& dir) {
    dir.clearSave();
    dir.write("save/EDollsv.ini", "");
    dir.write("save/ELogicsv.ini", "");
    GameRandom rng(9);
    Game game(dir.folder(), rng);
    ScriptedPrompts prompts;
    outfit(game, prompts, "鋼野拳士", "");
    EnemyRegistry reg(dir.folder(), prompts);
    for (const char* name : {"鉄拳号", "\"守護神\", 改", ".ドット"}) {
        game.theDoll().name = name;
        if (reg.entryEnemy(game.theDoll()) == 0) {
            std::fprintf(stderr, "make_seeds: the registry refused an entry\n");
            std::exit(1);
        }
    }
    const fs::path save = dir.path() / "save";
    return bytesOf(save / "EDollsv.ini") + kCut + bytesOf(save / "ELogicsv.ini");
}

// Short bouts recorded as the game records them, small enough for the fuzzer's input limit: two
// punchers of little HP, one played by the computer on both sides, one a duel answered in turn.
std::vector<std::string> recordedReplays() {
    std::vector<std::string> out;
    auto puncher = [](const std::string& name, int slots) {
        auto d = std::make_shared<doll>();
        d->name = name;
        d->pow = 40;
        d->offence = 6;
        d->defence = 4;
        d->move = d->jump = d->spin = 30;
        d->AC = 1.5;
        d->AP = 3;
        d->weight = 20.25;
        d->Motor->HP = d->Motor->maxHP = 30;
        d->frame->HP = d->frame->maxHP = 40;
        for (int s = 0; s < slots; ++s) {
            Logic& l = *d->getLogic(s);
            l.name = "技" + std::to_string(s + 1);
            l.AP = static_cast<Int16>(3 + s);
            l.setAction(makeAction(s == 0 ? kMove : kPunch), 0);
            l.setAction(makeAction(s == 2 ? kKick : kPunch), 1);
        }
        return d;
    };
    auto keep = [&out](Replay&& r) { out.push_back(encodeLines(replayLines(r))); };
    for (std::uint64_t seed : {3u, 11u}) {
        GameRandom rng(seed);
        ScriptedCommander nobody;
        ReplayRecorder recorder(rng, nobody, keep);
        Simulator sim(recorder.random());
        sim.setRecorder(&recorder);
        sim.play(puncher("赤", 2), puncher("青", 3));
        recorder.finish(sim.lastFight());
    }
    GameRandom rng(7);
    Game game(GameFolder("."), rng);
    game.dolls = {puncher("左", 3), puncher("右", 1)};
    ScriptedCommander orders;
    for (int i = 0; i < 200; ++i) {
        orders.pushTechnique(i % 4);
        orders.pushMove(i % 2);
    }
    ReplayRecorder recorder(rng, orders, keep);
    SilentPrompts prompts;
    MemoryEnemies none;
    Fight duel(game, recorder.random(), prompts, recorder.commander(), none);
    duel.setRecorder(&recorder);
    duel.setMode(FightMode::Duel);
    duel.load();
    while (!duel.closed() && duel.steps() < 150) {
        duel.cmdNext_Click();
    }
    recorder.finish(duel);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds OUT_DIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    const fs::path data = fuzz::shippedData();
    const fs::path broken = fs::path(VARGO_SOURCE_DIR) / "tests" / "data" / "broken" / "ini";
    std::vector<fs::path> files = iniFiles(data / "ini");
    for (const auto& f : iniFiles(data / "save")) {
        files.push_back(f);
    }
    std::vector<fs::path> brokenFiles = iniFiles(broken);

    fuzz::ScratchFolder dir(fuzz::ScratchFolder::Ini::Shipped);
    const std::vector<SavedGame> games = {
        save(dir, true, "鋼野拳士", "ＧＤ－１ 守護神"),
        save(dir, true, "\"鋼,野\" 拳士", " 守護神, 改 "),
        save(dir, true, ".鋼野", ".守護神"),
        save(dir, false, "", ""),
    };

    // Catalogues, registry files and broken files: every reader of one file starts from them.
    int n = 0;
    for (const auto& f : files) {
        const std::string stem = f.parent_path().filename().string() + "-" + f.stem().string();
        put(out / "catalogue", stem, bytesOf(f));
        put(out / "text_codec", stem, bytesOf(f));
        // Field scripts: start on line 1 (after a header), read a name and numbers, move on.
        put(out / "field_reader", stem + "-a",
            "\x01"
            "02222"
            "5"
            "7"
            "0222"
            "3"
            "4" +
                kCut + bytesOf(f));
        put(out / "field_reader", stem + "-b",
            std::string("\x00", 1) +
                "1"
                "22"
                "33"
                "44"
                "6" +
                kCut + bytesOf(f));
    }
    for (const auto& f : brokenFiles) {
        put(out / "catalogue", "broken-" + f.stem().string(), bytesOf(f));
        put(out / "field_reader", "broken-" + f.stem().string(),
            "\x01"
            "02222"
            "5"
            "02222" +
                kCut + bytesOf(f));
    }
    for (const auto& g : games) {
        const std::string name = "game" + std::to_string(++n);
        put(out / "save_set", name, g.player + kCut + g.dollFile + kCut + g.logic);
        put(out / "save_slot", name, g.player + kCut + g.dollFile);
        put(out / "field_reader", name, std::string("\x00", 1) + "0122222222222" + kCut + g.player);
        put(out / "text_codec", name, g.player);
    }
    put(out / "registry", "shipped",
        bytesOf(data / "save" / "EDollsv.ini") + kCut + bytesOf(data / "save" / "ELogicsv.ini"));
    put(out / "registry", "empty", kCut);
    put(out / "registry", "entered", enteredRegistry(dir));
    put(out / "registry", "dolls-only", bytesOf(data / "ini" / "Dollsv.ini"));
    // Text typed in the game: characters CP932 spells its own way, and the ones it codes twice.
    put(out / "text_codec", "typed", "鋼野拳士 〜−‖—¬¥‾ ①髙﨑 ＧＤ－１\\");
    int r = 0;
    for (const std::string& replay : recordedReplays()) {
        put(out / "replay", "bout" + std::to_string(++r), replay);
    }
    put(out / "history", "career",
        "VARGO-HISTORY,1\r\n2013/01/01,start,2500,0,Novice,1,0,0,0\r\n2013/02/"
        "01,month,2430,2160,Novice,1,0,0,"
        "0\r\n2013/03/01,tournament,3150,2160,Novice,2,3,0,1\r\n2013/03/"
        "01,save,3150,2160,Novice,2,3,0,1\r\n");
    put(out / "text_codec", "nec-ibm", "\x87\x90\x81\xE0\xFA\x5B\xED\x40");
    return 0;
}
