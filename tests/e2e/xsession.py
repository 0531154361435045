# SPDX-License-Identifier: BSD-3-Clause
"""A private X server with a window manager, for tests that need real windows."""
import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time

_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1

def _sandbox_fonts():
    """The private font set, read from tests/common/fontsandbox.h so that both agree."""
    common = os.path.join(os.path.dirname(__file__), "..", "common")
    with open(os.path.join(common, "fontsandbox.h")) as f:
        entries = re.findall(r'\{(KV_TEST_DATA )?"([^"]+)",\s*"([^"]+)",\s*\d+\}', f.read())
    paths = tuple(os.path.join(common, "data") + path if data else path for data, path, _ in entries)
    families = sorted({family for _, _, family in entries}, key=str.casefold)
    return paths, tuple(families)


SANDBOX_FONTS, SANDBOX_FAMILIES = _sandbox_fonts()


def _end_with_parent():
    # Whatever the session starts must not outlive a test that is killed (a CTest timeout).
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGTERM)


class SessionBus:
    """A D-Bus session bus and runtime directory of this process's own, for it and all it starts.

    Without one, programs would launch a bus per display themselves, and the accessibility bus
    would put its socket where every other test of the same user puts its own
    (~/.cache/at-spi/bus). The bus ends with this process, even when that is killed, and the
    services it started (the accessibility bus) end with the bus.
    """

    def __enter__(self):
        self.saved = {k: os.environ.get(k) for k in ("DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")}
        self.runtime = tempfile.mkdtemp(prefix="kv-session-")
        read, write = os.pipe()
        try:
            self.daemon = subprocess.Popen(
                ["dbus-daemon", "--session", "--nofork", f"--print-address={write}"],
                env=dict(os.environ, XDG_RUNTIME_DIR=self.runtime), pass_fds=(write,),
                stdin=subprocess.DEVNULL, preexec_fn=_end_with_parent)
        except BaseException:
            shutil.rmtree(self.runtime, ignore_errors=True)
            raise
        finally:
            os.close(write)
        try:
            address = b""
            while not address.endswith(b"\n"):
                if not select.select([read], [], [], 20)[0]:
                    raise RuntimeError("dbus-daemon gave no address in 20 s")
                chunk = os.read(read, 256)
                if not chunk:
                    raise RuntimeError(f"dbus-daemon ended ({self.daemon.poll()})")
                address += chunk
        except BaseException:
            self.__exit__(None, None, None)
            raise
        finally:
            os.close(read)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address.decode().strip()
        os.environ["XDG_RUNTIME_DIR"] = self.runtime
        return self

    def __exit__(self, *exc):
        self.daemon.terminate()
        try:
            self.daemon.wait(5)
        except subprocess.TimeoutExpired:
            self.daemon.kill()
            self.daemon.wait()
        for name, value in self.saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value
        shutil.rmtree(self.runtime, ignore_errors=True)
        return False


