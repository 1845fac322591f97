#include "app/rmi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace morvath {
namespace {

std::string u32le(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

std::string chunk(const std::string& id, const std::string& data) {
  std::string out = id + u32le(static_cast<std::uint32_t>(data.size())) + data;
  if (data.size() % 2 != 0) out += '\0';
  return out;
}

// A RIFF RMID file around the given chunks; the RIFF size is right unless one is given.
std::string riff(const std::string& chunks, std::int64_t declaredSize = -1) {
  const std::string body = "RMID" + chunks;
  const auto size = declaredSize >= 0 ? static_cast<std::uint32_t>(declaredSize)
                                      : static_cast<std::uint32_t>(body.size());
  return "RIFF" + u32le(size) + body;
}

// A short but complete Standard MIDI File (one note) with an odd length.
const std::string kSmf =
    std::string("MThd\0\0\0\6\0\0\0\1\1\xe0", 14) +
    std::string("MTrk\0\0\0\x0d\0\x90\x3c\x64\x83\x60\x80\x3c\0\0\xff\x2f\0", 21);
const std::string kInfo = chunk("LIST", "INFO" + chunk("INAM", "Battle\0"));

TEST(ExtractMidi, PlainMidiFileIsReturnedAsItIs) {
  EXPECT_EQ(extractMidi(kSmf), kSmf);
  const std::string withTrailingJunk = kSmf + "junk after the tracks";
  EXPECT_EQ(extractMidi(withTrailingJunk), withTrailingJunk);
}

TEST(ExtractMidi, UnwrapsTheDataChunkWhereverTheInfoStands) {
  ASSERT_EQ(kSmf.size() % 2, 1u);  // the data chunk below carries a pad byte
  EXPECT_EQ(extractMidi(riff(chunk("data", kSmf))), kSmf);
  EXPECT_EQ(extractMidi(riff(chunk("data", kSmf) + kInfo)), kSmf);
  EXPECT_EQ(extractMidi(riff(kInfo + chunk("data", kSmf))), kSmf);
  EXPECT_EQ(extractMidi(riff(kInfo + chunk("DISP", "x") + chunk("data", kSmf) + kInfo)), kSmf);
}

TEST(ExtractMidi, OddSizedChunksAreFollowedByAPadByte) {
  // A five-byte chunk ahead of the data: skipping it without its pad byte would land one byte
  // short of the "data" id.
  EXPECT_EQ(extractMidi(riff(chunk("LIST", "INFO!") + chunk("data", kSmf))), kSmf);
  // The pad byte after an odd data chunk is not part of the tune.
  const auto unwrapped = extractMidi(riff(chunk("data", kSmf) + kInfo));
  ASSERT_TRUE(unwrapped.has_value());
  EXPECT_EQ(unwrapped->size(), kSmf.size());
}

TEST(ExtractMidi, RiffSizeIsTrustedOnlyWhenItFitsTheFile) {
  EXPECT_EQ(extractMidi(riff(kInfo + chunk("data", kSmf), 0xFFFFFFFF)), kSmf);
  EXPECT_EQ(extractMidi(riff(chunk("data", kSmf), 100000)), kSmf);
  // A RIFF size that fits the file marks the end: chunks past it are not read.
  const std::string shortRiff = riff(kInfo + chunk("data", kSmf), 4 + kInfo.size());
  EXPECT_EQ(extractMidi(shortRiff), std::nullopt);
  // ... and a data chunk that runs past it is cut there.
  const std::size_t cut = 4 + 8 + 20;
  EXPECT_EQ(extractMidi(riff(chunk("data", kSmf), cut)), kSmf.substr(0, 20));
}

TEST(ExtractMidi, TruncatedDataChunkIsClampedToTheBytesPresent) {
  const std::string whole = riff(chunk("data", kSmf) + kInfo);
  const std::string cut = whole.substr(0, 12 + 8 + 10);
  EXPECT_EQ(extractMidi(cut), kSmf.substr(0, 10));
  // Every truncation of a wrapped tune: nothing, or a prefix of the tune once the "MThd" of
  // the data chunk is in.
  const std::size_t dataStart = 12 + kInfo.size() + 8;
  const std::string infoFirst = riff(kInfo + chunk("data", kSmf));
  for (std::size_t n = 0; n <= infoFirst.size(); ++n) {
    const auto result = extractMidi(infoFirst.substr(0, n));
    if (n < dataStart + 4) {
      EXPECT_EQ(result, std::nullopt) << n;
    } else {
      ASSERT_TRUE(result.has_value()) << n;
      EXPECT_EQ(*result, kSmf.substr(0, std::min(kSmf.size(), n - dataStart))) << n;
    }
  }
}

TEST(ExtractMidi, RejectsWhatIsNotAMidiFile) {
  EXPECT_EQ(extractMidi(""), std::nullopt);
  EXPECT_EQ(extractMidi("M"), std::nullopt);
  EXPECT_EQ(extractMidi("MTh"), std::nullopt);
  EXPECT_EQ(extractMidi("mthd lower case"), std::nullopt);
  EXPECT_EQ(extractMidi("RIFF"), std::nullopt);
  EXPECT_EQ(extractMidi(std::string("RIFF\4\0\0\0RMI", 11)), std::nullopt);
  EXPECT_EQ(extractMidi(riff("")), std::nullopt);
  EXPECT_EQ(extractMidi(std::string(300, '\xff')), std::nullopt);
  EXPECT_EQ(extractMidi(std::string(64, '\0')), std::nullopt);
  // A RIFF file of another form (a wave file) is not a tune even with a MIDI inside.
  std::string wave = riff(chunk("data", kSmf));
  wave.replace(8, 4, "WAVE");
  EXPECT_EQ(extractMidi(wave), std::nullopt);
  // A data chunk that does not hold a MIDI file.
  EXPECT_EQ(extractMidi(riff(chunk("data", "RIFF and more"))), std::nullopt);
  EXPECT_EQ(extractMidi(riff(chunk("data", "MTh"))), std::nullopt);
  EXPECT_EQ(extractMidi(riff(kInfo)), std::nullopt);
}

TEST(ExtractMidi, HugeChunkSizesDoNotLeadOutsideTheFile) {
  // A chunk claiming 4 GB ahead of the data: the walk must stop, not wrap around.
  const std::string bogus = "LIST" + u32le(0xFFFFFFFF) + "INFO";
  EXPECT_EQ(extractMidi(riff(bogus + chunk("data", kSmf))), std::nullopt);
  const std::string almost = "LIST" + u32le(0xFFFFFFF7) + "INFO";
  EXPECT_EQ(extractMidi(riff(almost + chunk("data", kSmf), 0xFFFFFFFF)), std::nullopt);
  // A data chunk claiming 4 GB keeps what is there.
  EXPECT_EQ(extractMidi(riff("data" + u32le(0xFFFFFFFF) + kSmf)), kSmf);
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ExtractMidi, GameTunesUnwrapToMidiFiles) {
  const std::filesystem::path music = std::filesystem::path(MORVATH_SOURCE_DIR) / "Music";
  for (const char* name : {"Temple.mid", "Outside.mid", "Outside.MID", "Death.MID"}) {
    const std::string bytes = readFile(music / name);
    ASSERT_TRUE(bytes.starts_with("MThd")) << name;
    EXPECT_EQ(extractMidi(bytes), bytes) << name;
  }
  for (const char* name : {"Outside.rmi", "FightMusic.rmi"}) {
    const std::string bytes = readFile(music / name);
    ASSERT_TRUE(bytes.starts_with("RIFF")) << name;
    const auto midi = extractMidi(bytes);
    ASSERT_TRUE(midi.has_value()) << name;
    EXPECT_TRUE(midi->starts_with("MThd")) << name;
    EXPECT_LT(midi->size() + 20, bytes.size()) << name;
  }
}

}  // namespace
}  // namespace morvath
