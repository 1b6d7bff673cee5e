#include "ui/audio/fluid_sound.h"

#include <fluidsynth.h>

#include <algorithm>

namespace vargo {
namespace {

// The game's full level: loud enough beside other programs, with headroom for a hit over the tune.
constexpr double kFullGain = 0.4;

const char* const kSoundfontPlaces[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/default.sf2",
};

struct Synth {
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    bool loop = false;

    ~Synth() {
        if (player) {
            fluid_player_stop(player);
            delete_fluid_player(player);
        }
        if (synth) {
            delete_fluid_synth(synth);
        }
    }
};

// Seeks back to the top as soon as the last event has played: the player's own loop waits for
// the reverb tails to fade, which leaves a gap of about two seconds.
int loopAtEnd(void* data, int tick) {
    auto* s = static_cast<Synth*>(data);
    int total = fluid_player_get_total_ticks(s->player);
    if (s->loop && total > 0 && tick >= total) {
        return fluid_player_seek(s->player, 0);
    }
    return FLUID_OK;
}

}  // namespace

std::filesystem::path findSoundfont() {
    for (const char* place : kSoundfontPlaces) {
        std::error_code ec;
        if (std::filesystem::exists(place, ec)) {
            return place;
        }
    }
    return {};
}

struct FluidSound::Impl {
    struct Settings {
        fluid_settings_t* settings = new_fluid_settings();
        ~Settings() { delete_fluid_settings(settings); }
    };
    // Declaration order is teardown order reversed: the driver stops first (in the destructor's
    // body), then the synths go, and the settings they were made from go last.
    Settings settings;
    Synth music;
    Synth effect;
    std::mutex lock;  // player swaps against the audio thread's rendering
    fluid_audio_driver_t* driver = nullptr;

    ~Impl() {
        if (driver) {
            delete_fluid_audio_driver(driver);
        }
    }

    static int render(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
        auto* self = static_cast<Impl*>(data);
        std::lock_guard<std::mutex> guard(self->lock);
        for (Synth* s : {&self->music, &self->effect}) {
            if (nfx == 0) {
                float* fxb[4] = {out[0], out[1], out[0], out[1]};
                fluid_synth_process(s->synth, len, 4, fxb, nout, out);
            } else {
                fluid_synth_process(s->synth, len, nfx, fx, nout, out);
            }
        }
        return FLUID_OK;
    }
};

FluidSound::FluidSound(GameFolder f) : folder(std::move(f)) {}

FluidSound::~FluidSound() = default;

bool FluidSound::start() {
    if (started || failed) {
        return started;
    }
    auto soundfont = findSoundfont();
    impl = std::make_unique<Impl>();
    fluid_settings_setnum(impl->settings.settings, "synth.gain", kFullGain * volumePercent / 100.0);
    for (Synth* s : {&impl->music, &impl->effect}) {
        s->synth = new_fluid_synth(impl->settings.settings);
        if (soundfont.empty() || fluid_synth_sfload(s->synth, soundfont.c_str(), 1) == FLUID_FAILED) {
            failed = true;
            impl.reset();
            return false;
        }
    }
    impl->driver = new_fluid_audio_driver2(impl->settings.settings, &Impl::render, impl.get());
    if (!impl->driver) {
        failed = true;
        impl.reset();
        return false;
    }
    started = true;
    return true;
}

bool FluidSound::available() {
    return start();
}

void FluidSound::setVolume(int percent) {
    volumePercent = std::clamp(percent, 0, 100);
    if (started) {
        std::lock_guard<std::mutex> guard(impl->lock);
        for (Synth* s : {&impl->music, &impl->effect}) {
            fluid_synth_set_gain(s->synth, static_cast<float>(kFullGain * volumePercent / 100.0));
        }
    }
}

namespace {
bool playOn(Synth& s, const std::filesystem::path& file, bool loop, std::mutex& lock) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        return false;
    }
    fluid_player_t* old = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock);
        old = s.player;
        s.player = nullptr;
        fluid_synth_all_notes_off(s.synth, -1);
        fluid_synth_system_reset(s.synth);
    }
    if (old) {
        fluid_player_stop(old);
        delete_fluid_player(old);
    }
    fluid_player_t* p = new_fluid_player(s.synth);
    if (!p || fluid_player_add(p, file.c_str()) != FLUID_OK) {
        if (p) {
            delete_fluid_player(p);
        }
        return false;
    }
    // The audio thread reads loop from the tick callback of any player still attached to the
    // synth (the old one may not have stopped yet): it changes under the same lock as player.
    std::lock_guard<std::mutex> guard(lock);
    s.loop = loop;
    s.player = p;
    fluid_player_set_tick_callback(p, &loopAtEnd, &s);
    return fluid_player_play(p) == FLUID_OK;
}
}  // namespace

bool FluidSound::playMusic(const std::string& name, bool loop) {
    if (!start()) {
        return false;
    }
    return playOn(impl->music, folder.resolve("midi/" + name + ".mid"), loop, impl->lock);
}

bool FluidSound::playEffect(const std::string& name) {
    if (!start()) {
        return false;
    }
    return playOn(impl->effect, folder.resolve("midi/" + name + ".mid"), false, impl->lock);
}

void FluidSound::stopMusic() {
    if (!started) {
        return;
    }
    fluid_player_t* old = nullptr;
    {
        std::lock_guard<std::mutex> guard(impl->lock);
        old = impl->music.player;
        impl->music.player = nullptr;
        fluid_synth_all_notes_off(impl->music.synth, -1);
    }
    if (old) {
        fluid_player_stop(old);
        delete_fluid_player(old);
    }
}

std::vector<short> renderMidi(const std::filesystem::path& midi, double maxSeconds, int rate) {
    std::vector<short> samples;
    auto soundfont = findSoundfont();
    std::error_code ec;
    if (soundfont.empty() || !std::filesystem::is_regular_file(midi, ec)) {
        return samples;
    }
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", rate);
    // Offline rendering must not skip ahead: let the player follow the samples we write.
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = nullptr;
    if (fluid_synth_sfload(synth, soundfont.c_str(), 1) != FLUID_FAILED) {
        player = new_fluid_player(synth);
        if (fluid_player_add(player, midi.c_str()) == FLUID_OK && fluid_player_play(player) == FLUID_OK) {
            const int block = 1024;
            const long long maxFrames = static_cast<long long>(maxSeconds * rate);
            std::vector<short> buf(static_cast<size_t>(block) * 2);
            long long frames = 0;
            while (frames < maxFrames && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING) {
                fluid_synth_write_s16(synth, block, buf.data(), 0, 2, buf.data(), 1, 2);
                samples.insert(samples.end(), buf.begin(), buf.end());
                frames += block;
            }
        }
        delete_fluid_player(player);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return samples;
}

}  // namespace vargo
