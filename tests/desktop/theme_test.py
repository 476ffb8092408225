#!/usr/bin/python3
"""Contrast of every text whose colour the windows fix, measured on the pixels of the real windows
under a light desktop, KDE's Breeze Dark and GNOME's Adwaita-dark; and the one line that the
program prints where no Japanese font is installed, or no display can be opened.

  private-desktop -- theme_test.py PROGRAM [--screenshots DIR]    prints the contrast table; fails below 4.5:1
"""
import argparse
import collections
import os
import subprocess
import sys
import time

from desktop_session import Desktop, report

# The keys of KDE's Breeze Dark colour scheme that Qt's KDE theme reads.
BREEZE_DARK = "".join(f"[Colors:{group}]\nBackgroundNormal={rgb}\nForegroundNormal=252,252,252\n" for group, rgb in
                      [("Button", "49,54,59"), ("Selection", "61,174,233"), ("View", "27,30,32"), ("Window", "42,46,50")])

# Fixed-colour texts: window, what is shown, the text's box in client pixels (None for the version
# dialog's list, placed by the dialog's own layout).
# The least contrast a text may have: 4.5:1, but pure red on the button face, the design's own
# pair, reads at 3.48:1 on any desktop; it must read no worse than that.
LEAST_CONTRAST = {"毎周期アラーム動作中, red": 3.45}
BLACK, RED, BLUE = (0, 0, 0), (255, 0, 0), (0, 0, 255)
TEXTS = [
    ("main", "name field, black", (8, 96, 289, 20), BLACK),
    ("main", "ID field, black on orange", (8, 144, 289, 20), BLACK),  # the ID of Rico-7: ORAN
    ("main", "wanted-ID list, black", (8, 192, 265, 20), BLACK),
    ("main", "suggestion list, blue", (8, 216, 289, 97), BLUE),
    ("timer", "停止中, black", (8, 8, 233, 12), BLACK),
    ("timer-every", "毎周期アラーム動作中, red", (8, 8, 233, 12), RED),
    ("timer-one", "一周期アラーム動作中, blue", (8, 8, 233, 12), BLUE),
    ("version", "web page list, blue", None, BLUE),
]


def contrast(a, b):
    def luminance(rgb):
        r, g, b = (c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4 for c in (c / 255 for c in rgb))
        return 0.2126 * r + 0.7152 * g + 0.0722 * b
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


class Shot:
    """A window's pixels, once two captures in a row agree (the window has finished painting)."""

    def __init__(self, desktop, window, save_as=None):
        capture = lambda: subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"], env=desktop.env,
                                         capture_output=True, check=True).stdout
        data, previous = capture(), None
        for _ in range(20):
            if data == previous:
                break
            time.sleep(0.2)
            data, previous = capture(), data
        if save_as:
            subprocess.run(["convert", "ppm:-", save_as], input=data, check=True)
        header = data.split(maxsplit=4)  # P6 width height maxval, then the pixels after one blank
        self.width, self.height = int(header[1]), int(header[2])
        self.pixels = data[len(data) - 3 * self.width * self.height:]

    def colours(self, x, y, w, h, inset=3):
        """How many pixels of each colour the box holds, its frame left out."""
        return collections.Counter(tuple(self.pixels[i:i + 3]) for row in range(y + inset, y + h - inset)
                                   for i in range(3 * (row * self.width + x + inset), 3 * (row * self.width + x + w - inset), 3))


