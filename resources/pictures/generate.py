#!/usr/bin/env python3
"""Writes the program's pictures as SVG files beside this script.

The pictures come in families (ten apples, ten command buttons in four looks,
fourteen tips) that differ only in a numeral, a caption or a colour, so they
are drawn here from one template each instead of being kept by hand in sync.
Run it after changing a template and commit the SVG files with it:

    python3 resources/pictures/generate.py

A file is named after its picture number (state * 1000 + bmpid). Everything is
drawn for Qt Svg (SVG Tiny 1.2): no filters, masks or CSS; a comma list in
font-family would be taken as one unknown family name, so text names only
"Noto Sans CJK SC"; where that is missing, PictureRegistry has Qt substitute
WenQuanYi Micro Hei.
"""

import math
import os
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = "Noto Sans CJK SC"


def svg(width, height, body, defs=""):
    defs_block = f"<defs>{defs}</defs>\n" if defs else ""
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        "<!-- Made by generate.py: change the template there, not this file. -->\n"
        f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
        f'width="{width}" height="{height}" viewBox="0 0 {width} {height}">\n'
        f"{defs_block}{body}</svg>\n"
    )


def linear(gid, stops, x1=0, y1=0, x2=0, y2=1, units=None):
    s = ""
    for stop in stops:
        offset, colour, opacity = stop if len(stop) == 3 else (*stop, None)
        alpha = f' stop-opacity="{opacity}"' if opacity is not None else ""
        s += f'<stop offset="{offset}" stop-color="{colour}"{alpha}/>'
    u = f' gradientUnits="{units}"' if units else ""
    return (
        f'<linearGradient id="{gid}"{u} x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">{s}'
        "</linearGradient>"
    )


