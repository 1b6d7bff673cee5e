#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ui/audio/fluid_sound.h"

namespace vargo {
namespace {

std::filesystem::path tune(const std::string& name) {
    return std::filesystem::path(VARGO_SOURCE_DIR) / "data" / "midi" / (name + ".mid");
}

double rms(const std::vector<short>& s) {
    double sum = 0;
    for (short v : s) {
        sum += static_cast<double>(v) * v;
    }
    return s.empty() ? 0 : std::sqrt(sum / static_cast<double>(s.size())) / 32768.0;
}

// Every tune the game asks for must exist and actually sound through the General MIDI soundfont.
TEST(FluidSoundTest, EveryTuneRendersAudibly) {
    ASSERT_FALSE(findSoundfont().empty()) << "no General MIDI soundfont installed";
    for (const char* name : {"ind30xg", "jzz33xg", "fight", "SE"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(std::filesystem::exists(tune(name)));
        auto samples = renderMidi(tune(name), 8.0);
        ASSERT_FALSE(samples.empty());
        EXPECT_GT(rms(samples), 0.005);
    }
}

// The loops must be long enough not to grate, and the hit short enough to sit under a blow.
TEST(FluidSoundTest, LoopLengthsAndAShortHit) {
    const int rate = 8000;
    for (const char* name : {"ind30xg", "jzz33xg", "fight"}) {
        SCOPED_TRACE(name);
        double seconds = static_cast<double>(renderMidi(tune(name), 120.0, rate).size()) / 2 / rate;
        EXPECT_GE(seconds, 30.0);
        EXPECT_LE(seconds, 95.0);
    }
    // The player keeps running while voices fade; what matters is how long the hit is heard.
    auto hit = renderMidi(tune("SE"), 10.0, rate);
    size_t last = 0;
    for (size_t i = 0; i < hit.size(); ++i) {
        if (std::abs(hit[i]) > 330) {  // about -40 dB
            last = i;
        }
    }
    EXPECT_GT(last, 0u);
    EXPECT_LT(static_cast<double>(last) / 2 / rate, 1.0);
}

TEST(FluidSoundTest, MissingTuneIsNotPlayed) {
    EXPECT_TRUE(renderMidi(tune("no-such-tune"), 1.0).empty());
    FluidSound sound{GameFolder(std::filesystem::path(VARGO_SOURCE_DIR) / "data")};
    EXPECT_FALSE(sound.playMusic("no-such-tune", true));
}

}  // namespace
}  // namespace vargo
