#!/usr/bin/env bash
# The capture path under Wine, measured from outside as a user's programs meet it:
#   - of 40 different texts that a program copies 5 ms (and 10 ms) apart, how many
#     are filed (three runs each);
#   - from a clipboard change to the entry filed, for a short text: the copying
#     helper looks once at Vornix's list, a set time after it closed the clipboard
#     on its text (asking a Wine program while it works slows it down), and the
#     copies take turns over times from 0.5 to 20 ms;
#   - a 16 MB text over the size limit: the time until Vornix's status bar shows
#     it (the last step of handling a change), and what it adds to the working set
#     (resident memory of the Wine process) once Vornix is idle.
# Figures only: nothing passes or fails. Run by `make bench` or by hand:
#   bash bench/capture_wine.sh
#   VORNIX_EXE=/path/to/another/Vornix.exe bash bench/capture_wine.sh   (for comparison)
# The helpers come from build/win64 (VORNIX_E2E_EXE_DIR to change it).
cd "$(dirname "$0")/../tests/e2e"
# shellcheck source=../tests/e2e/lib.sh
source ./lib.sh

RUNS=${RUNS:-3}

# The Linux process that runs Vornix.exe under Wine.
vornix_process() { pgrep -x Vornix.exe | head -1; }
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }

# start_recording: a fresh Vornix in record mode, RegSave off.
start_recording() {
  reg_clear
  reg_set ProtocolMode 1
  reg_set QuestionQuit 0
  vornix_start
  sleep 1
}

summary() { sort -n | awk '{ a[n++] = $1 } END { if (n) printf "median %.2f ms, max %.2f ms (%d changes)\n", a[int(n / 2)] / 1000, a[n - 1] / 1000, n }'; }

echo "Vornix: ${VORNIX_EXE:-$E2E_EXE_DIR/Vornix.exe}"

step "change to filed, short texts (40 copies 150 ms apart, each looked at once)"
start_recording
cliphelper filed 40 150 latency >"$E2E_WORK/latency.txt"
filed=$(list_texts | grep -c '^latency ' || true)
vornix_stop 20
echo "filed $filed of 40; filed when looked at, by the time after the clipboard was closed:"
tr -d '\r' <"$E2E_WORK/latency.txt" | awk '
  { n[$1]++; there[$1] += $2 }
  END { for (t in n) printf "  %6.1f ms: %d of %d\n", t / 1000, there[t], n[t] }' | sort -n
for ms in 5 10; do
  step "40 different texts copied $ms ms apart"
  results=()
  for run in $(seq "$RUNS"); do
    start_recording
    cliphelper burst 40 "$ms" "burst$ms-$run" >/dev/null
    sleep 1.5
    results+=("$(list_texts | grep -c "^burst$ms-$run " || true)")
    vornix_stop 20
  done
  echo "filed of 40, $ms ms apart: ${results[*]}"
done

step "a 16 MB text over the size limit (1024 KB)"
start_recording
pid=$(vornix_process)
before=$(rss_kb "$pid")
cliphelper bigshown 16777216 >"$E2E_WORK/big.txt"
sleep 2
after=$(rss_kb "$pid")
# What any program pays only to fetch that text from the system (Wine copies the
# whole block into the process that asks): the floor under Vornix's figures.
read -r fetch_us fetch_bytes < <(cliphelper readcost | tr -d '\r')
filed=$(list_texts | grep -c '^xxxx' || true)
vornix_stop 20
echo "filed: $filed; change to shown: $(summary <"$E2E_WORK/big.txt")"
echo "working set: $((before / 1024)) MB before, $((after / 1024)) MB after: +$(((after - before) / 1024)) MB"
echo "a program that only fetches it: $((fetch_us / 1000)) ms for a block of $((fetch_bytes / 1048576)) MB"
