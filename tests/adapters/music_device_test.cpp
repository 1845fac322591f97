#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/fluid_music_device.h"
#include "app/rmi.h"

namespace morvath {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kTimGm = "/usr/share/sounds/sf2/TimGM6mb.sf2";

void ensureApp() {
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "music_device_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
  }
}

// Runs the event loop until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void pump(int ms) {
  waitFor([] { return false; }, ms);
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A one-note tune lasting `beats` quarter notes at 240 beats a minute (1/4 s a beat).
std::string shortTune(int beats) {
  const int ticks = 480 * beats;
  std::string track = std::string("\0\xff\x51\x03\x03\xd0\x90", 7);  // tempo 250,000 us
  track += std::string("\0\x90\x3c\x64", 4);
  track += static_cast<char>(0x80 | ((ticks >> 14) & 0x7F));  // three-byte delta time
  track += static_cast<char>(0x80 | ((ticks >> 7) & 0x7F));
  track += static_cast<char>(ticks & 0x7F);
  track += std::string("\x80\x3c\0\0\xff\x2f\0", 7);
  std::string smf = std::string("MThd\0\0\0\6\0\0\0\1\1\xe0MTrk", 18);
  for (int shift : {24, 16, 8, 0}) smf += static_cast<char>((track.size() >> shift) & 0xFF);
  return smf + track;
}

std::string wrapRiff(const std::string& smf) {
  auto u32 = [](std::size_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
  };
  std::string data = "data" + u32(smf.size()) + smf;
  if (smf.size() % 2 != 0) data += '\0';
  const std::string body = "RMID" + data;
  return "RIFF" + u32(body.size()) + body;
}

// --- the game's own tunes through a real synthesizer, without a sound card -----------------

struct TuneLength {
  const char* file;
  double minSeconds;
  double maxSeconds;
};

TEST(GameTunes, EachPlaysAudiblyForItsLength) {
  if (!fs::exists(kTimGm)) GTEST_SKIP() << "no TimGM6mb soundfont";
  const fs::path music = fs::path(MORVATH_SOURCE_DIR) / "Music";
  for (const TuneLength& tune : {TuneLength{"Temple.mid", 30, 60},
                                 {"Outside.mid", 30, 60},
                                 {"Outside.MID", 30, 60},
                                 {"Outside.rmi", 30, 60},
                                 {"FightMusic.rmi", 30, 60},
                                 {"Death.MID", 10, 20}}) {
    const std::string bytes = readFile(music / tune.file);
    ASSERT_FALSE(bytes.empty()) << tune.file;
    const auto stats = FluidMusicDevice::renderOffline(bytes, kTimGm, 44100L * 70);
    EXPECT_GT(stats.peak, 1000) << tune.file;
    EXPECT_LT(stats.peak, 32000) << tune.file << " comes close to clipping";
    ASSERT_GT(stats.framesToEnd, 0) << tune.file << " never reached its end";
    const double seconds = stats.framesToEnd / 44100.0;
    EXPECT_GE(seconds, tune.minSeconds) << tune.file;
    EXPECT_LE(seconds, tune.maxSeconds) << tune.file;
    // The player finishes on its own shortly after the last note: nothing is left hanging.
    EXPECT_LT(stats.frames, stats.framesToEnd + 44100L * 12) << tune.file;
  }
}

TEST(GameTunes, OverworldVariantsAreDifferentFiles) {
  const fs::path music = fs::path(MORVATH_SOURCE_DIR) / "Music";
  const std::string day = readFile(music / "Outside.mid");
  const std::string dusk = readFile(music / "Outside.MID");
  const auto victory = extractMidi(readFile(music / "Outside.rmi"));
  ASSERT_FALSE(day.empty());
  ASSERT_FALSE(dusk.empty());
  ASSERT_TRUE(victory.has_value());
  EXPECT_NE(day, dusk);
  EXPECT_NE(day, *victory);
  EXPECT_NE(dusk, *victory);
}

TEST(OfflineRender, SilentWithoutSoundfontOrTune) {
  const std::string tune = shortTune(2);
  EXPECT_EQ(FluidMusicDevice::renderPeak(tune, "/nonexistent/none.sf2", 44100), 0);
  EXPECT_EQ(FluidMusicDevice::renderPeak("not a tune", kTimGm, 44100), 0);
  EXPECT_EQ(FluidMusicDevice::renderPeak("", kTimGm, 44100), 0);
  if (!fs::exists(kTimGm)) GTEST_SKIP() << "no TimGM6mb soundfont";
  // The same note wrapped as RIFF sounds the same.
  const int plain = FluidMusicDevice::renderPeak(tune, kTimGm, 44100 * 3);
  EXPECT_GT(plain, 1000);
  EXPECT_EQ(FluidMusicDevice::renderPeak(wrapRiff(tune), kTimGm, 44100 * 3), plain);
}

