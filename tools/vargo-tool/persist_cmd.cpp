// `save show`, `save resave`, `registry list`, `registry show`, `registry enter`.

#include <iostream>

#include "commands.h"
#include "doll_json.h"
#include "model/game.h"
#include "model/random.h"
#include "persistence/enemy_registry.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"

namespace vargo::tool {
namespace {

void printMessages(const ScriptedPrompts& prompts) {
    for (const auto& m : prompts.messages()) {
        std::cerr << m << "\n";
    }
}

bool number(const std::string& text, int& out) {
    try {
        size_t used = 0;
        long v = std::stol(text, &used);
        if (used != text.size() || v < 0 || v > 32767) {
            return false;
        }
        out = static_cast<int>(v);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int saveShow(const GameFolder& folder, int n) {
    GameRandom rng;
    Game game(folder, rng);
    ScriptedPrompts prompts;
    SaveFiles sv(game, prompts);
    sv.svNum = n;
    bool ok = sv.load_rtn();
    game.resetDollParam(0);
    printMessages(prompts);
    Json d = Json::object();
    addDollFields(d, game.theDoll(), false);
    Json j = {{"date", game.gameDate.format()},
              {"playMusic", game.playMusic},
              {"guideOn", game.guideOn},
              {"owner", ownerJson(game.owner())},
              {"doll", std::move(d)}};
    addPatterns(j, game.theDoll());
    std::cout << jsonText(j) << "\n";
    return ok ? 0 : 1;
}

int saveResave(const GameFolder& folder, int from, int to) {
    GameRandom rng;
    Game game(folder, rng);
    ScriptedPrompts prompts;
    SaveFiles sv(game, prompts);
    sv.svNum = from;
    bool ok = sv.load_rtn();
    sv.svNum = to;
    ok = ok && sv.save_rtn();
    printMessages(prompts);
    return ok ? 0 : 1;
}

}  // namespace

int cmdSave(const GameFolder& folder, const Args& args) {
    int n = 0, m = 0;
    if (args.size() == 2 && args[0] == "show" && number(args[1], n)) {
        return saveShow(folder, n);
    }
    if (args.size() == 3 && args[0] == "resave" && number(args[1], n) && number(args[2], m)) {
        return saveResave(folder, n, m);
    }
    return usageOf("save");
}

int cmdRegistry(const GameFolder& folder, const Args& args) {
    ScriptedPrompts prompts;
    EnemyRegistry registry(folder, prompts);
    int n = 0;
    int status = 0;
    if (args.size() == 1 && args[0] == "list") {
        for (const auto& e : registry.dspEnemyList()) {
            auto d = registry.readEnemyDoll(e.number);
            if (!d) {
                status = 1;
                continue;
            }
            std::cout << e.number << "\t" << e.name << "\t" << dollClassName(d->dollClass()) << "\t"
                      << d->value << "\n";
        }
    } else if (args.size() == 2 && args[0] == "show" && number(args[1], n)) {
        auto d = registry.ldTekiDoll(n);
        if (d) {
            Json j = Json::object();
            addDollFields(j, *d, true);
            addPatterns(j, *d);
            std::cout << jsonText(j) << "\n";
        } else {
            std::cerr << "registry: no Doll numbered " << n << "\n";
            status = 1;
        }
    } else if (args.size() == 2 && args[0] == "enter" && number(args[1], n)) {
        GameRandom rng;
        Game game(folder, rng);
        SaveFiles sv(game, prompts);
        sv.svNum = n;
        bool loaded = sv.load_rtn();
        game.resetDollParam(0);
        int entered = 0;
        if (loaded) {
            prompts.setDefault(true);
            entered = registry.entryEnemy(game.theDoll());
        }
        printMessages(prompts);
        std::cout << "registry number " << entered << "\n";
        return entered > 0 ? 0 : 1;
    } else {
        return usageOf("registry");
    }
    printMessages(prompts);
    return status;
}

}  // namespace vargo::tool
