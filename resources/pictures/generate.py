#!/usr/bin/env python3
"""Writes the program's pictures as SVG files beside this script.

The pictures come in families (ten apples, ten command buttons in four looks,
fourteen tips) that differ only in a numeral, a caption or a colour, so they
are drawn here from one template each instead of being kept by hand in sync.
The templates live in the modules beside this script, one for each window's
art (menuart, buttonart, game24art, landscape), and what they share in svgkit.
Run it after changing a template and commit the SVG files with it:

    python3 resources/pictures/generate.py

A file is named after its picture number (state * 1000 + bmpid), as
PictureRegistry knows it.
"""

import os
import sys

# Nothing but the SVG files is to be left beside this script.
sys.dont_write_bytecode = True

from buttonart import CAPTIONS, TIP_INKS, TYPE_NAMES, command_button, tip
from game24art import backdrop, drop_arrow, right_picture, wrong_picture
from landscape import landscape
from menuart import apple, child, close_button, cloud, minimise_button, sun

HERE = os.path.dirname(os.path.abspath(__file__))


def write(number, content):
    with open(os.path.join(HERE, f"{number}.svg"), "w", encoding="utf-8") as f:
        f.write(content)


def main():
    write(1001, minimise_button(False))
    write(2001, minimise_button(True))
    write(1002, close_button(False))
    write(2002, close_button(True))
    for n in range(1, 11):
        write(1010 + n, apple(str(n), False))
        write(2010 + n, apple(str(n), True))
    write(1021, cloud(False))
    write(2021, cloud(True))
    write(1022, sun(False))
    write(2022, sun(True))
    write(1023, child(False))
    write(2023, child(True))
    for bmpid, caption in CAPTIONS.items():
        for state in range(1, 5):
            write(state * 1000 + bmpid, command_button(caption, state))
    write(5001, tip(["小朋友，你好！", "选一个苹果开始吧"], "star", "#e8590c"))
    for i, name in enumerate(TYPE_NAMES):
        write(5002 + i, tip([name], "apple", TIP_INKS[i % len(TIP_INKS)]))
    write(5012, tip(["24点游戏"], "cloud", "#1e73d8"))
    write(5013, tip(["测试成绩"], "sun", "#e53935"))
    write(5014, tip(["退出(Esc)"], "door", "#6b4a1a"))
    write(1060, right_picture())
    write(1061, wrong_picture())
    write(1062, drop_arrow())
    write(1070, landscape())
    write(1071, backdrop())


if __name__ == "__main__":
    main()
