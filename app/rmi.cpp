#include "app/rmi.h"

#include <cstdint>

namespace morvath {

namespace {

constexpr std::string_view kSmfMagic = "MThd";

std::uint32_t readU32Le(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

}  // namespace

std::optional<std::string> extractMidi(std::string_view fileBytes) {
  if (fileBytes.starts_with(kSmfMagic)) return std::string(fileBytes);

  // "RIFF" <size> "RMID", then chunks up to the end of the RIFF body.
  constexpr std::size_t kRiffHeader = 12;
  if (fileBytes.size() < kRiffHeader || !fileBytes.starts_with("RIFF") ||
      fileBytes.substr(8, 4) != "RMID") {
    return std::nullopt;
  }
  // Sizes are kept in 64 bits so that no sum of a position and a 32-bit size can wrap.
  const std::uint64_t fileSize = fileBytes.size();
  const std::uint64_t declaredEnd = std::uint64_t{8} + readU32Le(fileBytes, 4);
  const std::uint64_t end = declaredEnd <= fileSize ? declaredEnd : fileSize;

  std::uint64_t pos = kRiffHeader;
  while (pos + 8 <= end) {
    const std::string_view id = fileBytes.substr(pos, 4);
    const std::uint64_t size = readU32Le(fileBytes, pos + 4);
    const std::uint64_t body = pos + 8;
    if (id == "data") {
      const std::uint64_t present = end - body < size ? end - body : size;
      const std::string_view smf = fileBytes.substr(body, present);
      if (!smf.starts_with(kSmfMagic)) return std::nullopt;
      return std::string(smf);
    }
    pos = body + size + (size & 1);  // chunks are padded to an even length
  }
  return std::nullopt;
}

}  // namespace morvath
