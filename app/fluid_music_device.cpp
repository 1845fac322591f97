#include "app/fluid_music_device.h"

#include <QMetaObject>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "app/fluid_library.h"
#include "app/music_warning.h"
#include "app/rmi.h"

namespace morvath {

namespace {

constexpr double kSampleRate = 44100.0;
// No tune of ours comes near this; anything larger is not a tune and is not read.
constexpr std::uintmax_t kMaxTuneBytes = 16u << 20;

// The loaded library; every caller has made sure it loaded.
const FluidLibrary& Fluid() {
  return *FluidLibrary::Load();
}

void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// FluidSynth and libasound both print to stderr by default; the game prints at most one line
// of its own about music for the whole run.
void silenceLibraries() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level = 0; level < LAST_LOG_LEVEL; ++level) {
      Fluid().fluid_set_log_function(level, nullptr, nullptr);
    }
    if (Fluid().snd_lib_error_set_handler) Fluid().snd_lib_error_set_handler(quietAlsa);
  });
}

void warnOnce(const char* text) {
  WarnAboutMusic(text);
}

bool equalsIgnoringCase(const std::string& text, const char* word) {
  std::size_t i = 0;
  for (; word[i] != '\0'; ++i) {
    if (i >= text.size()) return false;
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return i == text.size();
}

// A modest synthesizer: music for a turn-based game needs no more, and it keeps the audio
// thread cheap. Reverb stays on (the organ and the choir sound dead without it), chorus off.
fluid_settings_t* newSettings() {
  fluid_settings_t* settings = Fluid().new_fluid_settings();
  Fluid().fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
  Fluid().fluid_settings_setint(settings, "synth.polyphony", 96);
  Fluid().fluid_settings_setint(settings, "synth.chorus.active", 0);
  Fluid().fluid_settings_setint(settings, "synth.reverb.active", 1);
  Fluid().fluid_settings_setnum(settings, "synth.gain", 0.5);
  Fluid().fluid_settings_setint(settings, "synth.cpu-cores", 1);
  // Read an instrument's samples only when a tune asks for it: a handful of instruments out of a
  // whole General MIDI set keeps memory down (much more so with a large fallback soundfont).
  Fluid().fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  return settings;
}

// Chooses the sound output the next driver opens. PulseAudio keeps one period queued: a long
// one (93 ms) spares both the audio thread and PulseAudio's own thread most of their wake-ups,
// which cost more than the synthesis itself with short periods, and "stop" still sounds at
// once. ALSA queues all its periods: four short ones (46 ms). With that much queued, background
// music needs no real-time priority; without it the audio thread costs a quarter less.
void chooseOutput(fluid_settings_t* settings, const std::string& name) {
  Fluid().fluid_settings_setstr(settings, "audio.driver", name.c_str());
  const bool pulse = name == "pulseaudio";
  Fluid().fluid_settings_setint(settings, "audio.period-size", pulse ? 4096 : 512);
  Fluid().fluid_settings_setint(settings, "audio.periods", pulse ? 2 : 4);
  Fluid().fluid_settings_setint(settings, "audio.realtime-prio", 0);
}

// Read on the GUI thread when the device is made: the environment is not for worker threads.
std::string soundfontFromEnvironment(std::string configured) {
  if (!configured.empty()) return configured;
  const char* env = std::getenv("MORVATH_SOUNDFONT");
  return env != nullptr ? std::string(env) : std::string();
}

std::vector<std::string> soundfontCandidates(const std::string& configured) {
  if (!configured.empty()) return {configured};
  return {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2"};
}

// Reads the MIDI bytes of a tune file (plain or RIFF-wrapped), and closes it.
std::optional<std::string> readTune(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxTuneBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return extractMidi(bytes);
}

}  // namespace

// Everything FluidSynth lives here and is touched only by the worker thread (apart from the
// audio thread FluidSynth runs itself). The GUI thread only writes the wanted state under the
// mutex and wakes the worker, so no command ever waits for the synthesizer.
struct FluidMusicDevice::Worker {
  // What the game last asked for. openId changes with every "open" and "close", playId with
  // every "play" that starts the tune from the beginning.
  struct Wanted {
    bool open = false;
    std::string path;
    unsigned long long openId = 0;
    bool playing = false;
    unsigned long long playId = 0;
  };

  // One run of a tune through a player, from "play" to its end or "stop". A player keeps a timer
  // going for as long as it exists, on the synthesizer's list of timers, which the audio thread
  // walks without a lock: a player is made only while the output is closed, and deleted only by
  // closeOutput, once the output is closed. There is one at most.
  struct Playback {
    Worker* worker = nullptr;
    // Written by the worker, read by FluidSynth's thread in onTick.
    std::atomic<fluid_player_t*> player{nullptr};
    unsigned long long playId = 0;
    std::atomic<bool> reachedEnd{false};
    // The end has been handled: the player is stopped and its last notes ring out.
    bool ringing = false;  // worker thread only
    int totalTicks = 0;    // onTick's own: asking the player walks every event of the tune
  };

  FluidMusicDevice* owner;
  Config config;

  std::mutex mutex;
  std::condition_variable wake;
  Wanted wanted;            // guarded by mutex
  bool changed = false;     // guarded by mutex
  bool endPending = false;  // guarded by mutex
  bool quit = false;        // guarded by mutex
  bool ready = false;       // guarded by mutex
  std::condition_variable readyChanged;
  std::atomic<bool> audible{false};

  // Worker thread only.
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  // The sound output is open only while something sounds: an open driver renders all the time,
  // silence too, and keeps the sound server busy with it. It closes at once when the music
  // stops (or another tune starts), once the last notes of a tune that ended have rung out,
  // and opens again at the next "play". The first tune finds it: that is its first opening.
  // The driver that worked then; empty: none works (no sound card, no soundfont); unset: not
  // tried yet.
  std::optional<std::string> output = std::string();
  fluid_audio_driver_t* driver = nullptr;
  int font = FLUID_FAILED;                                          // the loaded soundfont's id
  std::optional<std::chrono::steady_clock::time_point> idleSince;   // open, with no tune
  std::optional<std::chrono::steady_clock::time_point> quietSince;  // open, with no voice either
  std::unique_ptr<Playback> playback;
  std::optional<std::string> tune;  // the opened file's MIDI bytes
  unsigned long long appliedOpenId = 0;
  unsigned long long appliedPlayId = 0;
  // Without a sound card the worker itself renders the synthesizer into a scratch buffer, a
  // few times a second, so that the player keeps time and tunes still end when they should.
  std::chrono::steady_clock::time_point clockStart;
  long long framesRendered = 0;
  std::vector<short> scratch;

  std::thread thread;

  Worker(FluidMusicDevice* o, Config c) : owner(o), config(std::move(c)) {
    config.soundfont = soundfontFromEnvironment(std::move(config.soundfont));
  }

  void step(const char* what) const {
    if (config.onWorkerStep) config.onWorkerStep(what);
  }

  void run() {
    step("load");
    start();
    std::unique_lock lock(mutex);
    ready = true;
    readyChanged.notify_all();
    const auto due = [this] { return quit || changed || endPending; };
    for (;;) {
      const bool silentRun = driver == nullptr && tunePlays();
      const bool ringingOut = driver != nullptr && !tunePlays();
      if (silentRun || ringingOut) {
        wake.wait_for(lock, std::chrono::milliseconds(100), due);
      } else {
        wake.wait(lock, due);
      }
      if (quit) break;
      const Wanted now = wanted;
      const bool ended = endPending;
      changed = false;
      endPending = false;
      lock.unlock();
      if (silentRun) keepTime();  // may reach the end of the tune: handled on the next turn
      if (ended) finishEndedTune();
      apply(now);
      closeOutputOnceQuiet();
      lock.lock();
    }
    lock.unlock();
    shutDown();
  }

  void start() {
    if (FluidLibrary::Load() == nullptr) {
      warnOnce("the FluidSynth library is missing; music is off");
      return;
    }
    silenceLibraries();
    settings = newSettings();
    synth = Fluid().new_fluid_synth(settings);
    if (synth == nullptr) return;
    if (config.useSoundCard) {
      const std::vector<std::string> fonts = soundfontCandidates(config.soundfont);
      const bool anyFont = std::any_of(fonts.begin(), fonts.end(), [](const std::string& f) {
        std::error_code error;
        return std::filesystem::is_regular_file(f, error);
      });
      if (!anyFont) {
        warnOnce("no General MIDI soundfont found; music is off");
      } else {
        for (const std::string& f : fonts) {
          font = Fluid().fluid_synth_sfload(synth, f.c_str(), 1);
          if (font != FLUID_FAILED) break;
        }
        if (font != FLUID_FAILED) {
          output.reset();  // found by the first tune
          audible = true;
        } else {
          warnOnce("the General MIDI soundfont does not load; music is off");
        }
      }
    }
    if (output && output->empty()) {
      Fluid().fluid_synth_reverb_on(synth, -1, 0);  // nobody listens: render as little as possible
    }
    scratch.resize(2 * 512);
  }

  // Opens the sound output, when it is not open. The first time, it tries PulseAudio, then ALSA
  // (only a real sound card: the "file" driver would write fluidsynth.wav in the current
  // folder); when neither works the music is off for the run, and the soundfont is let go so
  // that the tunes, still kept in time, cost nothing. When the output no longer opens (the sound
  // server went away), the tune runs silently in time, as without a sound card.
  void openOutput() {
    if (driver != nullptr || (output && output->empty())) return;
    if (output) {
      driver = Fluid().new_fluid_audio_driver(settings, synth);
      return;
    }
    for (const char* name : {"pulseaudio", "alsa"}) {
      chooseOutput(settings, name);
      driver = Fluid().new_fluid_audio_driver(settings, synth);
      if (driver != nullptr) {
        output = name;
        return;
      }
    }
    warnOnce("no sound card found; music is off");
    output = std::string();
    audible = false;
    Fluid().fluid_synth_sfunload(synth, font, 1);
    Fluid().fluid_synth_reverb_on(synth, -1, 0);
  }

  // Closes the sound output and ends the run of a tune, with every sound: the one place where a
  // player is deleted, as nothing renders any more.
  void closeOutput() {
    if (driver != nullptr) {
      Fluid().delete_fluid_audio_driver(driver);
      driver = nullptr;
      // Whatever still rang (a voice, the reverb's tail) is dropped, so that the next tune
      // starts from silence rather than with a crack of the old one.
      Fluid().fluid_synth_system_reset(synth);
    }
    idleSince.reset();
    quietSince.reset();
    if (playback) {
      Fluid().fluid_player_stop(playback->player);
      Fluid().fluid_synth_all_sounds_off(synth, -1);  // a deleted player's held notes sound on
      Fluid().delete_fluid_player(playback->player);
      playback.reset();
    }
  }

  // Whether a tune plays on (it has not reached its end).
  bool tunePlays() const { return playback && !playback->ringing; }

  // With no tune playing, the output closes once every voice has died away and the reverb has
  // had a moment to fade (a note held for ever is cut after a few seconds).
  void closeOutputOnceQuiet() {
    using namespace std::chrono;
    constexpr auto kReverbTail = milliseconds(500);
    constexpr auto kLongestRingOut = seconds(5);
    if (driver == nullptr || tunePlays()) {
      idleSince.reset();
      quietSince.reset();
      return;
    }
    const auto now = steady_clock::now();
    if (!idleSince) idleSince = now;
    const bool sounding = Fluid().fluid_synth_get_active_voice_count(synth) > 0;
    if (sounding && now - *idleSince < kLongestRingOut) {
      quietSince.reset();
      return;
    }
    if (!quietSince) quietSince = now;
    if (now - *quietSince >= kReverbTail) closeOutput();
  }

  // Renders, into the scratch buffer, the time that has passed since the tune started.
  void keepTime() {
    using namespace std::chrono;
    if (!tunePlays()) return;
    const double seconds = duration<double>(steady_clock::now() - clockStart).count();
    auto target = static_cast<long long>(seconds * kSampleRate);
    // After the machine slept, carry on from now rather than race through the missed time.
    constexpr auto kMaxCatchUp = static_cast<long long>(kSampleRate);
    if (target - framesRendered > kMaxCatchUp) {
      const double skipped = static_cast<double>(target - framesRendered - kMaxCatchUp);
      clockStart += duration_cast<steady_clock::duration>(duration<double>(skipped / kSampleRate));
      target = framesRendered + kMaxCatchUp;
    }
    while (framesRendered < target) {
      const int frames = static_cast<int>(std::min<long long>(512, target - framesRendered));
      Fluid().fluid_synth_write_s16(synth, frames, scratch.data(), 0, 2, scratch.data(), 1, 2);
      framesRendered += frames;
    }
  }

  void shutDown() {
    if (synth != nullptr) closeOutput();
    if (synth != nullptr) Fluid().delete_fluid_synth(synth);
    if (settings != nullptr) Fluid().delete_fluid_settings(settings);
    driver = nullptr;
    synth = nullptr;
    settings = nullptr;
  }

  void apply(const Wanted& now) {
    if (now.openId != appliedOpenId) {
      appliedOpenId = now.openId;
      dropPlayback();
      tune.reset();
      if (now.open) {
        tune = readTune(now.path);
        if (!tune) warnOnce("a tune file is missing or unreadable; it stays silent");
      }
    }
    if (now.playing && now.playId != appliedPlayId) {
      appliedPlayId = now.playId;
      startPlayback(now.playId);
    } else if (!now.playing && tunePlays()) {
      dropPlayback();
    }
  }

  // Starts the opened tune from the beginning, on a new player, made while the output is closed.
  void startPlayback(unsigned long long playId) {
    step("play");
    dropPlayback();
    if (!tune || synth == nullptr) return;
    auto next = std::make_unique<Playback>();
    next->worker = this;
    next->playId = playId;
    next->player = Fluid().new_fluid_player(synth);
    if (next->player == nullptr) return;
    if (Fluid().fluid_player_add_mem(next->player, tune->data(), tune->size()) != FLUID_OK) {
      Fluid().delete_fluid_player(next->player);
      return;
    }
    Fluid().fluid_player_set_tick_callback(next->player, &Worker::onTick, next.get());
    playback = std::move(next);
    clockStart = std::chrono::steady_clock::now();
    framesRendered = 0;
    Fluid().fluid_player_play(playback->player);  // it starts with the output's first render
    openOutput();
  }

  // Ends the current run at once, with every sound ("stop", "close", another "open" or "play").
  void dropPlayback() {
    if (synth == nullptr) return;  // no synthesizer: nothing ever played
    closeOutput();
  }

  // Runs on FluidSynth's audio (or timer) thread for every MIDI tick of the player.
  static int onTick(void* data, int tick) {
    auto* run = static_cast<Playback*>(data);
    if (run->totalTicks <= 0) run->totalTicks = Fluid().fluid_player_get_total_ticks(run->player);
    // The total is 0 until the player has read the file.
    if (run->totalTicks > 0 && tick >= run->totalTicks && !run->reachedEnd.exchange(true)) {
      Worker* worker = run->worker;
      {
        std::lock_guard lock(worker->mutex);
        worker->endPending = true;
      }
      worker->wake.notify_one();
    }
    return FLUID_OK;
  }

  // The last event of the tune has played: release the notes (they ring out naturally, and the
  // stopped player waits for the output to close) and tell the game on its own thread.
  void finishEndedTune() {
    if (!tunePlays() || !playback->reachedEnd) return;
    const unsigned long long playId = playback->playId;
    Fluid().fluid_player_stop(playback->player);
    Fluid().fluid_synth_all_notes_off(synth, -1);
    playback->ringing = true;
    FluidMusicDevice* device = owner;
    QMetaObject::invokeMethod(
        device, [device, playId] { device->onTuneEnded(playId); }, Qt::QueuedConnection);
  }

  template <typename Change>
  void update(Change change) {
    {
      std::lock_guard lock(mutex);
      change(wanted);
      changed = true;
    }
    wake.notify_one();
  }
};

FluidMusicDevice::FluidMusicDevice(QObject* parent) : FluidMusicDevice(Config{}, parent) {}

FluidMusicDevice::FluidMusicDevice(Config config, QObject* parent)
    : QObject(parent), worker_(std::make_unique<Worker>(this, std::move(config))) {
  if (!worker_->config.startLater) start();
}

void FluidMusicDevice::start() {
  if (worker_->thread.joinable()) return;
  Worker* worker = worker_.get();
  worker_->thread = std::thread([worker] { worker->run(); });
}

FluidMusicDevice::~FluidMusicDevice() {
  {
    std::lock_guard lock(worker_->mutex);
    worker_->quit = true;
  }
  worker_->wake.notify_one();
  if (worker_->thread.joinable()) worker_->thread.join();
}

void FluidMusicDevice::setFileName(const std::string& name) {
  fileName_ = name;
}

std::string FluidMusicDevice::fileName() const {
  return fileName_;
}

// Commands are matched without regard to case, as the old media-player control did.
void FluidMusicDevice::command(const std::string& cmd) {
  if (equalsIgnoringCase(cmd, "open")) {
    // Opening replaces whatever was open; the new tune waits for "play".
    opened_ = true;
    playing_ = false;
    worker_->update([this](Worker::Wanted& w) {
      w.open = true;
      w.path = fileName_;
      ++w.openId;
      w.playing = false;
    });
  } else if (equalsIgnoringCase(cmd, "play")) {
    if (!opened_ || playing_) return;  // nothing open, or already playing on
    playing_ = true;
    const unsigned long long id = ++playId_;
    worker_->update([id](Worker::Wanted& w) {
      w.playing = true;
      w.playId = id;
    });
  } else if (equalsIgnoringCase(cmd, "stop")) {
    if (!playing_) return;
    playing_ = false;
    worker_->update([](Worker::Wanted& w) { w.playing = false; });
  } else if (equalsIgnoringCase(cmd, "close")) {
    if (!opened_) return;
    opened_ = false;
    playing_ = false;
    worker_->update([](Worker::Wanted& w) {
      w.open = false;
      w.path.clear();
      ++w.openId;
      w.playing = false;
    });
  }
}

void FluidMusicDevice::onTuneEnded(unsigned long long playId) {
  // A tune stopped or restarted meanwhile has not ended as far as the game knows.
  if (!playing_ || playId != playId_) return;
  playing_ = false;
  worker_->update([](Worker::Wanted& w) { w.playing = false; });
  Q_EMIT tuneEnded();
}

bool FluidMusicDevice::waitUntilReady(int timeoutMs) const {
  std::unique_lock lock(worker_->mutex);
  return worker_->readyChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                        [this] { return worker_->ready; });
}

