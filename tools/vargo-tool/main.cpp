// vargo-tool: inspects and exercises a game folder without a window.

#include <filesystem>
#include <functional>
#include <iostream>
#include <map>

#include "commands.h"
#include "persistence/recovery.h"

namespace vargo::tool {

int usage(const std::string& problem) {
    if (!problem.empty()) {
        std::cerr << "vargo-tool: " << problem << "\n";
    }
    std::cerr << "usage: vargo-tool [--dir DIR] COMMAND ...\n"
                 "  catalogue KIND [--id N]   KIND: motor frame booster protector hardware\n"
                 "                            software1 software2 software3\n"
                 "  check                     validate every data file of the game folder\n"
                 "  fight A B [--seed S]      registry Dolls A and B fight, computer against computer\n"
                 "  sim [--rounds N] [--seed S] [--class Novice|Expert|Master] [--json]\n"
                 "                            every pair of the class fights N times: win rates\n"
                 "  save show N               saved game N as the workshop loads it, as JSON\n"
                 "  save resave N M           load saved game N and save it as M\n"
                 "  registry list             the entered enemy Dolls: number, name, class, value\n"
                 "  registry show N           enemy Doll N as the battle builds it, as JSON\n"
                 "  registry enter N          enter the Doll of saved game N into the registry\n";
    return 2;
}

}  // namespace vargo::tool

int main(int argc, char** argv) {
    using namespace vargo::tool;
    std::filesystem::path dir = std::filesystem::current_path();
    int i = 1;
    if (i < argc && std::string(argv[i]) == "--dir") {
        if (i + 1 >= argc) {
            return usage("--dir needs a folder");
        }
        dir = argv[i + 1];
        i += 2;
    }
    if (i >= argc) {
        return usage("no command given");
    }
    std::string command = argv[i++];
    Args args(argv + i, argv + argc);
    const std::map<std::string, std::function<int(const vargo::GameFolder&, const Args&)>> commands = {
        {"catalogue", cmdCatalogue},
        {"check", cmdCheck},
        {"fight", cmdFight},
        {"sim", cmdSim},
        {"save", cmdSave},
        {"registry", cmdRegistry},
    };
    auto it = commands.find(command);
    if (it == commands.end()) {
        return usage("unknown command \"" + command + "\"");
    }
    try {
        // The tool sees the saves and the registry as the game would: a write a crash cut off is
        // settled first, as at the game's start. Only check leaves the folder untouched, to report it.
        if (command != "check") {
            for (const auto& message : vargo::recoverSaveFolder(vargo::GameFolder(dir))) {
                std::cerr << message << "\n";
            }
        }
        return it->second(vargo::GameFolder(dir), args);
    } catch (const std::exception& e) {
        std::cerr << "vargo-tool: " << e.what() << "\n";
        return 1;
    }
}