// --- the device -----------------------------------------------------------------------------

// Long enough for any sign a loaded machine gives: no test waits this long unless it fails.
constexpr int kSign = 60000;

// Whether a file has been opened since the watch began (inotify), so that a test sees which
// thread reads it.
class FileOpened {
 public:
  explicit FileOpened(const std::string& file) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ >= 0 && inotify_add_watch(fd_, file.c_str(), IN_OPEN) < 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~FileOpened() {
    if (fd_ >= 0) close(fd_);
  }
  FileOpened(const FileOpened&) = delete;
  FileOpened& operator=(const FileOpened&) = delete;
  bool watching() const { return fd_ >= 0; }
  bool yes() {
    alignas(inotify_event) char buffer[4096];
    opened_ = opened_ || ::read(fd_, buffer, sizeof buffer) > 0;
    return opened_;
  }

 private:
  int fd_;
  bool opened_ = false;
};

// Whether this process holds the file open (its descriptors in /proc/self/fd).
bool heldOpen(const std::string& file) {
  std::error_code error;
  for (const auto& fd : fs::directory_iterator("/proc/self/fd", error)) {
    if (fs::read_symlink(fd.path(), error) == fs::path(file)) return true;
  }
  return false;
}

// The steps of a device's worker, and whether any ran on the game's thread. While `held`, the
// worker waits at its first step, before it loads the synthesizer.
class WorkerSteps {
 public:
  std::function<void(const char*)> hook() {
    return [this](const char* step) {
      std::unique_lock lock(mutex_);
      steps_.emplace_back(step);
      if (std::this_thread::get_id() == game_) onGameThread_ = true;
      released_.wait(lock, [&] { return !held_ || steps_.size() > 1; });
    };
  }
  // Forgets the steps of an earlier device and holds the next one's worker up.
  void holdNext() {
    std::lock_guard lock(mutex_);
    steps_.clear();
    onGameThread_ = false;
    held_ = true;
  }
  void letGo() {
    {
      std::lock_guard lock(mutex_);
      held_ = false;
    }
    released_.notify_all();
  }
  long count(const std::string& step) {
    std::lock_guard lock(mutex_);
    return std::count(steps_.begin(), steps_.end(), step);
  }
  bool anyOnGameThread() {
    std::lock_guard lock(mutex_);
    return onGameThread_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  std::vector<std::string> steps_;
  bool held_ = false;
  bool onGameThread_ = false;
  const std::thread::id game_ = std::this_thread::get_id();
};

class MusicDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureApp();
    ASSERT_TRUE(dir_.isValid());
  }
  // A worker held up by a test is let go even when the test failed, so the device can end.
  void TearDown() override {
    steps_.letGo();
    device_.reset();
  }

  std::string path(const std::string& name) const {
    return (fs::path(dir_.path().toStdString()) / name).string();
  }

  // A device whose worker's steps are recorded (useSoundCard false: a silent one that opens no
  // sound card), counting the ends it reports and those that arrive off the game's thread.
  FluidMusicDevice& device(bool useSoundCard = false) {
    device_ = std::make_unique<FluidMusicDevice>(
        FluidMusicDevice::Config{"", useSoundCard, false, steps_.hook()});
    QObject::connect(device_.get(), &FluidMusicDevice::tuneEnded, [this] {
      ++ends_;
      if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++offThread_;
    });
    return *device_;
  }

  // Every command in every order, for file: the device takes them all whatever its worker does.
  static void everyCommand(FluidMusicDevice& device, const std::string& file) {
    for (int round = 0; round < 3; ++round) {
      for (const char* cmd : {"open", "play", "stop", "play", "close", "open", "play"}) {
        device.setFileName(file);
        device.command(cmd);
      }
    }
  }

  QTemporaryDir dir_;
  WorkerSteps steps_;
  std::unique_ptr<FluidMusicDevice> device_;
  int ends_ = 0;
  int offThread_ = 0;
};

