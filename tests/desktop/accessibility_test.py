#!/usr/bin/python3
"""What a screen reader reads of the windows, through AT-SPI on a private session bus.

  dbus-run-session -- accessibility_test.py PROGRAM
"""
import os
import subprocess
import sys
import time

import pyatspi

from desktop_session import Desktop


def find(node, role, name=None, depth=0):
    if node is None or depth > 20:
        return None
    if node.getRoleName() == role and (name is None or node.name == name):
        return node
    for i in range(node.childCount):
        hit = find(node.getChildAtIndex(i), role, name, depth + 1)
        if hit:
            return hit
    return None


def labels_of(node):
    return [relation.getTarget(0).name for relation in node.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY]


def wait_for(what, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def press_menu_item(application, name):
    find(application, "menu item", name).queryAction().doAction(0)


def main():
    program = sys.argv[1]
    if len(sys.argv) > 2:  # a child that presses a menu item whose dialog runs modally
        application = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "rotenu"), None))
        press_menu_item(application, sys.argv[2])
        return 0

    failures = []

    def check(condition, what):
        if not condition:
            failures.append(what)

    with Desktop() as desktop:
        bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=desktop.env)
        desktop.programs.append(bus)
        rotenu = desktop.start(program, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        try:
            desktop.window("ろてぬ Ver1.05")
        except AssertionError:
            print(open(rotenu.stderr_path).read())
            raise
        os.environ.update(DISPLAY=desktop.display)
        application = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "rotenu"), None))
        assert application, "the program does not show up on the accessibility bus"
        main_window = find(application, "frame", "ろてぬ Ver1.05")

        # Fields and lists by their names, combo boxes by the label that names them (their name
        # is their current text).
        for role, name in [("text", "プレイヤーネーム"), ("text", "生成ＩＤ"), ("list", "名前補足の候補")]:
            check(find(main_window, role, name), f"main window: no {role} named {name}")
        combo = find(main_window, "combo box")
        check(combo and labels_of(combo) == ["名前補足"], f"wanted ID list labelled by {combo and labels_of(combo)}")
        check(find(application, "menu item", "隠しコスチュームの名前とWAVファイルの置き場所"), "blank help item has no name")

        press_menu_item(application, "マグえさタイマー")
        timer = wait_for(lambda: find(application, "dialog", "マグえさタイマー") or find(application, "frame", "マグえさタイマー"))
        check(timer and find(timer, "progress bar", "エサやり周期の経過"), "timer: progress bar has no name")
        combo = timer and find(timer, "combo box")
        check(combo and labels_of(combo) == ["毎周期エサやり待ち時間"], "timer: wait time list has no label")

        # The version dialog runs modally: the menu item's action answers only when it closes.
        presser = subprocess.Popen([sys.executable, __file__, program, "バージョン(A)"], env=os.environ,
                                   stderr=subprocess.DEVNULL)
        desktop.programs.append(presser)
        dialog = wait_for(lambda: find(application, "dialog", "バージョン情報") or find(application, "frame", "バージョン情報"))
        texts = [] if not dialog else [dialog.getChildAtIndex(i) for i in range(dialog.childCount)]
        texts = [t.name for t in texts if t and t.getRoleName() == "label"]
        check("ろてぬ Ver1.5\n\nProgramCode: ヴァルコ／Varko\n(PSO CharacterName: Varko_??????)" in texts,
              f"version dialog: About text not readable among {texts}")
        check("●ID Algorithm1: ぽてま\n●ID Algorithm2: Ｋｏｒ" in texts, f"version dialog: credits not readable among {texts}")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{'0 failed' if not failures else str(len(failures)) + ' failed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
