"""Times the zephra.printer collection's provisioning play through ansible-playbook:
- ansible_hosts: 20 local hosts of 4 printer-sims each (forks 20), each host's printers in one
  zephra.printer.wlan task with verify on, every printer joining its network 5 s after its save
  and listening on an address of its own in 127.0.0.0/8; against the same play over one host
  with one printer. A host's printers wait for their joins side by side, so the ratio tells what
  the hosts and their printers cost on top of one join.
Every run has fresh printers, so each one is written.
Usage: ansible_hosts_figures.py BUILD_DIR (with zephra-cli and printer-sim built)"""
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HOSTS, PRINTERS = 20, 4
RUNS = 3
NETWORK, KEY = "Bench-Net", "bench-passphrase"
JOIN_DELAY = "5"
# Loopback only, apart from other runs' addresses.
ADDRESS = "127.%d.%%d.%%d" % (os.getpid() % 250 + 1)
REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PLAY = """---
- name: Each host's printers at the office profile, seen on the network after
  hosts: printers
  gather_facts: false
  tasks:
    - name: Apply the profile to all of the host's printers
      zephra.printer.wlan:
        printers: "{{ host_printers }}"
        profile: "{{ profile }}"
        key: "{{ wlan_key }}"
        verify: true
        verify_timeout: 60
        zephra_cli: "{{ zephra_cli }}"
"""


def mac(host, n):
    return "00:1A:2B:3C:%02X:%02X" % (host, n)


def start_printers(build, hosts, printers):
    """printer-sim processes, and each host's printers as the play takes them."""
    sims, listed = [], {}
    for host in range(1, hosts + 1):
        for n in range(1, printers + 1):
            sims.append(subprocess.Popen(
                [os.path.join(build, "sim", "printer-sim"), "--model", "5", "--set", "mode=0",
                 "--set", "dhcp=0", "--set", "mac=" + mac(host, n), "--network",
                 NETWORK + ":" + KEY, "--join-delay", JOIN_DELAY],
                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True))
            listed.setdefault("host-%02d" % host, []).append(dict(
                port=sims[-1].stdout.readline().strip(),
                overrides=dict(ip_address=ADDRESS % (host, n))))
    return sims, listed


def stop(sims):
    for sim in sims:
        sim.terminate()
        sim.wait()
        sim.stdout.close()


def timed_play(build, work, hosts, printers, shared):
    """Seconds ansible-playbook takes over fresh printers; fails unless every printer joined."""
    sims, listed = start_printers(build, hosts, printers)
    try:
        inventory = os.path.join(work, "inventory.json")
        with open(inventory, "w", encoding="utf-8") as f:
            json.dump({"printers": {"hosts": dict((host, dict(host_printers=printers))
                                                  for host, printers in listed.items()),
                                    "vars": shared}}, f)
        env = dict(os.environ, ANSIBLE_COLLECTIONS_PATH=os.path.join(REPO, "ansible"),
                   ANSIBLE_COLLECTIONS_SCAN_SYS_PATH="0", HOME=work,
                   ANSIBLE_LOCAL_TEMP=os.path.join(work, "local"),
                   ANSIBLE_REMOTE_TEMP=os.path.join(work, "remote"), ANSIBLE_NOCOLOR="1")
        started = time.monotonic()
        run = subprocess.run([shutil.which("ansible-playbook"), "-i", inventory, "--forks",
                              str(max(hosts, 1)), os.path.join(work, "play.yml")], env=env,
                             cwd=work, capture_output=True, text=True)
        seconds = time.monotonic() - started
        if run.returncode != 0:
            raise SystemExit("ansible_hosts: the play failed:\n" + run.stdout + run.stderr)
        return seconds
    finally:
        stop(sims)


def main(build):
    cli = os.path.abspath(os.path.join(build, "cli", "zephra-cli"))
    with tempfile.TemporaryDirectory() as work:
        sims, listed = start_printers(build, 1, 1)
        profile = os.path.join(work, "profile.json")
        try:
            subprocess.run([cli, "read", "--yes", "--port", listed["host-01"][0]["port"],
                            "--out", profile], check=True, stdin=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
        finally:
            stop(sims)
        with open(profile, encoding="utf-8") as f:
            document = json.load(f)
        document["settings"].update(ssid=NETWORK, security="WPA", manual_security=True)
        with open(profile, "w", encoding="utf-8") as f:
            json.dump(document, f)
        with open(os.path.join(work, "play.yml"), "w", encoding="utf-8") as f:
            f.write(PLAY)
        shared = dict(ansible_connection="local", ansible_python_interpreter=sys.executable,
                      profile=profile, wlan_key=KEY, zephra_cli=cli)
        one, hosts = [], []
        for _ in range(RUNS):
            one.append(timed_play(build, work, 1, 1, shared))
            hosts.append(timed_play(build, work, HOSTS, PRINTERS, shared))
    ours, peer = statistics.median(hosts), statistics.median(one)
    print(f"BENCH ansible_hosts ours={ours:.3f} s peer={peer:.3f} s ratio={ours / peer:.2f}")


if __name__ == "__main__":
    main(sys.argv[1])
