#!/usr/bin/python3
"""What Orca speaks of every window, driven from the keyboard alone: each focus stop, the feeding
timer's status as it appears, the suggestion applied by Enter (at once from Qt 6.8). Speech goes to
speech-dispatcher's dummy module; what Orca speaks is read from its debug log. Openbox gives the
focus back to the main window when a window closes.

  tests/support/private-desktop --wm openbox --atspi -- orca_test.py PROGRAM
"""
import contextlib
import glob
import os
import pty
import re
import shutil
import subprocess
import sys
import threading
import time

from desktop_session import Desktop, report, wait_for

FAKETIME = next(iter(glob.glob("/usr/lib/*/faketime/libfaketime.so.1")), None)

# From Qt 6.8 the program can have the applied suggestion spoken while the focus stays in the list.
QT_ANNOUNCES = tuple(int(part) for part in os.environ.get("ROTENU_QT_VERSION", "0.0").split(".")[:2]) >= (6, 8)

# Each step: the keys, then what Orca must have said since the keys before (every fragment, in
# one utterance or several).
STEPS = [
    ("main window", [], ["ろてぬ Ver1.05", "プレイヤーネーム", "text"]),
    ("empty ID field", ["Tab"], ["生成ＩＤ", "read only text", "プレイヤーネームのセクションID"]),
    ("name typed", ["shift+Tab", "A"], ["プレイヤーネーム"]),
    ("ID field", ["Tab"], ["生成ＩＤ", "ID:5 PINKAL (Code:5)"]),
    ("algorithm", ["Tab"], ["ぽてまさん版", "radio button"]),
    ("wanted ID", ["Tab"], ["名前補足", "combo box", "ID:0 VIRIDIA"]),
    ("wanted ID changed", ["Down"], ["ID:1 GREENNILL"]),
    ("suggestion list", ["Tab"], ["名前補足", "List with"]),  # Orca 48 counts the rows in view
    ("first suggestion", ["Down"], ["!"]),
    ("suggestion applied", ["Return"], ["A! ID:"] if QT_ANNOUNCES else []),
    ("name field", ["Tab"], ["プレイヤーネーム", "A!"]),
    ("tool menu", ["alt+t"], ["マグえさタイマー"]),
    ("feeding timer", ["Return"], ["マグえさタイマー", "毎周期アラーム", "停止中"]),
    ("every-cycle alarm", ["space"], ["毎周期アラーム動作中"]),
    ("one-cycle alarm", ["Tab", "space"], ["一周期アラーム", "一周期アラーム動作中"]),
    ("one-cycle alarm ended", ["+clock"], ["一周期アラーム終了"]),
    ("alarm stopped", ["Tab", "space"], ["アラーム中止", "停止中"]),
    ("close button", ["Tab"], ["閉じる"]),
    ("wait time", ["Tab"], ["毎周期エサやり待ち時間", "３０秒"]),
    ("wait time changed", ["Down"], ["４０秒"]),
    ("timer closed", ["shift+Tab", "space"], ["ろてぬ Ver1.05", "プレイヤーネーム"]),
    ("help menu", ["alt+h"], ["バージョン(A)"]),
    ("version dialog", ["a"], ["バージョン情報", "ろてぬ Ver1.5", "閉じる"]),
    ("web button", ["Tab"], ["Web表示"]),
    ("web page list", ["Tab"], ["[VARKO  WebPage]"]),
    ("web page changed", ["Down"], ["[ぽてま WebPage]"]),
    ("version dialog closed", ["Escape"], ["ろてぬ Ver1.05"]),
]

# Right after a window closes, an Alt chord can reach the main window before the focus does: a
# menu's keys are pressed again, as a user would.
MENUS = ("tool menu", "help menu")


def press(desktop, key):
    """A key, or a chord as a user presses it: the modifier held a moment before and after."""
    *modifiers, last = key.split("+")
    hold = [word for modifier in modifiers for word in ("keydown", modifier, "sleep", "0.15")]
    release = [word for modifier in reversed(modifiers) for word in ("sleep", "0.15", "keyup", modifier)]
    subprocess.run(["xdotool", *hold, "key", last, *release], env=desktop.env, check=True)


def copy_terminal(terminal, log):
    """Copies what Orca writes on its terminal into the log as it comes, until Orca closes it."""
    with contextlib.suppress(OSError):
        while data := os.read(terminal, 65536):
            log.write(data)
            log.flush()


