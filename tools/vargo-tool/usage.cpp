// The usage text of vargo-tool, shown for a command line the tool cannot read, and the one way its
// commands read a number from the command line.

#include <exception>
#include <iostream>

#include "commands.h"

namespace vargo::tool {

int usage(const std::string& problem) {
    if (!problem.empty()) {
        std::cerr << "vargo-tool: " << problem << "\n";
    }
    std::cerr << "usage: vargo-tool [--dir DIR] COMMAND ...\n"
                 "  catalogue KIND [--id N]   KIND: motor frame booster protector hardware\n"
                 "                            software1 software2 software3\n"
                 "  check                     validate every data file of the game folder\n"
                 "  fight A B [--seed S] [--report json] [--record FILE]\n"
                 "                            registry Dolls A and B fight, computer against computer;\n"
                 "                            --report json: the fight's report instead of its steps;\n"
                 "                            --record FILE: the fight's replay written to FILE\n"
                 "  replay FILE [--report json]\n"
                 "                            a recorded fight played again, told as fight tells it\n"
                 "  sim [--rounds N] [--seed S] [--class Novice|Expert|Master] [--jobs N] [--json]\n"
                 "                            every pair of the class fights N times: win rates;\n"
                 "                            --jobs: on N threads (0 every core), each fight with\n"
                 "                            its own dice, the same table for any N\n"
                 "  save show N               saved game N as the workshop loads it, as JSON\n"
                 "  save resave N M           load saved game N and save it as M\n"
                 "  registry list             the entered enemy Dolls: number, name, class, value\n"
                 "  registry show N           enemy Doll N as the battle builds it, as JSON\n"
                 "  registry enter N          enter the Doll of saved game N into the registry\n"
                 "  tournament N [--class Novice|Expert|Master] [--seed S]\n"
                 "                            saved game N's Doll enters a class tournament, every\n"
                 "                            bout fought by the computer; the save is not written\n"
                 "  lab (N | --registry R) [--class Novice|Expert|Master] [--neighbours] [--fights K]\n"
                 "      [--seed S] [--jobs J] [--json]\n"
                 "                            saved game N's Doll (or registry Doll R) fights every\n"
                 "                            enemy of the class K times (200), computer against\n"
                 "                            computer: win rates, weakest match-up first\n"
                 "  odds N [--class Novice|Expert|Master] [--runs R] [--seed S] [--jobs J] [--json]\n"
                 "                            saved game N's player in R (200) whole tournaments of\n"
                 "                            the class, on copies: the estimate the entry question\n"
                 "                            shows\n"
                 "  career [--runs N] [--seed S] [--strategy worker|fighter|planner] [--jobs J] [--json]\n"
                 "                            N (100) whole careers played by a bot through the\n"
                 "                            game's rules: money, value, class and record month by\n"
                 "                            month (10th, 50th, 90th percentile), the same for any J\n"
                 "  career --ladder [--skill K] [--seed S]\n"
                 "                            each build the bots climb through, with a pilot of\n"
                 "                            skill K (10): 400 tournaments of its class\n";
    return 2;
}

bool parseNumber(const std::string& s, long long lo, long long hi, long long& out) {
    try {
        size_t used = 0;
        out = std::stoll(s, &used);
        return used == s.size() && out >= lo && out <= hi;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace vargo::tool