TEST_F(MusicDeviceTest, FileNameReadsBackExactly) {
  FluidMusicDevice& device = this->device();
  EXPECT_EQ(device.fileName(), "");
  for (const std::string name :
       {"/home/hero/Morvath/Music/Outside.MID", "/home/hero/Morvath/Music/Outside.mid",
        "relative/oUtSiDe.Rmi", " spaced name .mid ", "/tmp/ümlaut.mid", ""}) {
    device.setFileName(name);
    EXPECT_EQ(device.fileName(), name);
  }
  // Opening does not rewrite the name either, even when the file is missing.
  device.setFileName("/no/such/Music/Temple.MID");
  device.command("open");
  EXPECT_EQ(device.fileName(), "/no/such/Music/Temple.MID");
}

// The game's thread never waits for the synthesizer: the device is built and takes every
// command while its worker is held up before loading anything. The worker reads the tune and
// plays it once let go, on a thread of its own, and lets go of the file once it has read it.
TEST_F(MusicDeviceTest, TakesEveryCommandWhileItsWorkerIsHeldUp) {
  for (const bool soundCard : {false, true}) {
    SCOPED_TRACE(soundCard ? "with whatever sound card this machine has" : "silent");
    const std::string tune = path(soundCard ? "Blip.mid" : "Short.mid");
    writeFile(tune, shortTune(1));
    FileOpened read(tune);
    ASSERT_TRUE(read.watching());
    steps_.holdNext();
    ends_ = 0;
    FluidMusicDevice& device = this->device(soundCard);
    everyCommand(device, tune);
    EXPECT_TRUE(device.isPlaying());
    EXPECT_FALSE(device.waitUntilReady(0));
    EXPECT_FALSE(read.yes()) << "the tune was read on the game's thread";

    steps_.letGo();
    ASSERT_TRUE(device.waitUntilReady(kSign));
    // Only what was asked last is done: one run of the tune.
    ASSERT_TRUE(waitFor([&] { return ends_ == 1; }, kSign));
    EXPECT_EQ(steps_.count("play"), 1);
    EXPECT_TRUE(read.yes());
    EXPECT_FALSE(heldOpen(tune)) << "the device keeps the tune file open";
    EXPECT_FALSE(steps_.anyOnGameThread());
    EXPECT_EQ(offThread_, 0) << "the end was reported off the game's thread";
    device.command("stop");
    steps_.letGo();
    device_.reset();
  }
}

TEST_F(MusicDeviceTest, ReportsTheEndOfATuneOnceOnTheGameThread) {
  writeFile(path("Short.mid"), shortTune(2));
  FluidMusicDevice& device = this->device();
  // Commands given before the synthesizer is ready take effect when it is.
  device.setFileName(path("Short.mid"));
  device.command("open");
  device.command("play");
  EXPECT_TRUE(device.isPlaying());
  ASSERT_TRUE(waitFor([&] { return ends_ > 0; }, kSign));
  EXPECT_FALSE(device.isPlaying());
  pump(300);
  EXPECT_EQ(ends_, 1);
  EXPECT_EQ(offThread_, 0);
  // Playing again after the end starts the tune over, and it ends again.
  device.command("play");
  ASSERT_TRUE(waitFor([&] { return ends_ == 2; }, kSign));
}

TEST_F(MusicDeviceTest, PlaysRiffWrappedTunesAndKeepsCaseApart) {
  writeFile(path("Fanfare.rmi"), wrapRiff(shortTune(2)));
  writeFile(path("Fanfare.RMI"), "not a tune at all");
  FluidMusicDevice& device = this->device();
  device.setFileName(path("Fanfare.RMI"));
  device.command("open");
  device.command("play");
  pump(1200);
  EXPECT_EQ(ends_, 0);  // an unreadable file stays silent and never ends
  device.setFileName(path("Fanfare.rmi"));
  device.command("open");
  device.command("play");
  EXPECT_TRUE(waitFor([&] { return ends_ == 1; }, kSign));
}

TEST_F(MusicDeviceTest, StopAndCloseSilenceTheTune) {
  writeFile(path("Short.mid"), shortTune(2));
  FluidMusicDevice& device = this->device();
  ASSERT_TRUE(device.waitUntilReady(kSign));
  device.setFileName(path("Short.mid"));
  device.command("open");
  device.command("play");
  pump(100);
  device.command("stop");
  EXPECT_FALSE(device.isPlaying());
  pump(1000);
  EXPECT_EQ(ends_, 0);

  // "play" after "stop" starts from the beginning and runs to the end.
  device.command("play");
  EXPECT_TRUE(device.isPlaying());
  ASSERT_TRUE(waitFor([&] { return ends_ == 1; }, kSign));

  // After "close" the device needs "open" again before it plays.
  device.command("close");
  device.command("play");
  EXPECT_FALSE(device.isPlaying());
  pump(1000);
  EXPECT_EQ(ends_, 1);
  device.command("open");
  device.command("play");
  EXPECT_TRUE(waitFor([&] { return ends_ == 2; }, kSign));
}

