// The game's music device: plays the tunes under Music/ through FluidSynth with a General MIDI
// soundfont. It behaves like the old media-player control the game was written against: "open"
// opens the file named by the file name, "play" starts it from the beginning (unless it is
// already playing), "stop" silences it, "close" stops and forgets it. A missing tune, a missing
// soundfont or a machine without a sound card give silence, never an error box. Silence costs
// nothing: the sound output is open only while a tune sounds.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "core/ports.h"

namespace morvath {

class FluidMusicDevice : public QObject, public MusicDevice {
  Q_OBJECT

 public:
  struct Config {
    // Soundfont to use; empty: $MORVATH_SOUNDFONT when set (and then only that one), else
    // /usr/share/sounds/sf2/TimGM6mb.sf2, else /usr/share/sounds/sf2/default-GM.sf2.
    std::string soundfont;
    // false: never open a sound card. The tunes still run in time, silently, so the end of a
    // tune is still reported (tests, and a quiet mode for players).
    bool useSoundCard = true;
    // true: the worker starts only at start(), so that loading the synthesizer does not compete
    // with showing the first screen.
    bool startLater = false;
    // Tests: called on the worker thread at each step of its work, "load" before it loads the
    // synthesizer and "play" as it starts a tune from the beginning; it may hold the worker up.
    std::function<void(const char* step)> onWorkerStep;
  };

  // Starts loading the synthesizer on a worker thread and returns at once; commands given
  // before it is ready take effect when it is.
  explicit FluidMusicDevice(QObject* parent = nullptr);
  explicit FluidMusicDevice(Config config, QObject* parent = nullptr);
  // Starts the worker thread when it was held back by Config::startLater (once; later calls do
  // nothing).
  void start();
  // Stops the music and waits for the worker thread.
  ~FluidMusicDevice() override;

  FluidMusicDevice(const FluidMusicDevice&) = delete;
  FluidMusicDevice& operator=(const FluidMusicDevice&) = delete;

  void setFileName(const std::string& name) override;
  std::string fileName() const override;
  void command(const std::string& cmd) override;

  // True between a "play" that starts a tune and its "stop", "close", "open" or end.
  bool isPlaying() const { return playing_; }
  // Waits up to timeoutMs for the worker to finish loading; true when it has (tests).
  bool waitUntilReady(int timeoutMs) const;
  // True once the worker is ready with a soundfont, unless the sound output, first opened by the
  // first tune, was found missing.
  bool isAudible() const;

  struct RenderStats {
    int peak = 0;           // largest absolute 16-bit sample
    long framesToEnd = -1;  // frames until the last MIDI event (-1: never reached)
    long frames = 0;        // frames rendered in all
  };
  // Test hook: plays a tune (plain or RIFF-wrapped MIDI bytes) through a synthesizer with the
  // given soundfont into a scratch buffer, with no sound card, for at most maxFrames frames at
  // 44100 Hz. A tune that cannot be read or a soundfont that does not load give peak 0.
  static RenderStats renderOffline(const std::string& tuneBytes, const std::string& soundfont,
                                   long maxFrames);
  static int renderPeak(const std::string& tuneBytes, const std::string& soundfont, int maxFrames) {
    return renderOffline(tuneBytes, soundfont, maxFrames).peak;
  }

 Q_SIGNALS:
  // Emitted on the GUI thread, once, when the tune that is playing reaches its end.
  void tuneEnded();

 private:
  struct Worker;
  void onTuneEnded(unsigned long long playId);

  std::string fileName_;
  bool opened_ = false;
  bool playing_ = false;
  unsigned long long playId_ = 0;
  std::unique_ptr<Worker> worker_;
};

}  // namespace morvath
