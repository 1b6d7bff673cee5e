#pragma once
// Music and effects through FluidSynth with a General MIDI soundfont. Two synthesizers share one
// audio output: one plays the looping tune, the other the hit sound, so a hit never steals the
// music's instruments.

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "model/game_folder.h"
#include "ports/sound.h"

namespace vargo {

/// The first General MIDI soundfont found in the usual places; empty when there is none.
std::filesystem::path findSoundfont();

class FluidSound final : public Sound {
public:
    explicit FluidSound(GameFolder folder);
    ~FluidSound() override;
    FluidSound(const FluidSound&) = delete;
    FluidSound& operator=(const FluidSound&) = delete;

    bool playMusic(const std::string& name, bool loop) override;
    bool playEffect(const std::string& name) override;
    void stopMusic() override;

    /// Whether an audio output could be opened (false on machines without sound).
    bool available();

    /// The loudness of music and effects, 0 to 100 percent of the game's full level; kept for
    /// when the output opens.
    void setVolume(int percent);
    int volume() const { return volumePercent; }

private:
    struct Impl;
    bool start();
    GameFolder folder;
    std::unique_ptr<Impl> impl;
    bool started = false;
    bool failed = false;
    int volumePercent = 100;
};

/// Renders a MIDI file to interleaved 16-bit stereo at `rate`, without an audio device, for at most
/// maxSeconds; stops when the tune has played out. Empty when the file or soundfont cannot be loaded.
std::vector<short> renderMidi(const std::filesystem::path& midi, double maxSeconds, int rate = 22050);

}  // namespace vargo
