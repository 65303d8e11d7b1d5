"""Times zephra-cli ports --identify against printer-sim and prints a BENCH line.

ports_identify: eight printers (models 5, 7, 3 and 4, two of each) on eight pseudo-terminals, each
given by --port, all identified by one ports --identify, against one printer identified by one
zephra-cli identify. The ports are asked at once, so the eight should take little longer than one.
Both run with the host's own serial ports hidden (an empty /sys/class/tty in a mount namespace of
their own, which takes root): a port with nothing behind it is awaited to the panel's
identification limit, which would swamp the figure. The printers answer as printer-sim does by
default. Medians of RUNS runs.
Usage: ports_identify_figures.py BUILD_DIR (with zephra-cli and printer-sim built)"""
import os
import statistics
import subprocess
import sys
import time

MODELS = ("5", "7", "3", "4") * 2
FAMILIES = {"5": "current", "7": "current", "3": "legacy", "4": "module"}
RUNS = 7
# Runs the command after it in a mount namespace where the system lists no tty devices.
HIDE_HOST_PORTS = ["unshare", "--mount", "sh", "-c",
                   'mount -t tmpfs none /sys/class/tty && exec "$0" "$@"']


def timed(args):
    start = time.monotonic()
    subprocess.run(HIDE_HOST_PORTS + args, check=True, stdout=subprocess.DEVNULL)
    return time.monotonic() - start


def main(build):
    cli = os.path.join(build, "cli", "zephra-cli")
    sims = [subprocess.Popen([os.path.join(build, "sim", "printer-sim"), "--model", model],
                             stdout=subprocess.PIPE, text=True) for model in MODELS]
    try:
        ports = [sim.stdout.readline().strip() for sim in sims]
        identify_all = [cli, "ports", "--identify"]
        for port in ports:
            identify_all += ["--port", port]
        output = subprocess.run(HIDE_HOST_PORTS + identify_all, check=True, capture_output=True,
                                text=True).stdout
        lines = output.splitlines()
        for port, model in zip(ports, MODELS):
            if f"{port} serial: {FAMILIES[model]} {model}" not in lines:
                raise RuntimeError(f"ports --identify did not identify {port}:\n{output}")
        ours, peer = [], []
        for _ in range(RUNS):
            ours.append(timed(identify_all))
            peer.append(timed([cli, "identify", "--port", ports[0]]))
    finally:
        for sim in sims:
            sim.terminate()
            sim.wait()
    ours, peer = statistics.median(ours), statistics.median(peer)
    print(f"BENCH ports_identify ours={ours:.3f} s peer={peer:.3f} s ratio={ours / peer:.2f}")


if __name__ == "__main__":
    main(sys.argv[1])