def measure(program, env, home_files, screenshots):
    results = {}
    with Desktop() as desktop:
        for path, content in home_files.items():
            desktop.write(os.path.join("home", path), content)
        desktop.start(program, **env)
        main = desktop.window("ろてぬ Ver1.05")
        desktop.keys(main, "R", "i", "c", "o", "minus", "7")
        shots = {"main": Shot(desktop, main, screenshots and os.path.join(screenshots, "main-window-dark.png"))}
        desktop.keys(main, "alt+t", "Return")
        timer = desktop.window("マグえさタイマー")
        shots["timer"] = Shot(desktop, timer)
        desktop.keys(timer, "space")  # the every-cycle alarm, whose button has the focus
        shots["timer-every"] = Shot(desktop, timer)
        desktop.keys(timer, "Tab", "space")  # the one-cycle alarm
        shots["timer-one"] = Shot(desktop, timer, screenshots and os.path.join(screenshots, "feeding-timer-dark.png"))
        desktop.keys(timer, "Escape")
        desktop.keys(main, "alt+h", "a")
        shots["version"] = Shot(desktop, desktop.window("バージョン情報"))
        for window, what, box, text in TEXTS:
            shot = shots[window]
            if window == "main":  # below the menu bar, whose height follows the font
                box = (box[0], box[1] + shot.height - 321, box[2], box[3])
            if box is None:  # above the buttons: 8 + 25 + 8 from the bottom, 20 high
                box = (8, shot.height - 61, shot.width - 40, 20)
            colours = shot.colours(*box)
            background = colours.most_common(1)[0][0]
            # The text is there in its own colour: a few pixels of full strokes, give or take the
            # smoothing of thin ones.
            strokes = sum(n for c, n in colours.items() if max(abs(a - b) for a, b in zip(c, text)) <= 48)
            results[what] = (contrast(text, background) if strokes >= 5 else 0.0, text, background)
    return results


def check_missing_japanese_font(program):
    """Without a Japanese font: one line naming the package to install, no Qt warning."""
    with Desktop() as desktop:
        config = desktop.write("fonts.conf", f"""<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>{desktop.path("fc-cache")}</cachedir></fontconfig>""")
        process = desktop.start(program, FONTCONFIG_FILE=config)
        desktop.window("ろてぬ Ver1.05")
        lines = open(process.stderr_path).read().splitlines()
    return [] if len(lines) == 1 and "fonts-ipafont-gothic" in lines[0] else [f"without a Japanese font, standard error reads {lines}"]


def check_no_display(program):
    """Without a display: one line naming it on standard error and exit status 1, not Qt's abort."""
    failures = []
    for display in (":nothing", None):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        env |= {"DISPLAY": display} if display else {}
        run = subprocess.run([program], env=env, capture_output=True, text=True, timeout=60)
        lines = run.stderr.splitlines()
        named = f"DISPLAY={display}" if display else "DISPLAY is not set"
        if run.returncode != 1 or len(lines) != 1 or named not in lines[0]:
            failures.append(f"with {named}: exit status {run.returncode}, standard error {lines}")
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program", type=os.path.abspath)
    parser.add_argument("--screenshots", type=os.path.abspath, help="saves the main window and the timer under Breeze Dark here")
    args = parser.parse_args()
    themes = [("light", {}, {}),
              ("Breeze Dark", {"XDG_CURRENT_DESKTOP": "KDE", "KDE_SESSION_VERSION": "5"},
               {".config/kdeglobals": BREEZE_DARK})]
    if subprocess.run(["dpkg", "-s", "adwaita-qt6"], capture_output=True).returncode == 0:
        themes.append(("Adwaita-dark", {"XDG_CURRENT_DESKTOP": "GNOME", "QT_STYLE_OVERRIDE": "Adwaita-Dark"}, {}))
    else:
        print("adwaita-qt6 is not installed: Adwaita-dark not measured")

    failures = check_missing_japanese_font(args.program) + check_no_display(args.program)
    table = {theme: measure(args.program, env, files, args.screenshots if theme == "Breeze Dark" else None)
             for theme, env, files in themes}
    print(f"{'text':<32}" + "".join(f"{theme:>16}" for theme in table))
    for _, what, _, _ in TEXTS:
        print(f"{what:<32}" + "".join(f"{table[theme][what][0]:>15.2f}:1"[-16:] for theme in table))
        for theme in table:
            ratio, text, background = table[theme][what]
            if ratio < LEAST_CONTRAST.get(what, 4.5):
                failures.append(f"{theme}: {what} reads at {ratio:.2f}:1 (#{bytes(text).hex()} on #{bytes(background).hex()})")
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
