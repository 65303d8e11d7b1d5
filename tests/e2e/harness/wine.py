"""Private Xvfb displays, booted Wine prefixes copied per test, and COM-port mapping."""

import ctypes
import fcntl
import os
import shutil
import signal
import subprocess
import tempfile
import time

READY_MARK = ".zephra-ready"
BOOT_TIMEOUT = 180


def _die_with_parent():
    # A test killed on time-out must not leave its X server or Wine programs behind.
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def _wine_version():
    return subprocess.run(["wine", "--version"], capture_output=True, text=True,
                          check=False).stdout.strip()


def _log(text):
    print(f"[harness] {text}", flush=True)


class Xvfb:
    """A private X server; Xvfb itself picks a free display number, so parallel tests never
    collide."""

    def __init__(self, timeout=20):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True, preexec_fn=_die_with_parent)
        os.close(write_fd)
        try:
            self.number = self._read_display(read_fd, timeout)
        except Exception:
            self.stop()
            raise
        finally:
            os.close(read_fd)
        self.display = f":{self.number}"

    def _read_display(self, fd, timeout):
        import select
        text = b""
        deadline = time.monotonic() + timeout
        while not text.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise TimeoutError("Xvfb did not report a display")
            chunk = os.read(fd, 64)
            if not chunk:
                raise RuntimeError("Xvfb exited before reporting a display")
            text += chunk
        return int(text.strip())

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-window", "root", "-display", self.display, path],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30,
                       check=False)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def _wine_env(prefix, display=None):
    env = dict(os.environ)
    env.update(WINEPREFIX=prefix, WINEDEBUG="-all", WINEARCH="win32",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    if display:
        env["DISPLAY"] = display
    else:
        env.pop("DISPLAY", None)
    return env


def ensure_base_prefix(path):
    """Boots the prefix that every test copies, once per build and Wine version; parallel
    callers wait on a lock and the first one boots it."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    version = _wine_version()
    with open(path + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        try:
            with open(os.path.join(path, READY_MARK)) as mark:
                if mark.read() == version:
                    return path
        except OSError:
            pass
        shutil.rmtree(path, ignore_errors=True)
        work = path + ".boot"
        shutil.rmtree(work, ignore_errors=True)
        started = time.monotonic()
        xvfb = Xvfb()
        env = _wine_env(work, xvfb.display)
        try:
            subprocess.run(["wineboot", "-i"], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=BOOT_TIMEOUT, check=True)
            subprocess.run(["wineserver", "-w"], env=env, timeout=BOOT_TIMEOUT, check=False)
        finally:
            subprocess.run(["wineserver", "-k"], env=env, timeout=30, check=False,
                           stderr=subprocess.DEVNULL)
            xvfb.stop()
        with open(os.path.join(work, READY_MARK), "w") as mark:
            mark.write(version)
        os.rename(work, path)
        _log(f"booted Wine prefix {path} in {time.monotonic() - started:.1f} s")
    return path


def _reg_escape(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def _append_registry(prefix, hive, key, values):
    """Adds values under a key to one of the prefix's registry files. Only while no wineserver
    runs for the prefix: the server reads the files when it starts and rewrites them at its end."""
    lines = ["", f"[{_reg_escape(key)}] {int(time.time())}"]
    lines += [f'"{_reg_escape(name)}"="{_reg_escape(value)}"' for name, value in values.items()]
    with open(os.path.join(prefix, hive), "a") as reg:
        reg.write("\n".join(lines) + "\n")


def _copy_prefix(base, dest):
    # Hard links make the copy instant; the files Wine rewrites in place (registry hives,
    # the update stamp) are real copies. Wine saves hives by writing a new file and renaming
    # it, so even a linked hive would not write through, but a plain copy costs nothing.
    subprocess.run(["cp", "-al", base, dest], check=True)
    for name in os.listdir(dest):
        if name.endswith(".reg") or name.startswith(".update"):
            target = os.path.join(dest, name)
            os.unlink(target)
            shutil.copy2(os.path.join(base, name), target)
    # There is no window manager on the test display. Hiding a managed window makes Wine wait
    # two seconds for the manager to withdraw it, at every closed dialog or message box;
    # unmanaged windows go at once, and Wine draws their captions itself for the screenshots.
    _append_registry(dest, "user.reg", r"Software\Wine\X11 Driver", {"Managed": "N"})


class WineSession:
    """A copy of the base prefix and a private display for one test. Always call close()."""

    def __init__(self, base_prefix, work_root, name):
        ensure_base_prefix(base_prefix)
        os.makedirs(work_root, exist_ok=True)
        self.root = tempfile.mkdtemp(prefix=f"{name}-", dir=work_root)
        self.prefix = os.path.join(self.root, "prefix")
        self.procs = []
        self.server_started = False
        self.xvfb = None
        _copy_prefix(base_prefix, self.prefix)
        try:
            self.xvfb = Xvfb()
        except Exception:
            self.close()
            raise
        self.env = _wine_env(self.prefix, self.xvfb.display)

    def map_ports(self, ports):
        """ports: {"COM1": "/dev/pts/N", ...}. Takes effect for programs started afterwards."""
        if not self.server_started:
            # Nothing has run in the prefix yet: writing the file saves starting Wine twice.
            _append_registry(self.prefix, "system.reg", r"Software\Wine\Ports", ports)
            return
        for name, target in ports.items():
            subprocess.run(["wine", "reg", "add", r"HKLM\Software\Wine\Ports", "/v", name,
                            "/d", target, "/f"], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=60, check=True)
        self.kill_server()

    def start(self, exe, args=(), **popen_args):
        """Starts a Windows program; stdin/stdout default to pipes (text, line-buffered)."""
        popen_args.setdefault("stdin", subprocess.PIPE)
        popen_args.setdefault("stdout", subprocess.PIPE)
        popen_args.setdefault("stderr", subprocess.DEVNULL)
        self.server_started = True
        proc = subprocess.Popen(["wine", exe, *args], env=self.env, start_new_session=True,
                                preexec_fn=_die_with_parent, **popen_args)
        self.procs.append(proc)
        return proc

    def _kill_stragglers(self):
        # A Wine program that was still starting when the server went down escapes
        # "wineserver -k"; it is found by the prefix in its environment.
        marker = f"WINEPREFIX={self.prefix}".encode()
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/environ", "rb") as env:
                    if marker not in env.read().split(b"\0"):
                        continue
                os.kill(int(pid), signal.SIGKILL)
            except (OSError, ValueError):
                pass

    def kill_server(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30, check=False,
                       stderr=subprocess.DEVNULL)

    def screenshot(self, path):
        if self.xvfb:
            self.xvfb.screenshot(path)

    def close(self):
        try:
            if hasattr(self, "env"):
                self.kill_server()
            for proc in self.procs:
                if proc.poll() is None:
                    try:
                        os.killpg(proc.pid, signal.SIGKILL)
                    except ProcessLookupError:
                        pass
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    pass
                for stream in (proc.stdin, proc.stdout):
                    if stream:
                        try:
                            stream.close()
                        except OSError:
                            pass
        finally:
            self._kill_stragglers()
            if self.xvfb:
                self.xvfb.stop()
            shutil.rmtree(self.root, ignore_errors=True)
