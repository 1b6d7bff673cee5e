// vargo-tool: inspects and exercises a game folder without a window. The commands live in the
// vargo_tool_commands library; this file only picks one.

#include <filesystem>
#include <functional>
#include <iostream>
#include <map>

#include "commands.h"
#include "persistence/recovery.h"

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
        {"tournament", cmdTournament},
        {"replay", cmdReplay},
        {"lab", cmdLab},
        {"odds", cmdOdds},
        {"career", cmdCareer},
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
