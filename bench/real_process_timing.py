#!/usr/bin/env python3
"""Long lines and large files in a real Corvel process: its own Xvfb, keys and
clicks from xdotool, a private program folder and settings. Each run opens
the file from the command line (answering the large-file question), then goes
to the end (Ctrl+End), types a character and saves (the toolbar's save
button). A step ends when the process's CPU time stops growing for 300 ms; its
time is taken to the last CPU tick. Medians over the runs; resident memory
after the open and after the save; the saved file is checked (the text plus
the one character, no line added).

  real_process_timing.py CORVEL_BINARY [RUNS] [CASE...]
  cases: line1m line5m big50m (default: all)
"""
import os, random, shutil, statistics, subprocess, sys, tempfile, time

CAP = 120.0  # a step that has not settled by then counts as frozen


def make_case(name, folder):
    rng = random.Random(24)
    path = os.path.join(folder, name + (".html" if name == "big50m" else ".js"))
    if name.startswith("line"):
        parts = ["function ", "a", "(b,c){return b+c}", "var ", "x=1,y=[1,2,3];",
                 "if(x<y.length)", "{x++}else{y.pop()}", '"texto"', ";", ",",
                 ".map(function(e){return e*2})", 'document.getElementById("id")']
        n = 1000000 if name == "line1m" else 5000000
        out, size = [], 0
        while size < n:
            p = rng.choice(parts)
            out.append(p)
            size += len(p)
        data = "".join(out)[:n].encode()
    else:
        rows, size, i = [], 0, 0
        while size < 50 * 1000 * 1000:
            r = '<tr><td class="c%d">Linha %d de um arquivo gerado</td><td>%s</td></tr>\r\n' % (
                i % 7, i, "x" * rng.randint(0, 59))
            rows.append(r)
            size += len(r)
            i += 1
        data = "".join(rows).encode()
    with open(path, "wb") as f:
        f.write(data)
    return path


def ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        x = f.read().rsplit(")", 1)[1].split()
    return int(x[11]) + int(x[12])


def rss_mib(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) // 1024
    return -1


def settle(pid, t0, quiet=0.3):
    last, last_change = ticks(pid), time.monotonic()
    while time.monotonic() - t0 < CAP:
        time.sleep(0.01)
        now = ticks(pid)
        if now != last:
            last, last_change = now, time.monotonic()
        elif time.monotonic() - last_change >= quiet:
            return (last_change - t0) * 1000
    return None


def one_run(corvel, original):
    home = tempfile.mkdtemp(prefix="corvel-timing-")
    for d in ("config/Corvel", "prog", "run"):
        os.makedirs(os.path.join(home, d), 0o700)
    path = os.path.join(home, os.path.basename(original))
    shutil.copy(original, path)
    with open(os.path.join(home, "config/Corvel/Corvel.ini"), "w") as f:
        f.write("[Configuracao]\nSplash=0\nAutoColor=0\nAutoSave=30\n")
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x900x24",
                             "-nolisten", "tcp"], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    display = ":" + xvfb.stdout.readline().decode().strip()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
               CORVEL_HOME=os.path.join(home, "prog"),
               XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_RUNTIME_DIR=os.path.join(home, "run"))

    def xdo(*args):
        return subprocess.run(["xdotool", *args], env=env, capture_output=True,
                              text=True).stdout.strip()

    def window(name, timeout):
        t = time.monotonic()
        while time.monotonic() - t < timeout:
            w = xdo("search", "--onlyvisible", "--name", name)
            if w:
                return w.split()[0]
            time.sleep(0.05)
        return None

    res = {}
    p = subprocess.Popen([corvel, path], env=env, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
    try:
        t0 = time.monotonic()
        if os.path.getsize(path) >= 307201:
            q = window("Arquivo Grande", 30)
            if q:
                xdo("windowactivate", "--sync", q)
                t0 = time.monotonic()
                xdo("key", "alt+s")
        res["open"] = settle(p.pid, t0)
        res["rss open"] = rss_mib(p.pid)
        w = window(os.path.basename(path), 10)
        if w:
            xdo("windowactivate", "--sync", w)
        steps = [("Ctrl+End", ["key", "ctrl+End"]), ("typed", ["type", "Z"]),
                 ("save", ["mousemove", "140", "36", "click", "1"])]
        frozen = res["open"] is None
        for name, args in steps:
            res[name] = None
            if frozen:
                continue
            time.sleep(0.5)
            t = time.monotonic()
            xdo(*args)
            res[name] = settle(p.pid, t)
            frozen = res[name] is None
        res["rss save"] = rss_mib(p.pid)
        time.sleep(0.5)
        with open(original, "rb") as f:
            expected = f.read() + b"Z"
        with open(path, "rb") as f:
            res["saved right"] = f.read() == expected
    finally:
        p.kill()
        p.wait()
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(home, ignore_errors=True)
    return res


def main():
    corvel = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    cases = sys.argv[3:] or ["line1m", "line5m", "big50m"]
    folder = tempfile.mkdtemp(prefix="corvel-cases-")
    try:
        for case in cases:
            original = make_case(case, folder)
            results = [one_run(corvel, original) for _ in range(runs)]
            with open("/proc/loadavg") as f:
                load = f.read().split()[0]
            print(f"{case} (median of {runs}, load {load}):")
            for key in results[0]:
                values = [r[key] for r in results]
                if key == "saved right":
                    print(f"  {key:10s} {all(values)}")
                elif key.startswith("rss"):
                    print(f"  {key:10s} {max(values)} MiB (most)")
                elif None in values:
                    print(f"  {key:10s} did not settle within {CAP:.0f} s in "
                          f"{values.count(None)} of {runs} runs")
                else:
                    print(f"  {key:10s} {statistics.median(values):8.0f} ms  "
                          f"(runs: {', '.join('%.0f' % v for v in values)})")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


main()