bool FluidMusicDevice::isAudible() const {
  std::lock_guard lock(worker_->mutex);
  return worker_->ready && worker_->audible;
}

namespace {

struct OfflineRun {
  fluid_player_t* player = nullptr;
  int totalTicks = 0;
  long frames = 0;
  long framesToEnd = -1;
};

int offlineTick(void* data, int tick) {
  auto* run = static_cast<OfflineRun*>(data);
  if (run->totalTicks <= 0) run->totalTicks = Fluid().fluid_player_get_total_ticks(run->player);
  if (run->totalTicks > 0 && tick >= run->totalTicks && run->framesToEnd < 0) {
    run->framesToEnd = run->frames;
  }
  return FLUID_OK;
}

}  // namespace

FluidMusicDevice::RenderStats FluidMusicDevice::renderOffline(const std::string& tuneBytes,
                                                              const std::string& soundfont,
                                                              long maxFrames) {
  RenderStats stats;
  const std::optional<std::string> midi = extractMidi(tuneBytes);
  if (!midi || FluidLibrary::Load() == nullptr) return stats;
  silenceLibraries();
  fluid_settings_t* settings = newSettings();
  fluid_synth_t* synth = Fluid().new_fluid_synth(settings);
  if (synth != nullptr && Fluid().fluid_synth_sfload(synth, soundfont.c_str(), 1) != FLUID_FAILED) {
    OfflineRun run;
    run.player = Fluid().new_fluid_player(synth);
    if (run.player != nullptr) {
      Fluid().fluid_player_set_tick_callback(run.player, offlineTick, &run);
      if (Fluid().fluid_player_add_mem(run.player, midi->data(), midi->size()) == FLUID_OK &&
          Fluid().fluid_player_play(run.player) == FLUID_OK) {
        constexpr int kBlock = 512;
        std::vector<short> buffer(2 * kBlock);
        while (Fluid().fluid_player_get_status(run.player) == FLUID_PLAYER_PLAYING &&
               run.frames < maxFrames) {
          Fluid().fluid_synth_write_s16(synth, kBlock, buffer.data(), 0, 2, buffer.data(), 1, 2);
          for (short sample : buffer) stats.peak = std::max(stats.peak, std::abs(int{sample}));
          run.frames += kBlock;
        }
      }
      Fluid().fluid_player_stop(run.player);
      Fluid().delete_fluid_player(run.player);
    }
    stats.frames = run.frames;
    stats.framesToEnd = run.framesToEnd;
  }
  if (synth != nullptr) Fluid().delete_fluid_synth(synth);
  Fluid().delete_fluid_settings(settings);
  return stats;
}

}  // namespace morvath
