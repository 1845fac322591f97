// libFuzzer harness for the tune-file unwrapping. Not part of the CMake build; run by hand:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
//     -I. app/rmi.cpp tests/fuzz/rmi_fuzzer.cpp -o /tmp/rmi_fuzzer
//   mkdir -p /tmp/rmi_corpus && cp Music/* /tmp/rmi_corpus/
//   /tmp/rmi_fuzzer -max_total_time=60 -max_len=4096 /tmp/rmi_corpus
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/rmi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto midi = morvath::extractMidi(bytes);
  // Whatever comes out is a MIDI file and a piece of what went in.
  if (midi && (!midi->starts_with("MThd") || bytes.find(*midi) == std::string_view::npos)) {
    __builtin_trap();
  }
  return 0;
}