class XSession:
    """Xvfb on a free display plus openbox; everything it starts ends with it.

    With private_fonts, programs started in the session see only the private font set.
    """

    def __init__(self, size="1024x768", private_fonts=False):
        self.size = size
        self.private_fonts = private_fonts
        self.procs = []
        self.started = []
        self.wm = None
        self.display = None
        self.env = None
        self.tmp = None

    def __enter__(self):
        try:
            self._begin()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _begin(self):
        self.tmp = tempfile.mkdtemp(prefix="xsession-")
        # -noreset: the server must not reset whenever its last client leaves, or a client
        # connecting at that moment (openbox at start) is refused and gives up.
        read, write = os.pipe()
        try:
            self._spawn("Xvfb", ["Xvfb", "-displayfd", str(write), "-noreset", "-screen", "0",
                                 self.size + "x24", "-nolisten", "tcp"], pass_fds=(write,))
        finally:
            os.close(write)
        try:
            self.display = ":" + self._read_display(read, self.procs[-1])
        finally:
            os.close(read)
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        if self.private_fonts:
            self.env.pop("FONTCONFIG_PATH", None)
            self.env["FONTCONFIG_FILE"] = self._font_sandbox()
        self._start_window_manager()

    def _log_path(self, name):
        return os.path.join(self.tmp, name + ".log")

    def _log(self, name):
        try:
            with open(self._log_path(name), errors="replace") as f:
                text = f.read().strip()
        except OSError:
            text = ""
        return f"\n--- {name} output ---\n{text or '(none)'}"

    def _spawn(self, name, args, **kwargs):
        with open(self._log_path(name), "wb") as log:
            p = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                 preexec_fn=_end_with_parent, **kwargs)
        self.procs.append(p)
        return p

    def _read_display(self, fd, xvfb, timeout=20.0):
        number = b""
        deadline = time.monotonic() + timeout
        while not number.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise RuntimeError(f"Xvfb gave no display in {timeout:.0f} s" + self._log("Xvfb"))
            chunk = os.read(fd, 16)
            if not chunk:
                raise RuntimeError(f"Xvfb ended before it was ready ({xvfb.poll()})" + self._log("Xvfb"))
            number += chunk
        return number.decode().strip()

    def _start_window_manager(self, timeout=20.0):
        # One client stays connected and reports the root's properties as they change; a new
        # connection per poll would add a client that comes and goes all the time. (All of them:
        # xprop cannot spy on an atom that does not exist yet.) openbox announces itself with
        # _NET_SUPPORTING_WM_CHECK early in its start-up, but a window mapped before the start-up
        # ends may never be managed; the client list is written at its end.
        spy = subprocess.Popen(["stdbuf", "-oL", "xprop", "-root", "-spy"], env=self.env,
                               stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               preexec_fn=_end_with_parent)
        try:
            wm = self.wm = self._spawn("openbox", ["openbox", "--sm-disable"], env=self.env)
            fd = spy.stdout.fileno()
            seen = b""
            deadline = time.monotonic() + timeout
            while b"_NET_CLIENT_LIST(WINDOW)" not in seen:
                if wm.poll() is not None:
                    raise RuntimeError(f"openbox ended with code {wm.returncode} before it managed "
                                       f"the screen" + self._log("openbox"))
                if time.monotonic() > deadline:
                    raise TimeoutError(f"timed out after {timeout:.0f} s waiting for the window manager"
                                       + self._log("openbox"))
                if select.select([fd], [], [], 0.1)[0]:
                    chunk = os.read(fd, 4096)
                    if not chunk:
                        raise RuntimeError(f"xprop ended: {seen.decode(errors='replace')}"
                                           + self._log("openbox"))
                    seen += chunk
        finally:
            spy.kill()
            spy.wait()
            spy.stdout.close()

    def _font_sandbox(self):
        fonts = os.path.join(self.tmp, "fonts")
        os.mkdir(fonts)
        for path in SANDBOX_FONTS:
            shutil.copy(path, fonts)
        conf = os.path.join(self.tmp, "fonts.conf")
        with open(conf, "w") as f:
            f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n'
                    f'<fontconfig><dir>{fonts}</dir><cachedir>{self.tmp}/cache</cachedir></fontconfig>\n')
        return conf

    def __exit__(self, *exc):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        self.procs.clear()
        self.started.clear()
        if self.tmp:
            shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None
        return False

    def run(self, *args, check=False):
        r = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=20)
        if check and r.returncode != 0:
            raise RuntimeError(f"{args} failed: {r.stderr}")
        return r.stdout

    def start(self, *args, extra_env=None):
        """Starts a program in the session; its output goes to a log shown when a wait fails."""
        env = dict(self.env, **(extra_env or {}))
        name = f"{os.path.basename(args[0])}-{len(self.started) + 1}"
        p = self._spawn(name, args, env=env)
        self.started.append((name, p))
        return p

    def _check_programs(self):
        """Fails at once when the window manager or a started program has failed."""
        if self.wm.poll() is not None:
            raise RuntimeError(f"openbox ended with code {self.wm.returncode}" + self._log("openbox"))
        for name, p in self.started:
            if p.poll() not in (None, 0):
                raise RuntimeError(f"{name} ended with code {p.returncode}" + self._log(name))

    def _programs_report(self):
        return "".join(f"\n{name}: {'running' if p.poll() is None else f'ended, code {p.returncode}'}"
                       + self._log(name) for name, p in self.started)

    @staticmethod
    def wait_for(predicate, what, timeout=15.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = predicate()
            if value:
                return value
            time.sleep(0.05)
        raise TimeoutError(f"timed out waiting for {what}")

    def find_window(self, title, timeout=20.0):
        def search():
            self._check_programs()
            out = self.run("xdotool", "search", "--onlyvisible", "--name", "^" + title + "$").split()
            return out[0] if out else None
        try:
            return self.wait_for(search, f"window '{title}'", timeout)
        except TimeoutError as e:
            raise TimeoutError(str(e) + self._programs_report()) from None

    def client_geometry(self, wid):
        """(x, y, width, height) of the client area in root coordinates."""
        out = self.run("xwininfo", "-id", wid)
        def field(name):
            for line in out.splitlines():
                if line.strip().startswith(name):
                    return int(line.split(":")[1])
            raise ValueError(name)
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"),
                field("Width"), field("Height"))

    def frame_extents(self, wid):
        """(left, right, top, bottom) of the window manager's frame."""
        out = self.run("xprop", "-id", wid, "_NET_FRAME_EXTENTS")
        if "=" not in out:
            return None
        return tuple(int(v) for v in out.split("=")[1].split(","))

    def outer_geometry(self, wid):
        x, y, w, h = self.client_geometry(wid)
        left, right, top, bottom = self.frame_extents(wid)
        return (x - left, y - top, w + left + right, h + top + bottom)

    def screenshot(self, path):
        self.run("import", "-window", "root", path, check=True)


class Results:
    """Collects named checks; ends with the plain 'N passed, N failed' line."""

    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, name, ok, detail=""):
        if ok:
            self.passed += 1
            print(f"PASS {name}")
        else:
            self.failed += 1
            print(f"FAIL {name} {detail}")

    def finish(self):
        print(f"{self.passed} passed, {self.failed} failed")
        return 0 if self.failed == 0 and self.passed > 0 else 1
