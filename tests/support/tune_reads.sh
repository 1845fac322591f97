# Which folder a game started by the test plays its tunes from, seen with inotify: the folder whose
# Music/Temple.mid (the title tune, read first) was opened. The game reads a tune and closes it,
# so nothing is left open to look for.
#
#   source tune_reads.sh; watch_tune_reads LOG FOLDER...; (start the game); tune_folder_read LOG
#
# Needs inotifywait (inotify-tools); both functions return 1 with a reason on stderr.

# Watches the Music folders of FOLDER... for files being opened, one path a line into LOG (its
# process is $TUNE_WATCH_PID); returns once the watches are in place.
watch_tune_reads() {
  local log=$1
  shift
  local folders=("${@/%//Music}")
  inotifywait -m -e open --format '%w%f' "${folders[@]}" >"$log" 2>"$log.err" &
  TUNE_WATCH_PID=$!
  timeout 60 sh -c 'until grep -q "Watches established" "$1"; do sleep 0.1; done' _ "$log.err" ||
    { echo "inotifywait does not watch ${folders[*]}: $(cat "$log.err")" >&2; return 1; }
}

# The folder whose Music/Temple.mid was opened, once one was (within $2 s, default 60).
tune_folder_read() {
  local log=$1 line
  timeout "${2:-60}" sh -c 'until grep -q "/Music/Temple\.mid$" "$1"; do sleep 0.1; done' _ "$log" ||
    { echo "no Music/Temple.mid was opened in a watched folder in ${2:-60} s" >&2; return 1; }
  line=$(grep -m 1 '/Music/Temple\.mid$' "$log")
  echo "${line%/Music/Temple.mid}"
}
