#!/usr/bin/python3
"""What a screen reader reads of the windows, through AT-SPI on a private session bus.

  tests/support/private-desktop --atspi -- accessibility_test.py PROGRAM
"""
import subprocess
import sys

import pyatspi

from desktop_session import Desktop, report, wait_for


def find(node, role, name=None):
    if node is None or node.getRoleName() == role and name in (None, node.name):
        return node
    return next(filter(None, (find(node.getChildAtIndex(i), role, name) for i in range(node.childCount))), None)


def labels_of(node):
    return node and [r.getTarget(0).name for r in node.getRelationSet()
                     if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]


def application():
    return wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "rotenu"), None))


def press_menu_item(name):
    find(application(), "menu item", name).queryAction().doAction(0)


def main():
    if len(sys.argv) > 2:  # a child that presses a menu item whose dialog runs modally
        return press_menu_item(sys.argv[2])
    with Desktop() as desktop:
        desktop.start(sys.argv[1], QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        desktop.window("ろてぬ Ver1.05")
        app = application()
        main_window = find(app, "frame", "ろてぬ Ver1.05")
        # Fields and lists by their names; a combo box's name is its current text, the label that
        # names it is its "labelled by" relation.
        checks = [(find(main_window, role, name), f"main window: no {role} named {name}")
                  for role, name in [("text", "プレイヤーネーム"), ("text", "生成ＩＤ"), ("list", "名前補足の候補")]]
        checks += [(labels_of(find(main_window, "combo box")) == ["名前補足"], "wanted-ID list has no label"),
                   (find(app, "menu item", "隠しコスチュームの名前とWAVファイルの置き場所"), "blank help item has no name")]

        press_menu_item("マグえさタイマー")
        timer = wait_for(lambda: find(app, "dialog", "マグえさタイマー"))
        checks += [(find(timer, "progress bar", "エサやり周期の経過"), "timer: progress bar has no name"),
                   (labels_of(find(timer, "combo box")) == ["毎周期エサやり待ち時間"], "timer: wait list has no label")]

        # The version dialog runs modally: the menu item's action answers only once it closes.
        desktop.programs.append(subprocess.Popen([sys.executable, __file__, sys.argv[1], "バージョン(A)"],
                                                 stderr=subprocess.DEVNULL))
        dialog = wait_for(lambda: find(app, "dialog", "バージョン情報"))
        roles = {child.name: child.getRoleName() for child in (dialog or [])}
        for text, role in [("ろてぬのアイコン", "image"),
                           ("ろてぬ Ver1.5\n\nProgramCode: ヴァルコ／Varko\n(PSO CharacterName: Varko_??????)", "label"),
                           ("●ID Algorithm1: ぽてま\n●ID Algorithm2: Ｋｏｒ", "label")]:
            checks.append((roles.get(text) == role, f"version dialog: no {role} {text!r} among {roles}"))
    return report([what for passed, what in checks if not passed])


if __name__ == "__main__":
    sys.exit(main())
