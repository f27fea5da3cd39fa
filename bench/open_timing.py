#!/usr/bin/env python3
"""Time from starting an editor with a file on its command line until its
window is mapped, and until it settles (its CPU time stops growing for
300 ms). Run inside an X server (xvfb-run -a python3 open_timing.py ...).

  open_timing.py RUNS FILE -- COMMAND ARGS...   ("{}" in ARGS is the file)
"""
import os, subprocess, sys, time, statistics

def cpu_ticks(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])
    except OSError:
        return None

def window_mapped(pid, title_part):
    out = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if title_part in line and "1x1" not in line and "10x10" not in line:
            wid = line.split()[0]
            state = subprocess.run(["xwininfo", "-id", wid], capture_output=True, text=True).stdout
            if "IsViewable" in state:
                return True
    return False

def one_run(cmd, title_part):
    t0 = time.monotonic()
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = None
    while time.monotonic() - t0 < 20:
        if window_mapped(p.pid, title_part):
            mapped = time.monotonic() - t0
            break
        time.sleep(0.005)
    last, last_change = cpu_ticks(p.pid), time.monotonic()
    while time.monotonic() - t0 < 20:
        time.sleep(0.02)
        now = cpu_ticks(p.pid)
        if now != last:
            last, last_change = now, time.monotonic()
        elif time.monotonic() - last_change >= 0.3:
            break
    settled = last_change - t0
    p.terminate()
    try:
        p.wait(5)
    except subprocess.TimeoutExpired:
        p.kill()
    return mapped, settled

def main():
    runs = int(sys.argv[1]); path = sys.argv[2]
    cmd = [a.replace("{}", path) for a in sys.argv[sys.argv.index("--") + 1:]]
    title = os.path.basename(path)
    maps, settles = [], []
    for _ in range(runs):
        m, s = one_run(cmd, title)
        if m is not None:
            maps.append(m * 1000)
        settles.append(s * 1000)
        time.sleep(0.3)
    print(f"{os.path.basename(cmd[0])}: window {statistics.median(maps):.0f} ms, "
          f"settled {statistics.median(settles):.0f} ms (median of {runs}; "
          f"{len(maps)} windows seen)")

main()
