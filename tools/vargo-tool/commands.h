#pragma once
// vargo-tool's commands. Each takes the game folder and the words after the command's name,
// writes its result to standard output and the game's messages to standard error, and returns
// the exit status.

#include <string>
#include <string_view>
#include <vector>

#include "model/game_folder.h"

namespace vargo {
class FightReport;
}

namespace vargo::tool {

using Args = std::vector<std::string>;

int cmdCatalogue(const GameFolder& folder, const Args& args);
int cmdCheck(const GameFolder& folder, const Args& args);
int cmdFight(const GameFolder& folder, const Args& args);
int cmdSim(const GameFolder& folder, const Args& args);
int cmdSave(const GameFolder& folder, const Args& args);
int cmdRegistry(const GameFolder& folder, const Args& args);
int cmdTournament(const GameFolder& folder, const Args& args);
int cmdReplay(const GameFolder& folder, const Args& args);

/// Prints a fight report as one line of JSON (fight --report json, replay --report json).
void printReport(const FightReport& r);
int cmdLab(const GameFolder& folder, const Args& args);
int cmdOdds(const GameFolder& folder, const Args& args);
int cmdCareer(const GameFolder& folder, const Args& args);

/// A whole word read as a number within lo..hi; false for anything else ("12x", "", out of range).
bool parseNumber(const std::string& s, long long lo, long long hi, long long& out);

/// One command of the tool: its name, what runs it, and its one text, which the usage lists,
/// `vargo-tool COMMAND --help` shows and a command shows when its words do not read.
struct ToolCommand {
    std::string_view name;
    int (*run)(const GameFolder&, const Args&);
    std::string_view forms;  ///< how the command is written, one form a line
    std::string_view about;  ///< what it does, one paragraph
};

/// Every command, in the order the usage lists them.
const std::vector<ToolCommand>& toolCommands();
/// The command of that name; null for none.
const ToolCommand* findCommand(std::string_view name);

/// The usage: how the tool is called, then every command's forms with what it does.
std::string usageText();
/// What `vargo-tool COMMAND --help` prints: the command's forms, then its paragraph.
std::string commandHelpText(const ToolCommand& c);

/// Prints the problem and the usage to standard error and returns 2.
int usage(const std::string& problem);
/// usage() with the command's forms as the problem ("save show N | save resave N M").
int usageOf(std::string_view command);

}  // namespace vargo::tool
