#pragma once
// Music and sound effects. The game asks for tunes by name ("ind30xg", "jzz33xg", "fight", "SE");
// the Qt side plays midi/<name>.mid through FluidSynth, tests record what was asked.

#include <string>
#include <vector>

#include "ports/prompts.h"

namespace vargo {

/// What the player is told, once, when the machine cannot play the music or the effects.
inline constexpr const char* kCannotPlayMusic =
    "この環境ではＢＧＭを再生できません。必要なランタイムをインストールして下さい。";

/// Tells the player the machine cannot play sound, unless `told` says they have heard it already;
/// `told` is the game's one flag for every screen (Game::cannotPlayTold), so a run says it once.
inline void tellCannotPlay(Prompts& prompts, bool& told) {
    if (told) {
        return;
    }
    told = true;
    prompts.msgBox(kCannotPlayMusic, BoxButtons::Ok);
}

class Sound {
public:
    virtual ~Sound() = default;
    /// Starts midi/<name>.mid from the top, replacing whatever music was playing; looped tunes repeat
    /// from the start when they end. Returns false when it cannot be played.
    virtual bool playMusic(const std::string& name, bool loop) = 0;
    /// A one-shot effect that plays over the music.
    virtual bool playEffect(const std::string& name) = 0;
    virtual void stopMusic() = 0;
};

/// Plays nothing and remembers every request, for tests and the headless tool.
class RecordingSound final : public Sound {
public:
    struct Request {
        std::string name;
        bool music;
        bool loop;
    };
    bool playMusic(const std::string& name, bool loop) override {
        requests.push_back({name, true, loop});
        return true;
    }
    bool playEffect(const std::string& name) override {
        requests.push_back({name, false, false});
        return true;
    }
    void stopMusic() override { requests.push_back({"", true, false}); }

    std::vector<Request> requests;
};

}  // namespace vargo
