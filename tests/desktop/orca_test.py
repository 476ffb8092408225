#!/usr/bin/python3
"""What Orca speaks of every window, driven from the keyboard alone: each focus stop, the feeding
timer's status as it appears, the suggestion applied by Enter. Speech goes to speech-dispatcher's
dummy module; what Orca speaks is read from its debug log. Openbox gives the focus back to the
main window when a window closes.

  tests/support/private-desktop --wm openbox --atspi -- orca_test.py PROGRAM
"""
import glob
import os
import pty
import shutil
import re
import subprocess
import sys
import threading
import time

from desktop_session import Desktop, report

FAKETIME = next(iter(glob.glob("/usr/lib/*/faketime/libfaketime.so.1")), None)

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
    ("suggestion applied", ["Return", "Tab"], ["プレイヤーネーム", "A!"]),
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


MENUS = ("tool menu", "help menu")


def press(desktop, key):
    """A key, or a chord as a user presses it: the modifier held a moment before and after."""
    *modifiers, last = key.split("+")
    xdotool = lambda *args: subprocess.run(["xdotool", *args], env=desktop.env, check=True)
    for modifier in modifiers:
        xdotool("keydown", modifier)
        time.sleep(0.15)
    xdotool("key", last)
    for modifier in reversed(modifiers):
        time.sleep(0.15)
        xdotool("keyup", modifier)


def copy_terminal(terminal, path):
    with open(path, "wb") as log:
        while True:
            try:
                data = os.read(terminal, 65536)
            except OSError:
                return
            if not data:
                return
            log.write(data)
            log.flush()


def spoken(log_path, start):
    with open(log_path, encoding="utf-8", errors="replace") as log:
        log.seek(start)
        text = log.read()
    return re.findall(r"SPEECH OUTPUT: '(.*?)'", text, re.DOTALL), start + len(text.encode("utf-8", errors="replace"))


def settled_speech(log_path, start, expected, patience=30.0, quiet=1.0):
    """What Orca said from `start` on: once it has said every expected fragment (or `patience`
    has run out) and then nothing more for `quiet` seconds."""
    lines, position = [], start
    deadline = time.monotonic() + patience
    while time.monotonic() < deadline:
        time.sleep(quiet)
        more, position = spoken(log_path, position)
        lines += more
        said = " ".join(lines)
        if not more and all(fragment in said for fragment in expected):
            break
    return lines, position


def main():
    if not (shutil.which("orca") and FAKETIME and os.path.exists("/usr/lib/speech-dispatcher-modules/sd_dummy")):
        print("orca_test: Orca, speech-dispatcher or libfaketime is not installed (scripts/setup test)")
        return 77
    # Orca runs once a user: one already running may be that user's screen reader, never replaced.
    if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True).returncode == 0:
        print("orca_test: another Orca runs for this user; it is left alone")
        return 77
    with Desktop() as desktop:
        config = os.path.join(desktop.env["XDG_CONFIG_HOME"], "speech-dispatcher")
        os.makedirs(config)
        with open(os.path.join(config, "speechd.conf"), "w") as conf:
            conf.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\nAudioOutputMethod "libao"\n')
        clock = os.path.join(desktop.root.name, "clock-offset")
        with open(clock, "w") as offset:
            offset.write("+0\n")
        desktop.env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           GTK_MODULES="", NO_AT_BRIDGE="0")
        log_path = os.path.join(desktop.root.name, "orca.log")
        # Orca writes its log through a buffer, unless the log is a terminal: a pseudo-terminal
        # is its log, copied into a file as it comes.
        terminal, orca_side = pty.openpty()
        orca = subprocess.Popen(["orca", "--debug-file", "/dev/stdout"], env=desktop.env,
                                stdout=orca_side, stderr=subprocess.DEVNULL)
        os.close(orca_side)
        desktop.programs.append(orca)
        threading.Thread(target=copy_terminal, args=(terminal, log_path), daemon=True).start()
        deadline = time.monotonic() + 30
        while not (os.path.exists(log_path) and "SPEECH OUTPUT" in open(log_path, errors="replace").read()):
            if time.monotonic() > deadline or orca.poll() is not None:
                return report(["Orca did not start speaking"])
            time.sleep(0.5)
        # libfaketime is preloaded ahead of a sanitizer build's own runtime, which ASan then allows.
        sanitizer = os.environ.get("ASAN_OPTIONS", "")
        program = desktop.start(sys.argv[1], LD_PRELOAD=FAKETIME, FAKETIME_TIMESTAMP_FILE=clock,
                                FAKETIME_CACHE_DURATION="1",
                                ASAN_OPTIONS=(sanitizer + ":" if sanitizer else "") + "verify_asan_link_order=0")
        desktop.keys(desktop.window("ろてぬ Ver1.05"))  # the focus, no key
        position = 0
        failures = []
        for what, keys, expected in STEPS:
            if orca.poll() is not None:
                failures.append(f"Orca ended (status {orca.returncode}) before {what}")
                break
            for key in keys:
                if key == "+clock":  # most of the feeding period passes at once, the rest as usual
                    with open(clock, "w") as offset:
                        offset.write("+200\n")
                else:
                    press(desktop, key)
                time.sleep(0.4)
            lines, position = settled_speech(log_path, position, expected)
            if what in MENUS and not all(fragment in " ".join(lines) for fragment in expected):
                # Right after a window closes, an Alt chord can reach the main window before the
                # focus does: pressed again, as a user would.
                for key in keys:
                    press(desktop, key)
                more, position = settled_speech(log_path, position, expected)
                lines += more
            print(f"{what}: {lines}")
            said = " ".join(lines)
            missing = [fragment for fragment in expected if fragment not in said]
            if missing:
                failures.append(f"{what}: Orca did not say {missing}; it said {lines}")
        desktop.stop(program)
        if failures and os.environ.get("ORCA_TEST_KEEP_LOG"):
            shutil.copy(log_path, os.environ["ORCA_TEST_KEEP_LOG"])
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
