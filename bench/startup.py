#!/usr/bin/env python3
"""Start-up time, peak memory and idle CPU of corvane-config on the virtual mouse.

Runs under the current display, or under its own Xvfb when there is none.
    python3 bench/startup.py [build/corvane-config] [runs]
"""
import os, re, shutil, statistics, subprocess, sys, tempfile, time

app = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/corvane-config")
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7   # the budget is the median of 7
env = dict(os.environ)
xvfb = None
if not env.get("DISPLAY") and not env.get("WAYLAND_DISPLAY"):
    env["DISPLAY"] = ":93"
    xvfb = subprocess.Popen(["Xvfb", ":93", "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.0)
env.pop("QT_QPA_PLATFORM", None)

try:
    times, rss = [], []
    for _ in range(runs):
        t0 = time.time() * 1000.0
        out = subprocess.run([app, "--virtual-mouse", "--measure-startup"], env=env,
                             capture_output=True, text=True, timeout=30).stdout
        for line in out.splitlines():
            if line.startswith("first-frame-epoch-ms"):
                f = line.split()
                times.append(float(f[1]) - t0)
                rss.append(int(f[3]) / 1024.0)
    if times:
        print(f"first window: median {statistics.median(times):.0f} ms (min {min(times):.0f}, max {max(times):.0f}) "
              f"over {len(times)} runs; budget 175 ms")
        print(f"peak RSS at first frame: max {max(rss):.1f} MB; budget 55 MB")
    else:
        print("first window: no measurement (the app printed no first-frame line)")

    # Idle CPU and peak memory with a connected mouse, in each shipped language: a copy
    # of the program and its installation tree with common/language set.
    def idle(language):
        with tempfile.TemporaryDirectory() as tmp:
            exe = os.path.join(tmp, os.path.basename(app))
            shutil.copy2(app, exe)
            shutil.copytree(os.path.join(os.path.dirname(app), "modules"), os.path.join(tmp, "modules"))
            conf = os.path.join(tmp, "modules", "setting", "apConfig.bin")
            with open(conf, encoding="utf-8") as f:
                text = re.sub(r"(?m)^language=.*$", "language=" + language, f.read())
            with open(conf, "w", encoding="utf-8") as f:
                f.write(text)
            p = subprocess.Popen([exe, "--virtual-mouse"], env=env, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
            time.sleep(5.0)
            tick = os.sysconf("SC_CLK_TCK")
            def cpu():
                with open(f"/proc/{p.pid}/stat") as f:
                    fields = f.read().rsplit(")", 1)[1].split()
                return (int(fields[11]) + int(fields[12])) / tick
            c0, w0 = cpu(), time.time()
            time.sleep(10.0)
            c1, w1 = cpu(), time.time()
            with open(f"/proc/{p.pid}/status") as f:
                peak = [l for l in f if l.startswith("VmHWM")][0].split()[1]
            p.terminate(); p.wait(timeout=10)
            print(f"{language}: idle CPU with the mouse connected: {100.0 * (c1 - c0) / (w1 - w0):.2f} % ; budget 0.5 %")
            print(f"{language}: peak RSS after 15 s: {int(peak) / 1024.0:.1f} MB; budget 55 MB")

    for language in ("English", "ChineseSimplified"):
        idle(language)
finally:
    if xvfb:
        xvfb.terminate()
