#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

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

class MusicDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureApp();
    ASSERT_TRUE(dir_.isValid());
  }

  std::string path(const std::string& name) const {
    return (fs::path(dir_.path().toStdString()) / name).string();
  }

  // A silent device (no sound card is opened) that counts the ends it reports and checks
  // they arrive on the thread of the game.
  std::unique_ptr<FluidMusicDevice> quietDevice() {
    auto device = std::make_unique<FluidMusicDevice>(FluidMusicDevice::Config{"", false});
    QObject::connect(device.get(), &FluidMusicDevice::tuneEnded, [this] {
      ++ends_;
      if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++offThread_;
    });
    return device;
  }

  QTemporaryDir dir_;
  int ends_ = 0;
  int offThread_ = 0;
};

TEST_F(MusicDeviceTest, FileNameReadsBackExactly) {
  FluidMusicDevice device(FluidMusicDevice::Config{"", false});
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

TEST_F(MusicDeviceTest, ReportsTheEndOfATuneOnceOnTheGameThread) {
  writeFile(path("Short.mid"), shortTune(2));
  auto device = quietDevice();
  // Commands given before the synthesizer is ready take effect when it is.
  device->setFileName(path("Short.mid"));
  device->command("open");
  device->command("play");
  EXPECT_TRUE(device->isPlaying());
  ASSERT_TRUE(waitFor([&] { return ends_ > 0; }, 5000));
  EXPECT_FALSE(device->isPlaying());
  pump(300);
  EXPECT_EQ(ends_, 1);
  EXPECT_EQ(offThread_, 0);
  // Playing again after the end starts the tune over, and it ends again.
  device->command("play");
  ASSERT_TRUE(waitFor([&] { return ends_ == 2; }, 5000));
}

TEST_F(MusicDeviceTest, PlaysRiffWrappedTunesAndKeepsCaseApart) {
  writeFile(path("Fanfare.rmi"), wrapRiff(shortTune(2)));
  writeFile(path("Fanfare.RMI"), "not a tune at all");
  auto device = quietDevice();
  device->setFileName(path("Fanfare.RMI"));
  device->command("open");
  device->command("play");
  pump(1200);
  EXPECT_EQ(ends_, 0);  // an unreadable file stays silent and never ends
  device->setFileName(path("Fanfare.rmi"));
  device->command("open");
  device->command("play");
  EXPECT_TRUE(waitFor([&] { return ends_ == 1; }, 5000));
}

TEST_F(MusicDeviceTest, StopAndCloseSilenceTheTune) {
  writeFile(path("Short.mid"), shortTune(2));
  auto device = quietDevice();
  ASSERT_TRUE(device->waitUntilReady(5000));
  device->setFileName(path("Short.mid"));
  device->command("open");
  device->command("play");
  pump(100);
  device->command("stop");
  EXPECT_FALSE(device->isPlaying());
  pump(1000);
  EXPECT_EQ(ends_, 0);

  // "play" after "stop" starts from the beginning and runs to the end.
  device->command("play");
  EXPECT_TRUE(device->isPlaying());
  ASSERT_TRUE(waitFor([&] { return ends_ == 1; }, 5000));

  // After "close" the device needs "open" again before it plays.
  device->command("close");
  device->command("play");
  EXPECT_FALSE(device->isPlaying());
  pump(1000);
  EXPECT_EQ(ends_, 1);
  device->command("open");
  device->command("play");
  EXPECT_TRUE(waitFor([&] { return ends_ == 2; }, 5000));
}

TEST_F(MusicDeviceTest, OpeningAnotherTuneReplacesThePlayingOne) {
  writeFile(path("Long.mid"), shortTune(40));  // ten seconds
  writeFile(path("Short.mid"), shortTune(2));
  auto device = quietDevice();
  device->setFileName(path("Long.mid"));
  device->command("open");
  device->command("play");
  pump(200);
  device->setFileName(path("Short.mid"));
  device->command("open");
  EXPECT_FALSE(device->isPlaying());
  device->command("play");
  const auto started = Clock::now();
  ASSERT_TRUE(waitFor([&] { return ends_ == 1; }, 5000));
  EXPECT_LT(Clock::now() - started, std::chrono::seconds(4));  // the short one, not the long
}

TEST_F(MusicDeviceTest, PlayWhilePlayingAndOtherCommands) {
  writeFile(path("Two.mid"), shortTune(8));  // two seconds
  auto device = quietDevice();
  device->command("play");  // nothing open yet
  EXPECT_FALSE(device->isPlaying());
  device->setFileName(path("Two.mid"));
  device->command("Open");  // the old control took commands in any case
  for (const char* ignored : {"pause", "", "playing", "open ", "seek"}) {
    device->command(ignored);
    EXPECT_FALSE(device->isPlaying()) << ignored;
  }
  ASSERT_TRUE(device->waitUntilReady(5000));
  device->command("PLAY");
  const auto started = Clock::now();
  pump(1200);
  device->command("play");  // already playing: carries on rather than starting over
  EXPECT_TRUE(device->isPlaying());
  ASSERT_TRUE(waitFor([&] { return ends_ == 1; }, 5000));
  EXPECT_LT(Clock::now() - started, std::chrono::milliseconds(2900));
  pump(500);
  EXPECT_EQ(ends_, 1);
}

// Every command returns at once on the game's thread, whatever state the synthesizer is in.
void expectFastCommands(FluidMusicDevice& device, const std::string& file) {
  using std::chrono::microseconds;
  auto slowest = Clock::duration::zero();
  for (int round = 0; round < 3; ++round) {
    for (const char* cmd : {"open", "play", "stop", "play", "close", "open", "play"}) {
      device.setFileName(file);
      const auto start = Clock::now();
      device.command(cmd);
      slowest = std::max(slowest, Clock::now() - start);
    }
  }
  EXPECT_LT(slowest, microseconds(10000));
}

TEST_F(MusicDeviceTest, MissingFileStaysSilent) {
  auto device = quietDevice();
  expectFastCommands(*device, path("Missing.mid"));
  pump(1000);
  EXPECT_EQ(ends_, 0);
}

TEST_F(MusicDeviceTest, MissingSoundfontStaysSilent) {
  writeFile(path("Short.mid"), shortTune(2));
  ASSERT_EQ(setenv("MORVATH_SOUNDFONT", "/nonexistent/Missing.sf2", 1), 0);
  const auto start = Clock::now();
  FluidMusicDevice device;
  const auto construction = Clock::now() - start;
  unsetenv("MORVATH_SOUNDFONT");
  EXPECT_LT(construction, std::chrono::milliseconds(20));
  expectFastCommands(device, path("Short.mid"));
  ASSERT_TRUE(device.waitUntilReady(5000));
  EXPECT_FALSE(device.isAudible());
}

TEST_F(MusicDeviceTest, WithWhateverSoundCardThisMachineHas) {
  // Silent on a machine without a sound card (a build server); with one, the last command
  // stops the tune, so at most a moment of it is heard. The game's thread is never held up.
  writeFile(path("Short.mid"), shortTune(1));
  const auto start = Clock::now();
  FluidMusicDevice device;
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(20));
  expectFastCommands(device, path("Short.mid"));
  device.command("stop");
  EXPECT_TRUE(device.waitUntilReady(10000));
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
  ASSERT_TRUE(device.waitUntilReady(10000));
  ASSERT_TRUE(device.isAudible()) << "no sound output on the test's server";
  device.setFileName(path("Blip.mid"));
  device.command("open");
  for (int round = 0; round < 40; ++round) {
    device.command("play");
    ASSERT_TRUE(waitFor([&] { return ends_ == round + 1; }, 3000)) << "round " << round;
    if (round % 3 == 1) pump(300);  // the next one starts while this one rings out
    if (round % 5 == 4) {
      device.command("close");  // cut while ringing out
      device.command("open");
    }
  }
}

}  // namespace
}  // namespace morvath
