"""The pictures of the 24-point window: its backdrop, right and wrong, the level list's arrow."""

import math

from svgkit import (QPEN, ellipse, line, linear, num, opacity, puff, radial, rounded, svg, text,
                    user_linear, user_radial)


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


# ---------------------------------------------------------------- 24 points: the backdrop

# Where the parts of the window lie, as in src/gui/game24/game24layout.h: the window puts its
# widgets on these places, so the two must change together.
WINDOW = (900, 620)
TITLE_HEIGHT = 32  # TitleStrip::kHeight
TABLE = (16, 92, 560, 470)
ARROW = (305, 440, 92, 52)
NOTEBOOK = (592, 92, 292, 228)
STEP_ROWS = (146, 204, 262)
STEP_HEIGHT = 44
STEP_TEXT_X = 646
VERDICT_BOX = (592, 332, 292, 148)
ANSWER_BOX = (592, 492, 292, 70)
BUTTON_ROW = 579

BUBBLES = [((360, 70), 46, "#ffffff", 110), ((560, 40), 30, "#ffd6e7", 120),
           ((860, 120), 60, "#fff3b0", 110), ((30, 300), 54, "#d7f5d0", 100),
           ((880, 520), 70, "#ffd9c2", 90), ((600, 600), 40, "#e3d9ff", 110),
           ((250, 600), 36, "#fff3b0", 100), ((700, 60), 22, "#ffffff", 140)]
TWINKLES = [((346, 56), 8, "#ffc83d"), ((368, 76), 5, "#ff8fb1"), ((392, 52), 4, "#7ec8ff"),
            ((600, 64), 7, "#ffc83d"), ((876, 64), 6, "#ff8fb1")]


def inset(box, d):
    x, y, w, h = box
    return x + d, y + d, w - 2 * d, h - 2 * d


def shadow(box, r):
    x, y, w, h = box
    near = f'fill="#1d4a6e" fill-opacity="{opacity(34)}"'
    far = f'fill="#1d4a6e" fill-opacity="{opacity(22)}"'
    return rounded(x, y + 5, w, h, r, near) + rounded(x - 2, y, w + 4, h + 9, r + 2, far)


def backdrop_sky():
    defs = user_linear("sky", [(0, "#bfe6ff"), (0.55, "#e9f6ff"), (1, "#fff1d6")],
                       (0, TITLE_HEIGHT), (0, WINDOW[1]))
    body = f'<rect x="0" y="0" width="{WINDOW[0]}" height="{WINDOW[1]}" fill="url(#sky)"/>\n'
    # Soft bubbles of colour, as if balloons floated far behind the table.
    for (x, y), r, colour, alpha in BUBBLES:
        body += ellipse(x, y, r, r, f'fill="{colour}" fill-opacity="{opacity(alpha)}"')
    # A few twinkles about the level list and the progress.
    for (x, y), r, colour in TWINKLES:
        body += (f'<path d="M{x},{y - r} Q{x},{y} {x + r},{y} Q{x},{y} {x},{y + r} '
                 f'Q{x},{y} {x - r},{y} Q{x},{y} {x},{y - r} Z" fill="{colour}"/>\n')
    return defs, body


def table():
    x, y, w, h = TABLE
    defs = user_linear("felt", [(0, "#5cc27e"), (1, "#35985a")], (x, y), (x, y + h))
    defs += user_radial("lamp", [(0, "#ffffff", opacity(46)), (1, "#ffffff", 0)],
                        (x + w / 2, y + h / 2 - 90), w * 0.55)
    body = shadow(TABLE, 20)
    body += rounded(*inset(TABLE, 1.5), 20,
                    f'fill="url(#felt)" stroke="#23703f" stroke-width="3" {QPEN}')
    # Stitching along the edge, and a light spot where the lamp shines.
    body += rounded(*inset(TABLE, 8), 14, f'fill="none" stroke="#ffffff" stroke-opacity='
                    f'"{opacity(90)}" stroke-width="1.6" stroke-dasharray="4.8,4.8" {QPEN}')
    body += rounded(*inset(TABLE, 3), 18, 'fill="url(#lamp)"')

    # A chunky arrow from the two step results to the final card.
    ax, ay, aw, ah = ARROW
    mid, right, bottom = ay + ah / 2, ax + aw, ay + ah
    points = [(ax, mid - 10), (right - 30, mid - 10), (right - 30, ay), (right, mid),
              (right - 30, bottom), (right - 30, mid + 10), (ax, mid + 10)]

    def arrow(dy):
        return "M" + " L".join(f"{num(px)},{num(py + dy)}" for px, py in points) + " Z"

    body += f'<path d="{arrow(3)}" fill="#23703f" fill-opacity="{opacity(110)}"/>\n'
    body += (f'<path d="{arrow(0)}" fill="#fff3b0" fill-opacity="{opacity(235)}" '
             'stroke="#d99a1e" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>\n')
    return defs, body


def notebook():
    x, y, w, h = NOTEBOOK
    body = shadow(NOTEBOOK, 14)
    body += rounded(*inset(NOTEBOOK, 1), 14, f'fill="#fffdf5" stroke="#7fa7d4" stroke-width="2" '
                    f'{QPEN}')
    # Ruled like an exercise book: a blue line under each step, a red margin.
    for row in STEP_ROWS:
        body += line(x + 10, row + STEP_HEIGHT + 1.5, x + w - 10, row + STEP_HEIGHT + 1.5,
                     f'stroke="#9cc3ea" stroke-width="1.4" {QPEN}')
    margin = STEP_TEXT_X - 8
    body += line(margin, y + 44, margin, y + h - 8, f'stroke="#f4a3a3" stroke-width="1.4" {QPEN}')
    # Rings of the binding along the top.
    ring = x + 150
    while ring < x + w - 14:
        body += ellipse(ring, y + 18, 5, 5, f'fill="#e3f0ff" stroke="#7fa7d4" stroke-width="1.4" '
                        f'{QPEN}')
        ring += 26
    return body


def box(area, border):
    return rounded(*inset(area, 1), 14, f'fill="#ffffff" fill-opacity="{opacity(150)}" '
                   f'stroke="{border}" stroke-width="2" stroke-dasharray="8,6" {QPEN}')


def backdrop():
    """The ground of the 24-point window behind its cards, steps and buttons."""
    defs, body = backdrop_sky()
    more_defs, more_body = table()
    body += more_body + notebook() + box(VERDICT_BOX, "#ffb74d") + box(ANSWER_BOX, "#9cc3ea")
    # The band of the buttons along the bottom.
    width, height = WINDOW
    body += (f'<rect x="0" y="{BUTTON_ROW - 9}" width="{width}" height="{height - BUTTON_ROW + 9}" '
             f'fill="#ffffff" fill-opacity="{opacity(120)}"/>\n')
    body += line(0, BUTTON_ROW - 9.5, width, BUTTON_ROW - 9.5, f'stroke="#e0c48a" stroke-width="1" '
                 f'{QPEN}')
    return svg(width, height, body, defs + more_defs)