def radial(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
    fx = cx if fx is None else fx
    fy = cy if fy is None else fy
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return (
        f'<radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}" fx="{fx}" fy="{fy}">'
        f"{s}</radialGradient>"
    )


def text(x, y, s, size, fill, weight="bold", anchor="middle", halos=()):
    """Text with optional halos, widest first, so that it reads on any background."""
    out = []
    common = (
        f'x="{x}" y="{y}" font-family="{FONT}" font-size="{size}" font-weight="{weight}" '
        f'text-anchor="{anchor}"'
    )
    for colour, width in halos:
        out.append(
            f'<text {common} fill="{colour}" stroke="{colour}" stroke-width="{width}" '
            f'stroke-linejoin="round">{escape(s)}</text>'
        )
    out.append(f'<text {common} fill="{fill}">{escape(s)}</text>')
    return "\n".join(out) + "\n"


def write(number, content):
    with open(os.path.join(HERE, f"{number}.svg"), "w", encoding="utf-8") as f:
        f.write(content)


# ---------------------------------------------------------------- title strip

def title_face(width, top, bottom, border, gloss=0.45):
    defs = linear("face", [(0, top), (1, bottom)])
    body = (
        f'<rect x="0.5" y="0.5" width="{width - 1}" height="16" rx="3.5" fill="url(#face)" '
        f'stroke="{border}"/>\n'
        f'<rect x="2" y="1.5" width="{width - 4}" height="6" rx="2.5" fill="#ffffff" '
        f'opacity="{gloss}"/>\n'
    )
    return defs, body


def minimise_button(hover):
    defs, body = title_face(25, *(("#e6f6ff", "#7cc8ff", "#3b95d9") if hover
                                  else ("#c4e4fb", "#6aaee6", "#3a7fbf")))
    body += (
        '<rect x="6.5" y="10" width="12" height="3.4" rx="1.2" fill="#ffffff" '
        'stroke="#2a6aa6" stroke-width="0.8"/>\n'
    )
    return svg(25, 17, body, defs)


def close_button(hover):
    colours = ("#ffb3a8", "#e53935", "#a81c17") if hover else ("#c4e4fb", "#6aaee6", "#3a7fbf")
    defs, body = title_face(41, *colours)
    shade = "#8f1410" if hover else "#2a6aa6"
    cross = "M16.5,4.5 L24.5,12.5 M24.5,4.5 L16.5,12.5"
    body += (
        f'<path d="{cross}" fill="none" stroke="{shade}" stroke-width="3.8" '
        'stroke-linecap="round"/>\n'
        f'<path d="{cross}" fill="none" stroke="#ffffff" stroke-width="2.2" '
        'stroke-linecap="round"/>\n'
    )
    return svg(41, 17, body, defs)


# ---------------------------------------------------------------- apples

APPLE = (
    "M32,21 C38,14 51,13 57,23 C62,32 61,47 55,57 C50,65 43,70 37.5,68.5 "
    "C34.5,67.6 29.5,67.6 26.5,68.5 C21,70 14,65 9,57 C3,47 2,32 7,23 "
    "C13,13 26,14 32,21 Z"
)


def apple(numeral, hover):
    if hover:
        body_stops = [(0, "#f3d4ff"), (0.35, "#b565e6"), (0.8, "#7b2fb0"), (1, "#5a1d86")]
        outline, numeral_fill = "#3a0f5c", "#ffe23d"
        numeral_halos = (("#3a0f5c", 7), ("#fff7c2", 3))
    else:
        body_stops = [(0, "#ffc2b8"), (0.35, "#f2413a"), (0.8, "#c81d1d"), (1, "#96100f")]
        outline, numeral_fill = "#6e0d0d", "#27a844"
        numeral_halos = (("#0f4d1c", 7), ("#ffffff", 3.4))
    defs = (
        radial("skin", body_stops, cx=0.36, cy=0.34, r=0.72, fx=0.3, fy=0.28)
        + linear("leaf", [(0, "#b4ec6a"), (1, "#2f9a2b")], 0, 0, 1, 1)
        + linear("stalk", [(0, "#a0693a"), (1, "#5a3414")], 0, 0, 1, 0)
    )
    size = 37 if len(numeral) == 1 else 31
    body = (
        '<ellipse cx="32" cy="69.5" rx="20" ry="2.2" fill="#000000" opacity="0.16"/>\n'
        '<path d="M31.5,22 C31.5,16 32.5,10 36,5" fill="none" stroke="#3b200a" '
        'stroke-width="5" stroke-linecap="round"/>\n'
        '<path d="M31.5,22 C31.5,16 32.5,10 36,5" fill="none" stroke="url(#stalk)" '
        'stroke-width="3" stroke-linecap="round"/>\n'
        '<path d="M35.5,12 C39,3.5 50,1.5 57,5.5 C53,13.5 43,16.5 35.5,12 Z" fill="url(#leaf)" '
        'stroke="#1d5c1a" stroke-width="1.2" stroke-linejoin="round"/>\n'
        '<path d="M37,11.5 C42,9 48,7 54,6.5" fill="none" stroke="#1d5c1a" stroke-width="0.9" '
        'stroke-linecap="round" opacity="0.8"/>\n'
        f'<path d="{APPLE}" fill="url(#skin)" stroke="{outline}" stroke-width="1.6" '
        'stroke-linejoin="round"/>\n'
        '<path d="M25,20.5 C28,21.5 30,23 31.5,25" fill="none" stroke="#000000" '
        'stroke-width="1" opacity="0.22" stroke-linecap="round"/>\n'
        '<ellipse cx="16" cy="32" rx="3.8" ry="8" transform="rotate(24 16 32)" fill="#ffffff" '
        'opacity="0.75"/>\n'
        '<circle cx="19.5" cy="22.5" r="1.9" fill="#ffffff" opacity="0.75"/>\n'
    )
    body += text(32.5, 43 + size * 0.37, numeral, size, numeral_fill, halos=numeral_halos)
    return svg(64, 72, body, defs)


# ---------------------------------------------------------------- cloud (24 points)

CLOUD_PUFFS = [
    ("ellipse", 65, 49, 50, 14),
    ("circle", 33, 39, 17),
    ("circle", 55, 28, 20),
    ("circle", 79, 25, 18),
    ("circle", 99, 38, 16),
    ("circle", 110, 48, 10),
    ("circle", 20, 50, 10),
]


def puff(shape, extra):
    if shape[0] == "ellipse":
        _, cx, cy, rx, ry = shape
        return f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" {extra}/>\n'
    _, cx, cy, r = shape
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" {extra}/>\n'


def cloud(hover):
    if hover:
        top, bottom, outline = "#fff4e0", "#ffc77d", "#d9771a"
        ink, halos = "#f07a12", (("#8a3b06", 6), ("#fff6e6", 3))
    else:
        top, bottom, outline = "#ffffff", "#d6e8fb", "#5a8cc8"
        ink, halos = "#9e1020", (("#ffffff", 4),)
    # One gradient across the whole cloud, not one per puff, so that the puffs merge.
    defs = linear("puff", [(0, top), (1, bottom)], 0, 8, 0, 63, units="userSpaceOnUse")
    # Every puff stroked first, then every puff filled: only the outline of their
    # union stays visible.
    body = '<ellipse cx="66" cy="65" rx="44" ry="3" fill="#000000" opacity="0.12"/>\n'
    body += "".join(puff(p, f'fill="{outline}" stroke="{outline}" stroke-width="4"')
                    for p in CLOUD_PUFFS)
    body += '<g fill="url(#puff)">\n' + "".join(puff(p, "") for p in CLOUD_PUFFS) + "</g>\n"
    body += (
        '<path d="M40,26 C43,18 50,14 57,14" fill="none" stroke="#ffffff" stroke-width="3" '
        'stroke-linecap="round" opacity="0.9"/>\n'
    )
    body += text(65, 56, "24.", 38, ink, halos=halos)
    return svg(130, 70, body, defs)


# ---------------------------------------------------------------- sun (test records)

def sun(hover):
    cx, cy = 62.5, 53
    rays = []
    turn = 15 if hover else 0
    for i in range(12):
        a = math.radians(i * 30 + turn)
        long = i % 2 == 0
        r0, r1, half = 33, (50 if long else 43), math.radians(10 if long else 8)
        pts = [
            (cx + r0 * math.cos(a - half), cy + r0 * math.sin(a - half)),
            (cx + r1 * math.cos(a), cy + r1 * math.sin(a)),
            (cx + r0 * math.cos(a + half), cy + r0 * math.sin(a + half)),
        ]
        rays.append("M" + " L".join(f"{x:.2f},{y:.2f}" for x, y in pts) + " Z")
    if hover:
        disc = [(0, "#fffbe0"), (0.55, "#ffe45c"), (1, "#ffb300")]
        ray_fill, ray_line, ribbon = ("#ffe87a", "#ff9f1a"), "#d97706", ("#ff8a3d", "#e4461b")
    else:
        disc = [(0, "#fff4b0"), (0.6, "#ffd23f"), (1, "#f7a21b")]
        ray_fill, ray_line, ribbon = ("#ffd54a", "#f59a0c"), "#c96f00", ("#ff6f4a", "#d83a20")
    defs = (
        radial("disc", disc, cx=0.42, cy=0.38, r=0.62)
        + linear("ray", [(0, ray_fill[0]), (1, ray_fill[1])])
        + linear("ribbon", [(0, ribbon[0]), (1, ribbon[1])])
        + linear("tail", [(0, "#b8321a"), (1, "#8c2210")])
    )
    body = (
        f'<path d="{" ".join(rays)}" fill="url(#ray)" stroke="{ray_line}" stroke-width="1.4" '
        'stroke-linejoin="round"/>\n'
        f'<circle cx="{cx}" cy="{cy}" r="34" fill="url(#disc)" stroke="{ray_line}" '
        'stroke-width="2"/>\n'
        f'<ellipse cx="{cx - 23}" cy="{cy + 9}" rx="5.5" ry="3.5" fill="#ff7a7a" opacity="0.55"/>\n'
        f'<ellipse cx="{cx + 23}" cy="{cy + 9}" rx="5.5" ry="3.5" fill="#ff7a7a" opacity="0.55"/>\n'
    )
    if hover:
        # Laughing: eyes shut in arcs, mouth wide open.
        body += (
            f'<path d="M{cx - 18},{cy - 4} Q{cx - 12},{cy - 12} {cx - 6},{cy - 4} '
            f'M{cx + 6},{cy - 4} Q{cx + 12},{cy - 12} {cx + 18},{cy - 4}" fill="none" '
            'stroke="#5a2a00" stroke-width="2.6" stroke-linecap="round"/>\n'
            f'<path d="M{cx - 13},{cy + 5} L{cx + 13},{cy + 5} Q{cx + 12},{cy + 22} {cx},{cy + 22} '
            f'Q{cx - 12},{cy + 22} {cx - 13},{cy + 5} Z" fill="#b3261e" stroke="#5a2a00" '
            'stroke-width="2" stroke-linejoin="round"/>\n'
            f'<path d="M{cx - 7},{cy + 18.5} Q{cx},{cy + 12.5} {cx + 7},{cy + 18.5} '
            f'Q{cx},{cy + 21.5} {cx - 7},{cy + 18.5} Z" fill="#ff8a80"/>\n'
        )
    else:
        body += (
            f'<ellipse cx="{cx - 12}" cy="{cy - 6}" rx="3.6" ry="5" fill="#4a2500"/>\n'
            f'<ellipse cx="{cx + 12}" cy="{cy - 6}" rx="3.6" ry="5" fill="#4a2500"/>\n'
            f'<circle cx="{cx - 10.8}" cy="{cy - 8}" r="1.4" fill="#ffffff"/>\n'
            f'<circle cx="{cx + 13.2}" cy="{cy - 8}" r="1.4" fill="#ffffff"/>\n'
            f'<path d="M{cx - 13},{cy + 7} Q{cx},{cy + 19} {cx + 13},{cy + 7}" fill="none" '
            'stroke="#5a2a00" stroke-width="2.6" stroke-linecap="round"/>\n'
        )
    # A ribbon across the bottom carries the caption; its folded ends sit behind it.
    body += (
        '<path d="M14,100 L4,100 L9,109 L4,118 L22,118 Z" fill="url(#tail)" stroke="#6e1a0c" '
        'stroke-width="1.2" stroke-linejoin="round"/>\n'
        '<path d="M111,100 L121,100 L116,109 L121,118 L103,118 Z" fill="url(#tail)" '
        'stroke="#6e1a0c" stroke-width="1.2" stroke-linejoin="round"/>\n'
        '<rect x="13" y="94" width="99" height="24" rx="5" fill="url(#ribbon)" stroke="#8c2210" '
        'stroke-width="1.4"/>\n'
        '<rect x="16" y="96" width="93" height="7" rx="3" fill="#ffffff" opacity="0.25"/>\n'
    )
    body += text(62.5, 106 + 19 * 0.37, "测试题库", 19, "#ffffff", halos=(("#8c2210", 3.2),))
    return svg(125, 125, body, defs)


# ---------------------------------------------------------------- child

SKIN, INK = "#ffd9b8", "#3a2414"


def limb(d, colour, width=6):
    return (
        f'<path d="{d}" fill="none" stroke="{INK}" stroke-width="{width + 2.4}" '
        'stroke-linecap="round" stroke-linejoin="round"/>\n'
        f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{width}" '
        'stroke-linecap="round" stroke-linejoin="round"/>\n'
    )


def hand(cx, cy, r=4.3):
    return (
        f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{SKIN}" stroke="{INK}" '
        'stroke-width="1.3"/>\n'
    )


def child(hover):
    defs = (
        linear("shirt", [(0, "#4aa8ff"), (1, "#1f6fd1")])
        + linear("shorts", [(0, "#ffb340"), (1, "#e68a00")])
        + radial("face", [(0, "#ffe8d2"), (1, "#ffcfa6")], cx=0.45, cy=0.4, r=0.6)
    )
    body = '<ellipse cx="35" cy="97" rx="20" ry="2.2" fill="#000000" opacity="0.15"/>\n'
    # Legs and shoes.
    body += limb("M29,78 L28.5,90", SKIN) + limb("M41,78 L41.5,90", SKIN)
    body += (
        f'<path d="M21.5,95.5 C21.5,90 26,89 30.5,89.5 C32,90.5 32.5,93 32,95.5 Z" fill="#e53935" '
        f'stroke="{INK}" stroke-width="1.3" stroke-linejoin="round"/>\n'
        f'<path d="M48.5,95.5 C48.5,90 44,89 39.5,89.5 C38,90.5 37.5,93 38,95.5 Z" fill="#e53935" '
        f'stroke="{INK}" stroke-width="1.3" stroke-linejoin="round"/>\n'
    )
    # Arms behind the shirt: the left one always hangs, the right one waves when hovered.
    body += limb("M24,51 C19,58 16,63 15,70", SKIN)
    body += hand(15, 71.5)
    if hover:
        body += limb("M49,48 C55,44 59,37 60.5,28", SKIN)
        body += (
            hand(61, 25, 4.6)
            + '<path d="M56.5,16 Q61,12.5 65.5,16 M66.5,20 Q68.8,24 67.5,29" fill="none" '
            'stroke="#ff8a00" stroke-width="1.6" stroke-linecap="round"/>\n'
        )
        body += limb("M45,49.5 L51.5,45.5", "#45a2fb", 8)
        shirt = ("M27,44 C30,46.5 40,46.5 43,44 L49,47 L47,59 L46.5,70 L23.5,70 L23,59 "
                 "L17,57 L20,48 Z")
    else:
        body += limb("M46,51 C51,58 54,63 55,70", SKIN)
        body += hand(55, 71.5)
        shirt = ("M27,44 C30,46.5 40,46.5 43,44 L50,48 L53,57 L47,59 L46.5,70 L23.5,70 L23,59 "
                 "L17,57 L20,48 Z")
    # Shorts, then the shirt over the shoulders.
    body += (
        f'<path d="M23,68 L47,68 L48.5,81 L37,81 L35,75 L33,81 L21.5,81 Z" fill="url(#shorts)" '
        f'stroke="{INK}" stroke-width="1.4" stroke-linejoin="round"/>\n'
        f'<path d="{shirt}" fill="url(#shirt)" stroke="{INK}" stroke-width="1.4" '
        'stroke-linejoin="round"/>\n'
        '<path d="M30,45.5 Q35,50 40,45.5" fill="none" stroke="#ffffff" stroke-width="1.6" '
        'stroke-linecap="round"/>\n'
        '<path d="M35,56 l1.7,3.4 l3.8,0.6 l-2.75,2.7 l0.65,3.8 l-3.4,-1.8 l-3.4,1.8 l0.65,-3.8 '
        'l-2.75,-2.7 l3.8,-0.6 Z" fill="#ffe14d" stroke="#c98a00" stroke-width="0.7" '
        'stroke-linejoin="round"/>\n'
    )
    # Head: ears, face, hair, eyes, cheeks, mouth.
    body += (
        f'<circle cx="18.5" cy="28" r="4" fill="{SKIN}" stroke="{INK}" stroke-width="1.3"/>\n'
        f'<circle cx="51.5" cy="28" r="4" fill="{SKIN}" stroke="{INK}" stroke-width="1.3"/>\n'
        f'<ellipse cx="35" cy="27" rx="16.5" ry="16" fill="url(#face)" stroke="{INK}" '
        'stroke-width="1.4"/>\n'
        f'<path d="M18.5,26 C16.5,13 25,5.5 35,5.5 C45,5.5 53.5,12 51.5,26 C49.5,21 47,18.5 44,17 '
        'C42,20 38,21.5 34,20.5 C35,19 35.5,17.5 35,16 C31,19.5 25,20.5 21,20 '
        'C20,22 19.2,24 18.5,26 Z" '
        f'fill="#3b2415" stroke="{INK}" stroke-width="1.2" stroke-linejoin="round"/>\n'
        '<path d="M33,6.5 C31,3 33,1.2 36.5,1.5 C35,3 35,4.5 36,6" fill="#3b2415" '
        f'stroke="{INK}" stroke-width="1" stroke-linejoin="round"/>\n'
        '<path d="M25,10.5 C28,8 32,7.5 35,8" fill="none" stroke="#7a5236" stroke-width="1.4" '
        'stroke-linecap="round"/>\n'
        '<ellipse cx="29" cy="28.5" rx="2.2" ry="2.9" fill="#2a1a0e"/>\n'
        '<ellipse cx="41" cy="28.5" rx="2.2" ry="2.9" fill="#2a1a0e"/>\n'
        '<circle cx="29.8" cy="27.4" r="0.9" fill="#ffffff"/>\n'
        '<circle cx="41.8" cy="27.4" r="0.9" fill="#ffffff"/>\n'
        '<ellipse cx="24.5" cy="34" rx="3.2" ry="2" fill="#ff8a8a" opacity="0.6"/>\n'
        '<ellipse cx="45.5" cy="34" rx="3.2" ry="2" fill="#ff8a8a" opacity="0.6"/>\n'
    )
    if hover:
        body += (
            '<path d="M30,34 L40,34 Q39.5,40.5 35,40.5 Q30.5,40.5 30,34 Z" fill="#c62828" '
            f'stroke="{INK}" stroke-width="1.1" stroke-linejoin="round"/>\n'
            '<path d="M32.2,38.6 Q35,36.6 37.8,38.6 Q35,40.2 32.2,38.6 Z" fill="#ff8a80"/>\n'
        )
    else:
        body += (
            f'<path d="M30.5,35 Q35,39.5 39.5,35" fill="none" stroke="{INK}" stroke-width="1.5" '
            'stroke-linecap="round"/>\n'
        )
    return svg(70, 100, body, defs)


# ---------------------------------------------------------------- command buttons

CAPTIONS = {
    49: "生成试题(F5)",
    50: "确定答题(F6)",
    51: "完成答题(F8)",
    52: "退出(Esc)",
    53: "试题/答案",
    54: "导出Excel",
    55: "打印试题",
    56: "打印答案",
    57: "重新计算",
    58: "查看答案",
    59: "下一题(F5)",
    63: "提示(F1)",
    64: "全部解法",
    65: "错题重练",
    66: "打印错题",
    67: "成绩曲线",
}

FACE = [(0, "#fbfdff"), (0.45, "#e3eaf3"), (1, "#b9c7d9")]


def command_button(caption, state):
    w, h = 93, 30
    size = 13
    baseline = h / 2 + size * 0.37
    if state == 4:
        defs = linear("face", [(0, "#f7f8fa"), (1, "#e7eaee")])
        body = (
            f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="4" fill="url(#face)" '
            'stroke="#c3c8cf"/>\n'
        )
        body += text(w / 2, baseline, caption, size, "#aeb3ba", weight="normal")
        return svg(w, h, body, defs)

    defs = linear("face", FACE)
    border = "#ff8c1a" if state == 2 else "#3d4b5e"
    body = (
        f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="4" fill="url(#face)" '
        f'stroke="{border}"/>\n'
    )
    shift = 0
    if state == 3:
        # Pressed: the light comes from the top left, so the sunken face is shaded there.
        shift = 1
        defs += linear("shadeTop", [(0, "#1e2a3a", 0.45), (1, "#1e2a3a", 0)])
        defs += linear("shadeLeft", [(0, "#1e2a3a", 0.35), (1, "#1e2a3a", 0)], 0, 0, 1, 0)
        body += (
            f'<rect x="1" y="1" width="{w - 2}" height="5" rx="3.5" fill="url(#shadeTop)"/>\n'
            f'<rect x="1" y="1" width="5" height="{h - 2}" rx="3.5" fill="url(#shadeLeft)"/>\n'
            f'<rect x="5.5" y="5.5" width="{w - 9}" height="{h - 9}" fill="none" stroke="#2b3646" '
            'stroke-width="1" stroke-dasharray="1,1"/>\n'
        )
    elif state == 2:
        body += (
            f'<rect x="1.75" y="1.75" width="{w - 3.5}" height="{h - 3.5}" rx="3" fill="none" '
            'stroke="#ffc27a" stroke-width="1.5"/>\n'
        )
    else:
        body += (
            f'<rect x="1.5" y="1.5" width="{w - 3}" height="{h - 3}" rx="3" fill="none" '
            'stroke="#ffffff" stroke-opacity="0.8"/>\n'
        )
    ink = "#d41515" if state == 2 else "#111111"
    body += text(w / 2 + shift, baseline + shift, caption, size, ink, weight="normal")
    return svg(w, h, body, defs)


# ---------------------------------------------------------------- tips

TIP_W, TIP_H = 240, 56
BUBBLE = (
    "M18,3 L222,3 Q237,3 237,18 L237,30 Q237,45 222,45 L58,45 L40,54 L43,45 L18,45 "
    "Q3,45 3,30 L3,18 Q3,3 18,3 Z"
)
TYPE_NAMES = ["A + B", "A - B", "A ± B", "A±B±C", "A × B", "A±B×C", "A ÷ B", "A±B÷C", "A×B÷C",
              "四则混合"]
TIP_INKS = ["#e53935", "#f57c00", "#2e9d3a", "#1e73d8", "#8e35c0"]


def star(cx, cy, r, fill, line):
    pts = []
    for i in range(10):
        rr = r if i % 2 == 0 else r * 0.45
        a = math.radians(-90 + i * 36)
        pts.append(f"{cx + rr * math.cos(a):.2f},{cy + rr * math.sin(a):.2f}")
    return (
        f'<path d="M{" L".join(pts)} Z" fill="{fill}" stroke="{line}" stroke-width="1.3" '
        'stroke-linejoin="round"/>\n'
    )


def tip_icon(kind):
    """A small emblem at the bubble's left end that names the button at a glance."""
    if kind == "star":
        return star(26, 24, 14, "#ffd83d", "#d48a00") + star(42, 10, 5, "#ffe98a", "#d48a00")
    if kind == "apple":
        return (
            '<g transform="translate(12,8) scale(0.44)">'
            f'<path d="{APPLE}" fill="#ef3b34" stroke="#6e0d0d" stroke-width="3"/>'
            '<path d="M31.5,22 C31.5,16 32.5,10 36,5" fill="none" stroke="#5a3414" '
            'stroke-width="5" stroke-linecap="round"/>'
            '<path d="M35.5,12 C39,3.5 50,1.5 57,5.5 C53,13.5 43,16.5 35.5,12 Z" fill="#4fb53a" '
            'stroke="#1d5c1a" stroke-width="2.4"/>'
            '<ellipse cx="16" cy="32" rx="3.8" ry="8" transform="rotate(24 16 32)" fill="#ffffff" '
            'opacity="0.75"/></g>\n'
        )
    if kind == "cloud":
        puffs = [("circle", 20, 27, 7), ("circle", 28, 20, 9), ("circle", 37, 25, 7),
                 ("ellipse", 28, 30, 15, 6)]
        return (
            "".join(puff(p, 'fill="#5a8cc8" stroke="#5a8cc8" stroke-width="2.6"') for p in puffs)
            + '<g fill="#e6f2fd">' + "".join(puff(p, "") for p in puffs) + "</g>\n"
        )
    if kind == "sun":
        rays = " ".join(
            f"M{27 + 10 * math.cos(math.radians(a)):.2f},{24 + 10 * math.sin(math.radians(a)):.2f} "
            f"L{27 + 15 * math.cos(math.radians(a)):.2f},{24 + 15 * math.sin(math.radians(a)):.2f}"
            for a in range(0, 360, 45)
        )
        return (
            f'<path d="{rays}" stroke="#f59a0c" stroke-width="2.6" stroke-linecap="round"/>\n'
            '<circle cx="27" cy="24" r="8.5" fill="#ffd23f" stroke="#c96f00" stroke-width="1.3"/>\n'
            '<path d="M23.5,26 Q27,29.5 30.5,26" fill="none" stroke="#5a2a00" stroke-width="1.2" '
            'stroke-linecap="round"/>\n'
            '<circle cx="24.5" cy="22" r="1.1" fill="#4a2500"/>'
            '<circle cx="29.5" cy="22" r="1.1" fill="#4a2500"/>\n'
        )
    # "door": leaving the program.
    return (
        '<rect x="15" y="10" width="17" height="28" rx="1.5" fill="#b7773d" stroke="#5a3414" '
        'stroke-width="1.3"/>\n'
        '<rect x="18" y="13" width="11" height="9" rx="1" fill="#d89a5a"/>\n'
        '<circle cx="28.5" cy="26" r="1.3" fill="#ffd83d"/>\n'
        '<path d="M34,24 L44,24 M40,20 L44,24 L40,28" fill="none" stroke="#2e9d3a" '
        'stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>\n'
    )


def tip(lines, icon, ink):
    defs = linear("bubble", [(0, "#fffef8"), (1, "#fff0c4")])
    body = (
        f'<path d="{BUBBLE}" fill="url(#bubble)" stroke="#f0a030" stroke-width="2" '
        'stroke-linejoin="round"/>\n'
        '<path d="M19,6.5 L221,6.5" stroke="#ffffff" stroke-width="2.4" stroke-linecap="round"/>\n'
    )
    body += tip_icon(icon)
    centre = 142
    halos = (("#ffffff", 4),)
    if len(lines) == 1:
        body += text(centre, 24 + 25 * 0.37, lines[0], 25, ink, halos=halos)
    else:
        body += text(centre, 21, lines[0], 18, ink, halos=halos)
        body += text(centre, 38.5, lines[1], 13, "#6b4a1a", halos=halos)
    return svg(TIP_W, TIP_H, body, defs)


# ---------------------------------------------------------------- 24 points: right and wrong

VERDICT_W, VERDICT_H = 180, 130


def ribbon(caption, face, tail, line):
    """The banner under a verdict, like the sun's: folded ends behind a glossy band."""
    defs = linear("ribbon", [(0, face[0]), (1, face[1])]) + linear("tail", [(0, tail[0]),
                                                                             (1, tail[1])])
    body = (
        f'<path d="M34,103 L20,103 L27,113 L20,123 L44,123 Z" fill="url(#tail)" stroke="{line}" '
        'stroke-width="1.3" stroke-linejoin="round"/>\n'
        f'<path d="M146,103 L160,103 L153,113 L160,123 L136,123 Z" fill="url(#tail)" '
        f'stroke="{line}" stroke-width="1.3" stroke-linejoin="round"/>\n'
        f'<rect x="32" y="96" width="116" height="27" rx="6" fill="url(#ribbon)" stroke="{line}" '
        'stroke-width="1.5"/>\n'
        '<rect x="35.5" y="98.5" width="109" height="8" rx="3.5" fill="#ffffff" opacity="0.28"/>\n'
    )
    body += text(90, 109.5 + 20 * 0.37, caption, 20, "#ffffff", halos=((line, 3.4),))
    return defs, body


def confetti(pieces):
    out = ""
    for x, y, w, h, turn, colour in pieces:
        out += (
            f'<rect x="{x - w / 2}" y="{y - h / 2}" width="{w}" height="{h}" rx="1" '
            f'fill="{colour}" transform="rotate({turn} {x} {y})"/>\n'
        )
    return out


def badge(cx, cy, r, stops, line, mark):
    gid = "badge"
    return radial(gid, stops, cx=0.4, cy=0.35, r=0.65), (
        f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#{gid})" stroke="{line}" '
        'stroke-width="2"/>\n'
        f'<path d="{mark}" fill="none" stroke="{line}" stroke-width="7" stroke-linecap="round" '
        'stroke-linejoin="round"/>\n'
        f'<path d="{mark}" fill="none" stroke="#ffffff" stroke-width="4.2" '
        'stroke-linecap="round" stroke-linejoin="round"/>\n'
    )


def right_picture():
    """A laughing star with a green tick: the puzzle came out at 24."""
    cx, cy = 84, 50
    points = []
    for i in range(10):
        r = 45 if i % 2 == 0 else 23
        a = math.radians(-90 + i * 36)
        points.append(f"{cx + r * math.cos(a):.2f},{cy + 3 + r * math.sin(a):.2f}")
    defs = radial("star", [(0, "#fffbe0"), (0.55, "#ffe04a"), (1, "#f7a21b")], cx=0.45, cy=0.4,
                  r=0.6)
    badge_defs, badge_body = badge(136, 70, 17, [(0, "#b8f08a"), (1, "#2e9d3a")], "#1b5e20",
                                   "M127.5,70.5 L133.5,76.5 L144.5,63.5")
    ribbon_defs, ribbon_body = ribbon("算对了！", ("#ff6f4a", "#d83a20"), ("#b8321a", "#8c2210"),
                                      "#8c2210")
    body = confetti([
        (22, 20, 9, 4, 30, "#e53935"), (150, 16, 9, 4, -25, "#1e73d8"),
        (164, 44, 8, 4, 60, "#2e9d3a"), (14, 58, 8, 4, -40, "#8e35c0"),
        (34, 86, 7, 4, 15, "#f57c00"), (160, 90, 7, 4, -10, "#e53935"),
    ])
    body += (
        '<circle cx="40" cy="14" r="2.6" fill="#ffb300"/>\n'
        '<circle cx="128" cy="10" r="2.6" fill="#e53935"/>\n'
        '<circle cx="170" cy="66" r="2.2" fill="#8e35c0"/>\n'
        '<circle cx="10" cy="36" r="2.2" fill="#1e73d8"/>\n'
    )
    body += (
        f'<path d="M{" L".join(points)} Z" fill="url(#star)" stroke="#c96f00" stroke-width="2.6" '
        'stroke-linejoin="round"/>\n'
        f'<path d="M{cx - 6},{cy - 20} Q{cx - 4.5},{cy - 29} {cx - 1.5},{cy - 35}" fill="none" '
        'stroke="#ffffff" stroke-width="3" stroke-linecap="round" opacity="0.8"/>\n'
        # Laughing: eyes shut in arcs, cheeks, a wide-open mouth.
        f'<path d="M{cx - 14},{cy + 2} Q{cx - 9},{cy - 5} {cx - 4},{cy + 2} '
        f'M{cx + 4},{cy + 2} Q{cx + 9},{cy - 5} {cx + 14},{cy + 2}" fill="none" stroke="#5a2a00" '
        'stroke-width="2.6" stroke-linecap="round"/>\n'
        f'<ellipse cx="{cx - 17}" cy="{cy + 11}" rx="4.5" ry="2.8" fill="#ff7a7a" opacity="0.6"/>\n'
        f'<ellipse cx="{cx + 17}" cy="{cy + 11}" rx="4.5" ry="2.8" fill="#ff7a7a" opacity="0.6"/>\n'
        f'<path d="M{cx - 9},{cy + 8} L{cx + 9},{cy + 8} Q{cx + 8},{cy + 20} {cx},{cy + 20} '
        f'Q{cx - 8},{cy + 20} {cx - 9},{cy + 8} Z" fill="#b3261e" stroke="#5a2a00" '
        'stroke-width="1.8" stroke-linejoin="round"/>\n'
        f'<path d="M{cx - 5},{cy + 17.2} Q{cx},{cy + 13} {cx + 5},{cy + 17.2} '
        f'Q{cx},{cy + 19.4} {cx - 5},{cy + 17.2} Z" fill="#ff8a80"/>\n'
    )
    body += badge_body + ribbon_body
    return svg(VERDICT_W, VERDICT_H, body, defs + badge_defs + ribbon_defs)


WRONG_PUFFS = [
    ("ellipse", 84, 62, 48, 20),
    ("circle", 52, 52, 19),
    ("circle", 76, 34, 24),
    ("circle", 104, 38, 20),
    ("circle", 122, 56, 15),
    ("circle", 40, 68, 11),
]


def wrong_picture():
    """A puzzled little cloud with a red cross: not 24 this time, try again."""
    defs = linear("puff", [(0, "#ffffff"), (1, "#d6e8fb")], 0, 8, 0, 84, units="userSpaceOnUse")
    badge_defs, badge_body = badge(140, 74, 16, [(0, "#ffb3a8"), (1, "#e53935")], "#8f1410",
                                   "M134,68 L146,80 M146,68 L134,80")
    ribbon_defs, ribbon_body = ribbon("再想想！", ("#4aa8ff", "#1f6fd1"), ("#2a6aa6", "#154a80"),
                                      "#154a80")
    body = '<ellipse cx="84" cy="86" rx="46" ry="3" fill="#000000" opacity="0.12"/>\n'
    body += "".join(puff(p, 'fill="#5a8cc8" stroke="#5a8cc8" stroke-width="4"')
                    for p in WRONG_PUFFS)
    body += '<g fill="url(#puff)">\n' + "".join(puff(p, "") for p in WRONG_PUFFS) + "</g>\n"
    body += (
        '<path d="M60,30 C63,20 72,14 82,14" fill="none" stroke="#ffffff" stroke-width="3.4" '
        'stroke-linecap="round" opacity="0.9"/>\n'
        # Looking up in thought, one brow raised, a small wavy mouth.
        '<ellipse cx="72" cy="52" rx="4" ry="5.2" fill="#2a3a55"/>\n'
        '<ellipse cx="96" cy="52" rx="4" ry="5.2" fill="#2a3a55"/>\n'
        '<circle cx="73.4" cy="49.6" r="1.6" fill="#ffffff"/>\n'
        '<circle cx="97.4" cy="49.6" r="1.6" fill="#ffffff"/>\n'
        '<path d="M66,41 Q71,37 77,40 M91,38 Q96,35 102,39" fill="none" stroke="#2a3a55" '
        'stroke-width="2" stroke-linecap="round"/>\n'
        '<ellipse cx="62" cy="62" rx="4.5" ry="2.6" fill="#ff9aa8" opacity="0.6"/>\n'
        '<ellipse cx="106" cy="62" rx="4.5" ry="2.6" fill="#ff9aa8" opacity="0.6"/>\n'
        '<path d="M76,68 Q80,64.5 84,68 Q88,71.5 92,68" fill="none" stroke="#2a3a55" '
        'stroke-width="2.2" stroke-linecap="round"/>\n'
        # A drop of effort on the brow.
        '<path d="M118,30 C114,36 113,40 118,41.5 C123,40 122,36 118,30 Z" fill="#9fd3ff" '
        'stroke="#2a6aa6" stroke-width="1.2" stroke-linejoin="round"/>\n'
    )
    body += text(26, 34, "?", 26, "#f57c00", halos=(("#ffffff", 4),))
    body += text(156, 30, "?", 20, "#8e35c0", halos=(("#ffffff", 4),))
    body += badge_body + ribbon_body
    return svg(VERDICT_W, VERDICT_H, body, defs + badge_defs + ribbon_defs)


def drop_arrow():
    """The arrow of the 24-point window's level list, in the blue of its frame."""
    body = (
        '<path d="M2.5,2 L13.5,2 Q15,2 14.1,3.3 L9,8.6 Q8,9.6 7,8.6 L1.9,3.3 Q1,2 2.5,2 Z" '
        'fill="#3f8fd8" stroke="#1f5fa8" stroke-width="1" stroke-linejoin="round"/>\n'
    )
    return svg(16, 10, body)


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


if __name__ == "__main__":
    main()
