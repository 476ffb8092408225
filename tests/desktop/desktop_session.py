"""A throwaway home and runtime folder for the programs that a test starts on the display it runs
on (tests/support/private-desktop), so that nothing is shared with other tests."""
import os
import subprocess
import tempfile
import time


def wait_for(what, timeout=20.0, every=0.1):
    """The first true answer of what() within timeout seconds, else its last."""
    deadline = time.monotonic() + timeout
    while not (found := what()) and time.monotonic() < deadline:
        time.sleep(every)
    return found


class Desktop:
    def __init__(self):
        self.root = tempfile.TemporaryDirectory(prefix="rotenu-desktop-", ignore_cleanup_errors=True)
        self.home, runtime = self.path("home"), self.path("runtime")
        for folder in (self.home, runtime):
            os.makedirs(folder, mode=0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("XDG_CURRENT_DESKTOP", "KDE_SESSION_VERSION", "QT_STYLE_OVERRIDE", "QT_QPA_PLATFORMTHEME")}
        self.env.update(HOME=self.home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
                        XDG_CONFIG_HOME=self.path("home/.config"), XDG_DATA_HOME=self.path("home/data"))
        self.programs = []

    def path(self, name):
        return os.path.join(self.root.name, name)

    def write(self, name, text):
        """Writes the file `name` of the desktop's folder ("home/..." for one in the home); its path."""
        os.makedirs(os.path.dirname(path := self.path(name)), exist_ok=True)
        # Whole at once: a program reading it (libfaketime its clock offset) never sees it empty.
        with open(path + ".new", "w") as f:
            f.write(text)
        os.replace(path + ".new", path)
        return path

    def start(self, program, **env):
        """Starts the program; its standard error goes to the file process.stderr_path."""
        stderr_path = self.path(f"stderr-{len(self.programs)}")
        with open(stderr_path, "w") as stderr:
            process = subprocess.Popen([program], env=dict(self.env, **env), cwd=self.home,
                                       stdout=subprocess.DEVNULL, stderr=stderr)
        process.stderr_path = stderr_path
        self.programs.append(process)
        return process

    def stop(self, process):
        """Ends a program gently, or for good after five seconds."""
        process.terminate()  # nothing, where it has ended
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()

    def window(self, title, timeout=20.0):
        """The X window id of the visible window titled exactly so."""
        visible = lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                                         env=self.env, capture_output=True, text=True).stdout.split()
        if not (found := wait_for(visible, timeout)):
            raise AssertionError(f"no window titled {title!r} appeared")
        time.sleep(0.5)  # the first paint
        return found[0]

    def keys(self, window, *keys):
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=self.env, check=False)
        for key in keys:
            subprocess.run(["xdotool", "key", key], env=self.env, check=True)
            time.sleep(0.1)

    def close(self):
        for process in self.programs:
            self.stop(process)
            process.wait()
        # What the programs spawned on their own and outlives them (speech-dispatcher, which Orca
        # starts) names its socket in this folder: it ends with the folder.
        subprocess.run(["pkill", "-u", str(os.getuid()), "-f", self.root.name], check=False)
        time.sleep(0.2)
        self.root.cleanup()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def report(failures):
    """Prints each failure and their count; the exit status of the test."""
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(failures)} failed")
    return 1 if failures else 0