TEST_F(MusicDeviceTest, OpeningAnotherTuneReplacesThePlayingOne) {
  writeFile(path("Long.mid"),
            shortTune(1000));  // four minutes: an end seen here is the short one's
  writeFile(path("Short.mid"), shortTune(2));
  FluidMusicDevice& device = this->device();
  device.setFileName(path("Long.mid"));
  device.command("open");
  device.command("play");
  ASSERT_TRUE(waitFor([&] { return steps_.count("play") == 1; }, kSign));
  device.setFileName(path("Short.mid"));
  device.command("open");
  EXPECT_FALSE(device.isPlaying());
  device.command("play");
  ASSERT_TRUE(waitFor([&] { return ends_ == 1; }, kSign));
}

TEST_F(MusicDeviceTest, PlayWhilePlayingAndOtherCommands) {
  writeFile(path("Two.mid"), shortTune(8));  // two seconds
  FluidMusicDevice& device = this->device();
  device.command("play");  // nothing open yet
  EXPECT_FALSE(device.isPlaying());
  device.setFileName(path("Two.mid"));
  device.command("Open");  // the old control took commands in any case
  for (const char* ignored : {"pause", "", "playing", "open ", "seek"}) {
    device.command(ignored);
    EXPECT_FALSE(device.isPlaying()) << ignored;
  }
  ASSERT_TRUE(device.waitUntilReady(kSign));
  device.command("PLAY");
  ASSERT_TRUE(waitFor([&] { return steps_.count("play") == 1; }, kSign));
  device.command("play");  // already playing: carries on rather than starting over
  EXPECT_TRUE(device.isPlaying());
  ASSERT_TRUE(waitFor([&] { return ends_ == 1; }, kSign));
  EXPECT_EQ(steps_.count("play"), 1) << "a second \"play\" started the tune over";
  pump(500);
  EXPECT_EQ(ends_, 1);
}

TEST_F(MusicDeviceTest, MissingFileStaysSilent) {
  FluidMusicDevice& device = this->device();
  everyCommand(device, path("Missing.mid"));
  ASSERT_TRUE(device.waitUntilReady(kSign));
  pump(1000);
  EXPECT_EQ(ends_, 0);
}

TEST_F(MusicDeviceTest, MissingSoundfontStaysSilent) {
  writeFile(path("Short.mid"), shortTune(2));
  ASSERT_EQ(setenv("MORVATH_SOUNDFONT", "/nonexistent/Missing.sf2", 1), 0);
  FluidMusicDevice device;
  unsetenv("MORVATH_SOUNDFONT");
  everyCommand(device, path("Short.mid"));
  ASSERT_TRUE(device.waitUntilReady(kSign));
  EXPECT_FALSE(device.isAudible());
}

// On a real sound server (tests/desktop/music_device_test.sh starts a private one): tunes that
// end, ring out and start again, or are cut while ringing, over and over, while the output
// renders. Making or deleting a player while the output rendered once crashed the game here.
TEST_F(MusicDeviceTest, OnASoundServerTunesEndAndStartAgainWhileTheOutputRenders) {
  if (std::getenv("MORVATH_TEST_SOUND_SERVER") == nullptr)
    GTEST_SKIP() << "runs on the private PulseAudio of tests/desktop/music_device_test.sh";
  writeFile(path("Blip.mid"), shortTune(1));  // a quarter of a second
  FluidMusicDevice device;
  QObject::connect(&device, &FluidMusicDevice::tuneEnded, [this] { ++ends_; });
  ASSERT_TRUE(device.waitUntilReady(kSign));
  ASSERT_TRUE(device.isAudible()) << "no sound output on the test's server";
  device.setFileName(path("Blip.mid"));
  device.command("open");
  for (int round = 0; round < 40; ++round) {
    device.command("play");
    ASSERT_TRUE(waitFor([&] { return ends_ == round + 1; }, kSign)) << "round " << round;
    if (round % 3 == 1) pump(300);  // the next one starts while this one rings out
    if (round % 5 == 4) {
      device.command("close");  // cut while ringing out
      device.command("open");
    }
  }
}

}  // namespace
}  // namespace morvath
