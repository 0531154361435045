"""A private X server with a window manager, for tests that need real windows."""
import os
import subprocess
import time


class XSession:
    """Xvfb on a free display plus openbox; everything it starts ends with it."""

    def __init__(self, size="1024x768"):
        self.size = size
        self.procs = []
        self.display = None

    def __enter__(self):
        read, write = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", self.size + "x24", "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        self.procs.append(xvfb)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline:
                raise RuntimeError("Xvfb did not start")
            chunk = os.read(read, 16)
            if not chunk:
                raise RuntimeError("Xvfb exited")
            number += chunk
        os.close(read)
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(wm)
        self.wait_for(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.run("xprop", "-root"),
                      "window manager")
        return self

    def __exit__(self, *exc):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        return False

    def run(self, *args, check=False):
        r = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=20)
        if check and r.returncode != 0:
            raise RuntimeError(f"{args} failed: {r.stderr}")
        return r.stdout

    def start(self, *args, extra_env=None):
        env = dict(self.env, **(extra_env or {}))
        p = subprocess.Popen(args, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.procs.append(p)
        return p

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
            out = self.run("xdotool", "search", "--onlyvisible", "--name", "^" + title + "$").split()
            return out[0] if out else None
        return self.wait_for(search, f"window '{title}'", timeout)

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
