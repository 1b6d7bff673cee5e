// The replay reader and player: any bytes either read as a replay or give a message naming the
// file; what reads writes back to itself; and a replay that reads either plays to its end, step by
// step and again from any step, or is named as damaged. Nothing is thrown, nothing crashes.

#include <cstdint>
#include <string>
#include <vector>

#include "battle/replay_player.h"
#include "battle/simulator.h"
#include "fuzz_support.h"

using namespace vargo;

namespace {

const char* const kFile = "replay/fuzz.rpl";

bool namesTheFile(const std::string& message) {
    return message.rfind(kFile, 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReplayRead read = readReplayBytes(std::string(fuzz::asText(data, size)), kFile);
    if (!read.replay) {
        FUZZ_CHECK(namesTheFile(read.problem.message()));
        return 0;
    }
    const std::vector<std::string> written = replayLines(*read.replay);
    const ReplayRead again = readReplay(written, kFile);
    FUZZ_CHECK(again.replay);
    FUZZ_CHECK(replayLines(*again.replay) == written);

    ReplayPlayer player(std::move(*read.replay), kFile);
    if (player.damaged()) {
        FUZZ_CHECK(namesTheFile(player.problem()));
        FUZZ_CHECK(player.stepCount() == 0 && !player.step());
        return 0;
    }
    std::vector<std::string> steps;
    while (player.step()) {
        steps.push_back(describeStep(player.fight(), 0));
        (void)player.fight().battleLog();
    }
    FUZZ_CHECK(!player.damaged());
    FUZZ_CHECK(player.atEnd() && static_cast<int>(steps.size()) == player.stepCount());
    // Back to the middle: the step shows as it did.
    const int middle = player.stepCount() / 2;
    player.seek(middle);
    FUZZ_CHECK(player.position() == middle);
    FUZZ_CHECK(middle == 0 || describeStep(player.fight(), 0) == steps[static_cast<size_t>(middle - 1)]);
    FUZZ_CHECK(player.report().steps == player.stepCount());
    return 0;
}
