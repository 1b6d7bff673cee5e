#pragma once
// vargo-tool's commands. Each takes the game folder and the words after the command's name,
// writes its result to standard output and the game's messages to standard error, and returns
// the exit status.

#include <string>
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

/// Prints usage to standard error and returns 2.
int usage(const std::string& problem);

}  // namespace vargo::tool