class Speech:
    """What Orca says, read from its log as the log grows. An utterance that the log holds only
    the start of yet is read once its end has come."""

    def __init__(self, path):
        self.log, self.unread = open(path, encoding="utf-8", errors="replace"), ""

    def more(self):
        self.unread += self.log.read()
        found = list(re.finditer(r"SPEECH OUTPUT: '(.*?)'", self.unread, re.DOTALL))
        if found:
            self.unread = self.unread[found[-1].end():]
        return [utterance.group(1) for utterance in found]

    def settled(self, expected, patience=30.0, quiet=1.0):
        """What Orca said since last asked: once it has said every expected fragment (or
        `patience` has run out) and then nothing more for `quiet` seconds."""
        lines, deadline = [], time.monotonic() + patience
        while time.monotonic() < deadline:
            time.sleep(quiet)
            more = self.more()
            lines += more
            if not more and all(fragment in " ".join(lines) for fragment in expected):
                break
        return lines


def main():
    if not (shutil.which("orca") and FAKETIME and os.path.exists("/usr/lib/speech-dispatcher-modules/sd_dummy")):
        print("orca_test: Orca, speech-dispatcher or libfaketime is not installed (scripts/setup test)")
        return 77
    # Orca runs once a user: one already running may be that user's screen reader, never replaced.
    if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True).returncode == 0:
        print("orca_test: another Orca runs for this user; it is left alone")
        return 77
    with Desktop() as desktop:
        desktop.write("home/.config/speech-dispatcher/speechd.conf",
                      'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\nAudioOutputMethod "libao"\n')
        clock = desktop.write("clock-offset", "+0\n")
        desktop.env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", GTK_MODULES="", NO_AT_BRIDGE="0")
        log_path = desktop.path("orca.log")
        # Orca writes its log through a buffer, unless the log is a terminal: a pseudo-terminal
        # is its log, copied into a file as it comes.
        terminal, orca_side = pty.openpty()
        orca = subprocess.Popen(["orca", "--debug-file", "/dev/stdout"], env=desktop.env,
                                stdout=orca_side, stderr=subprocess.DEVNULL)
        os.close(orca_side)
        desktop.programs.append(orca)
        threading.Thread(target=copy_terminal, args=(terminal, open(log_path, "wb")), daemon=True).start()
        speaks = lambda: "SPEECH OUTPUT" in open(log_path, errors="replace").read()
        wait_for(lambda: orca.poll() is not None or speaks(), 30, 0.5)
        if orca.poll() is not None or not speaks():
            return report(["Orca did not start speaking"])
        # libfaketime is preloaded ahead of a sanitizer build's own runtime, which ASan then allows.
        program = desktop.start(sys.argv[1], LD_PRELOAD=FAKETIME, FAKETIME_TIMESTAMP_FILE=clock, FAKETIME_CACHE_DURATION="1",
                                ASAN_OPTIONS=":".join(filter(None, [os.environ.get("ASAN_OPTIONS"), "verify_asan_link_order=0"])))
        desktop.keys(desktop.window("ろてぬ Ver1.05"))  # the focus, no key
        speech = Speech(log_path)
        failures = []
        for what, keys, expected in STEPS:
            if orca.poll() is not None:
                failures.append(f"Orca ended (status {orca.returncode}) before {what}")
                break
            lines = []
            for _ in range(2 if what in MENUS else 1):
                for key in keys:
                    if key == "+clock":
                        # Most of the feeding period passes in steps shorter than D-Bus's 25-s call
                        # timeout, which one leap would expire for every call under way; the rest
                        # as usual. libfaketime reads the offset once a second.
                        for offset in range(20, 201, 20):
                            desktop.write("clock-offset", f"+{offset}\n")
                            time.sleep(1.1)
                    else:
                        press(desktop, key)
                    time.sleep(0.4)
                # The alarm's end comes up to ten seconds after the clock's jump, which a loaded
                # machine may take long to catch up with.
                lines += speech.settled(expected, patience=60.0 if "+clock" in keys else 30.0)
                if not (missing := [fragment for fragment in expected if fragment not in " ".join(lines)]):
                    break
            print(f"{what}: {lines}")
            if missing:
                failures.append(f"{what}: Orca did not say {missing}; it said {lines}")
        if failures:
            ended = program.poll()
            print("the program", "still runs" if ended is None else f"ended with status {ended}", "; it said:")
            print(open(program.stderr_path, errors="replace").read()[-4000:])
        desktop.stop(program)
        if failures and os.environ.get("ORCA_TEST_KEEP_LOG"):
            shutil.copy(log_path, os.environ["ORCA_TEST_KEEP_LOG"])
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
