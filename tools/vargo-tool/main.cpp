// vargo-tool: inspects and exercises a game folder without a window. The commands live in the
// vargo_tool_commands library; this file only picks one.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "commands.h"
#include "persistence/recovery.h"
#include "vargo/version.h"

namespace {

bool isHelp(const std::string& word) {
    return word == "--help" || word == "-h";
}

}  // namespace

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
    const std::string command = argv[i++];
    if (isHelp(command)) {
        std::cout << usageText();
        return 0;
    }
    if (command == "--version") {
        std::cout << "vargo-tool " << vargo::kVersion << "\n";
        return 0;
    }
    if (command.starts_with("-")) {
        return usage("unknown option \"" + command + "\"");
    }
    const ToolCommand* found = findCommand(command);
    if (!found) {
        return usage("unknown command \"" + command + "\"");
    }
    const Args args(argv + i, argv + argc);
    if (std::any_of(args.begin(), args.end(), isHelp)) {
        std::cout << commandHelpText(*found);
        return 0;
    }
    // A mistyped --dir must not read as an empty registry and an empty save: every command
    // would answer "nothing there" and succeed.
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error)) {
        std::cerr << "vargo-tool: no game folder at \"" << dir.string() << "\"\n";
        return 1;
    }
    try {
        // The tool sees the saves and the registry as the game would: a write a crash cut off is
        // settled first, as at the game's start. Only check leaves the folder untouched, to report it.
        if (command != "check") {
            for (const auto& message : vargo::recoverSaveFolder(vargo::GameFolder(dir))) {
                std::cerr << message << "\n";
            }
        }
        return found->run(vargo::GameFolder(dir), args);
    } catch (const std::exception& e) {
        std::cerr << "vargo-tool: " << e.what() << "\n";
        return 1;
    }
}
