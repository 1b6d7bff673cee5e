// vargo-tool replay: a recorded bout played again from its file, told exactly as vargo-tool fight
// told it (each step, then the end), or as the same fight report.

#include <iostream>

#include "battle/fight_report.h"
#include "battle/replay_player.h"
#include "battle/simulator.h"
#include "commands.h"
#include "model/text_codec.h"

namespace vargo::tool {

namespace {

void printEnd(const ReplayPlayer& player) {
    const Replay& r = player.replay();
    switch (r.end) {
        case ReplayEnd::Decided:
            std::cout << "winner: " << r.dolls[static_cast<size_t>(r.winner)].name << " after " << r.steps
                      << " steps\n";
            return;
        case ReplayEnd::GaveUp:
            std::cout << "given up after " << r.steps << " steps\n";
            return;
        case ReplayEnd::Unfinished:
            break;
    }
    std::cout << "draw after " << r.steps << " steps\n";
}

}  // namespace

int cmdReplay(const GameFolder& /*folder*/, const Args& args) {
    if (args.empty() || args.size() == 2 || args.size() > 3 ||
        (args.size() == 3 && (args[1] != "--report" || args[2] != "json"))) {
        return usageOf("replay");
    }
    const std::string& file = args[0];
    const std::optional<std::string> bytes = readBytes(file);
    if (!bytes) {
        std::cerr << "vargo-tool: " << file << ": ファイルを読めません\n";
        return 1;
    }
    ReplayRead read = readReplayBytes(*bytes, file);
    if (!read.replay) {
        std::cerr << "vargo-tool: " << read.problem.message() << "\n";
        return 1;
    }
    ReplayPlayer player(std::move(*read.replay), file);
    if (player.damaged()) {
        std::cerr << "vargo-tool: " << player.problem() << "\n";
        return 1;
    }
    if (args.size() == 3) {
        printReport(player.report());
        return 0;
    }
    while (!player.atEnd()) {
        const int before = player.fight().ring().phase;
        player.step();
        std::cout << describeStep(player.fight(), before);
    }
    printEnd(player);
    return 0;
}

}  // namespace vargo::tool
