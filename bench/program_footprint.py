#!/usr/bin/env python3
"""Start-up time and memory of the program: from starting it (with a file on
its command line, splash off, a fresh program folder and settings) until its
window is mapped and until it settles (CPU time still for 300 ms); then its
resident memory, and whether any web-engine library is loaded. Run inside an
X server (xvfb-run -a python3 program_footprint.py ...).

  program_footprint.py RUNS PROGRAM FILE
"""
import os, statistics, subprocess, sys, tempfile, time

def cpu_ticks(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])
    except OSError:
        return None

def rss_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0

def engine_loaded(pid):
    with open(f"/proc/{pid}/maps") as f:
        return any("WebEngine" in line for line in f)

def window_mapped(title_part):
    out = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if title_part in line and "1x1" not in line and "10x10" not in line:
            wid = line.split()[0]
            state = subprocess.run(["xwininfo", "-id", wid], capture_output=True, text=True).stdout
            if "IsViewable" in state:
                return True
    return False

def one_run(program, path, home):
    env = dict(os.environ, CORVEL_HOME=os.path.join(home, "prog"),
               XDG_CONFIG_HOME=os.path.join(home, "cfg"), QT_QPA_PLATFORM="xcb")
    os.makedirs(os.path.join(home, "cfg", "Corvel"), exist_ok=True)
    with open(os.path.join(home, "cfg", "Corvel", "Corvel.ini"), "w") as f:
        f.write("[Configuracao]\nSplash=0\n")
    t0 = time.monotonic()
    p = subprocess.Popen([program, path], env=env, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
    mapped = None
    while time.monotonic() - t0 < 30:
        if window_mapped(os.path.basename(path)):
            mapped = time.monotonic() - t0
            break
        time.sleep(0.005)
    last, last_change = cpu_ticks(p.pid), time.monotonic()
    while time.monotonic() - t0 < 30:
        time.sleep(0.02)
        now = cpu_ticks(p.pid)
        if now != last:
            last, last_change = now, time.monotonic()
        elif time.monotonic() - last_change >= 0.3:
            break
    settled = last_change - t0
    rss, engine = rss_kb(p.pid), engine_loaded(p.pid)
    p.kill()
    p.wait()
    return mapped, settled, rss, engine

def main():
    runs, program, path = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    maps, settles, rsss, engines = [], [], [], 0
    for i in range(runs):
        with tempfile.TemporaryDirectory() as home:
            m, s, r, e = one_run(program, path, home)
        if m is not None:
            maps.append(m * 1000)
        settles.append(s * 1000)
        rsss.append(r / 1024)
        engines += e
        time.sleep(0.3)
    print(f"{program}: window {statistics.median(maps):.0f} ms, settled "
          f"{statistics.median(settles):.0f} ms, resident {statistics.median(rsss):.1f} MB "
          f"(median of {runs}; {len(maps)} windows seen; web engine loaded in {engines} runs)")

main()
