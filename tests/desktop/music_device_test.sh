#!/usr/bin/env bash
# The music device's tests that need a real sound output, on a private PulseAudio server.
#
#   music_device_test.sh ADAPTER_TEST_BINARY
source "$(dirname "$0")/lib.sh"
test_folder  # a sound server, no desktop
pulse_start
# A null sink that nobody listens to stops taking sound after its first buffer here; the
# recorder keeps it running like a sound card.
record_start
MORVATH_TEST_SOUND_SERVER=1 QT_QPA_PLATFORM=offscreen "$1" --gtest_filter='*OnASoundServer*'
awk -v l="$(loudness 15)" 'BEGIN { exit !(l > 0.001) }' || fail "the tunes were not heard"
