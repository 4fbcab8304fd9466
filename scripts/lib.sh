# Shared by scripts/run, scripts/test, scripts/fuzz and scripts/bench: the packages a fresh
# Debian machine lacks, the two builds, and a private X display.
# shellcheck shell=bash

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_native=$root/build/native
build_windows=$root/build/windows
build_fuzz=$root/build/fuzz
jobs=$(nproc 2>/dev/null || echo 2)

need_packages() {
  local missing=()
  command -v cmake >/dev/null || missing+=(cmake)
  command -v g++ >/dev/null || missing+=(g++)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix)
  command -v x86_64-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-x86-64)
  [ -d /usr/src/googletest ] || missing+=(googletest)
  command -v wine >/dev/null || missing+=(wine)
  command -v wine64 >/dev/null || [ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
  command -v Xvfb >/dev/null || missing+=(xvfb)
  command -v xauth >/dev/null || missing+=(xauth)
  command -v import >/dev/null || missing+=(imagemagick)
  command -v xdotool >/dev/null || missing+=(xdotool)
  command -v python3 >/dev/null || missing+=(python3)
  command -v clang++ >/dev/null || missing+=(clang)
  # libFuzzer's runtime is only recommended by clang, so not pulled in with it.
  compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null || missing+=(libclang-rt-dev)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

build_native() {
  cmake -S "$root" -B "$build_native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$build_native" -j "$jobs"
}

build_windows() {
  cmake -S "$root" -B "$build_windows" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build_windows" -j "$jobs"
}

# The fuzz targets: clang with libFuzzer, ASan and UBSan, apart from the tests.
build_fuzz() {
  cmake -S "$root" -B "$build_fuzz" -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$build_fuzz" -j "$jobs"
}

# Runs one fuzz target for $2 seconds from its committed seeds, keeping what
# it learns under build/fuzz; prints one line and fails when it crashed.
run_fuzz_target() {
  local name=$1 seconds=$2
  local work=$build_fuzz/runs/$name seeds=()
  mkdir -p "$work/corpus" "$work/artifacts"
  [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
  "$build_fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -dict="$root/fuzz/tolvane.dict" -artifact_prefix="$work/artifacts/" \
    "$work/corpus" "${seeds[@]}" >"$work/log" 2>&1
  local rc=$? runs cov
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$work/log" | tail -1)
  if [ $rc -eq 0 ]; then
    echo "fuzz $name: ok, ${runs:-?} runs in ${seconds}s, ${cov:-cov: ?}"
  else
    echo "fuzz $name: FAILED (exit $rc), input and log in $work"
    grep -m3 -E 'ERROR|runtime error|fuzz check failed' "$work/log" | sed 's/^/  /'
  fi
  return $rc
}

fuzz_targets() { cat "$build_fuzz/fuzz-targets.txt"; }

# Starts Xvfb on a free display unless one is already set; the caller's EXIT
# trap should call stop_display.
xvfb_pid=
start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

stop_display() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

# A 64-bit Wine prefix of the build's own, made once.
wine_env() {
  export WINEPREFIX=${TOLVANE_WINEPREFIX:-$build_windows/wineprefix}
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"  # a crash ends the program, no debugger waits
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}

# Starts the prefix's server and services now, apart from any test: started
# by a test, they would hold its output open and ctest would wait on them.
wine_up() {
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
