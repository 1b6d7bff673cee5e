// The tool's commands with their text: what `--help` lists, what `COMMAND --help` shows, and the
// usage a command line the tool cannot read gets; and the one way the commands read a number.

#include <exception>
#include <iostream>

#include "commands.h"

namespace vargo::tool {
namespace {

constexpr size_t kWidth = 96;
constexpr size_t kAboutColumn = 28;
constexpr size_t kFormIndent = 2;
constexpr size_t kFormContinued = 6;
// "usage: vargo-tool [--dir DIR] ": where a command's help writes its forms.
constexpr size_t kHelpFormColumn = 30;

// Text laid out in lines of at most kWidth columns (a longer word keeps its own line), the first
// line going on from `column` of the line already begun in `out`, the others starting at `indent`.
void wrap(std::string& out, std::string_view text, size_t column, size_t indent) {
    bool lineEmpty = true;
    while (!text.empty()) {
        const size_t end = text.find(' ');
        const std::string_view word = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (word.empty()) {
            continue;
        }
        if (!lineEmpty && column + 1 + word.size() > kWidth) {
            out += '\n';
            out.append(indent, ' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineEmpty = false;
    }
    out += '\n';
}

// The command's forms, one a line: "save show N", "save resave N M".
std::vector<std::string_view> formsOf(const ToolCommand& c) {
    std::vector<std::string_view> forms;
    std::string_view rest = c.forms;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        forms.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return forms;
}

void listCommand(std::string& out, const ToolCommand& c) {
    const std::vector<std::string_view> forms = formsOf(c);
    for (const std::string_view form : forms) {
        out.append(kFormIndent, ' ');
        wrap(out, form, kFormIndent, kFormContinued);
    }
    // A single short form has its paragraph beside it.
    const bool beside = forms.size() == 1 && kFormIndent + forms[0].size() + 1 < kAboutColumn;
    if (beside) {
        out.pop_back();
        out.append(kAboutColumn - kFormIndent - forms[0].size(), ' ');
    } else {
        out.append(kAboutColumn, ' ');
    }
    wrap(out, c.about, kAboutColumn, kAboutColumn);
}

}  // namespace

const std::vector<ToolCommand>& toolCommands() {
    static const std::vector<ToolCommand> commands = {
        {"catalogue", cmdCatalogue, "catalogue KIND [--id N]",
         "a part catalogue as the shop loads it, one JSON object a line (with --id, the one record the "
         "workshop loads by that ID); KIND: motor frame booster protector hardware software1 software2 "
         "software3"},
        {"check", cmdCheck, "check",
         "validate every data file of the game folder: one FILE:LINE: problem a line, exit status 1 when "
         "there is any; the folder is left untouched"},
        {"fight", cmdFight, "fight A B [--seed S] [--report json] [--record FILE]",
         "registry Dolls A and B fight, computer against computer, told step by step; --report json: the "
         "fight's report instead of its steps; --record FILE: the fight's replay written to FILE"},
        {"replay", cmdReplay, "replay FILE [--report json]",
         "a recorded fight played again, told as fight tells it (or as its report)"},
        {"sim", cmdSim, "sim [--rounds N] [--seed S] [--class Novice|Expert|Master] [--jobs N] [--json]",
         "every pair of the class fights N times (100): win rates; --jobs: on N threads (0 every core), "
         "each fight with its own dice, the same table for any N"},
        {"save", cmdSave, "save show N\nsave resave N M",
         "show: saved game N as the workshop loads it, as JSON; resave: load saved game N and save it as "
         "M (save numbers 0 to 32767)"},
        {"registry", cmdRegistry, "registry list\nregistry show N\nregistry enter N",
         "list: the entered enemy Dolls (number, name, class, value); show: enemy Doll N as the battle "
         "builds it, as JSON; enter: the Doll of saved game N entered into the registry"},
        {"tournament", cmdTournament, "tournament N [--class Novice|Expert|Master] [--seed S]",
         "saved game N's Doll enters a class tournament, every bout fought by the computer; the save is "
         "not written"},
        {"lab", cmdLab,
         "lab (N | --registry R) [--class Novice|Expert|Master] [--neighbours] [--fights K] [--seed S] "
         "[--jobs J] [--json]",
         "saved game N's Doll (or registry Doll R) fights every enemy of the class K times (200), computer "
         "against computer: win rates, weakest match-up first"},
        {"odds", cmdOdds, "odds N [--class Novice|Expert|Master] [--runs R] [--seed S] [--jobs J] [--json]",
         "saved game N's player in R (200) whole tournaments of the class, on copies: the estimate the "
         "entry question shows"},
        {"career", cmdCareer,
         "career [--runs N] [--seed S] [--strategy worker|fighter|planner] [--jobs J] [--json]\n"
         "career --ladder [--skill K] [--seed S]",
         "N (100) whole careers played by a bot through the game's rules: money, value, class and record "
         "month by month (10th, 50th, 90th percentile), the same for any J; --ladder: each build the bots "
         "climb through, with a pilot of skill K (10), in 400 tournaments of its class"},
    };
    return commands;
}

const ToolCommand* findCommand(std::string_view name) {
    for (const ToolCommand& c : toolCommands()) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

std::string usageText() {
    std::string out =
        "usage: vargo-tool [--dir DIR] COMMAND ...\n"
        "       vargo-tool --help | --version | COMMAND --help\n";
    for (const ToolCommand& c : toolCommands()) {
        listCommand(out, c);
    }
    return out;
}

std::string commandHelpText(const ToolCommand& c) {
    std::string out;
    const char* lead = "usage: ";
    for (const std::string_view form : formsOf(c)) {
        out += lead;
        out += "vargo-tool [--dir DIR] ";
        wrap(out, form, kHelpFormColumn, kHelpFormColumn);
        lead = "       ";
    }
    out += '\n';
    wrap(out, c.about, 0, 0);
    return out;
}

int usage(const std::string& problem) {
    if (!problem.empty()) {
        std::cerr << "vargo-tool: " << problem << "\n";
    }
    std::cerr << usageText();
    return 2;
}

int usageOf(std::string_view command) {
    const ToolCommand* c = findCommand(command);
    if (!c) {
        return usage("");
    }
    std::string forms;
    for (const std::string_view form : formsOf(*c)) {
        forms += forms.empty() ? "" : " | ";
        forms += form;
    }
    return usage(forms);
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
