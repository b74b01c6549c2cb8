# Sourced by the scripts that build. build_preset PRESET LOGDIR [CONFIGURE
# ARGS...] [-- BUILD ARGS...] configures and builds one CMake preset with its
# output in LOGDIR/PRESET-configure.log and -build.log; on failure it prints
# the errors and the log's name and returns 1.
build_preset() {
  local preset=$1 log=$2
  shift 2
  local configure=() build=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    configure+=("$1")
    shift
  done
  [ $# -gt 0 ] && shift
  build=("$@")
  mkdir -p "$log"
  echo "== build $preset"
  if ! cmake --preset "$preset" "${configure[@]}" >"$log/$preset-configure.log" 2>&1; then
    tail -30 "$log/$preset-configure.log"
    echo "configure of $preset failed (see $log/$preset-configure.log)"
    return 1
  fi
  if ! cmake --build --preset "$preset" -j"$(nproc 2>/dev/null || echo 2)" "${build[@]}" \
    >"$log/$preset-build.log" 2>&1; then
    grep -E "error|warning" "$log/$preset-build.log" | head -50
    echo "build of $preset failed (see $log/$preset-build.log)"
    return 1
  fi
}
