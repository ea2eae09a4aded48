"""The main menu's landscape: the sky, the hills and the lawn, the apple tree whose crown holds
the apples, and the white footer. The menu paints its words and the tip over it."""

import math

from svgkit import QPEN, ellipse, line, opacity, rounded, svg, user_linear, user_radial

WIDTH, HEIGHT = 800, 520  # the menu window
TITLE_HEIGHT = 32  # TitleStrip::kHeight: the sky's gradient starts below the strip
CROWN = (450, 200)
CROWN_RADII = (236, 150)
FOOTER = (12, 476, 776, 34)

PUFFS = [(160, 52, 70, 26), (196, 44, 64, 30), (560, 150, 60, 20), (590, 144, 70, 26),
         (704, 180, 60, 22)]
FLOWERS = [((150, 446), "#ffffff"), ((236, 458), "#ffd43b"), ((318, 440), "#ff8fab"),
           ((560, 452), "#ffffff"), ((620, 438), "#ffd43b"), ((700, 456), "#ff8fab"),
           ((760, 436), "#ffffff"), ((520, 436), "#ff8fab")]


def box_ellipse(x, y, w, h, attrs):
    """An ellipse in its bounding box, as QPainter::drawEllipse(QRectF) takes it."""
    return ellipse(x + w / 2, y + h / 2, w / 2, h / 2, attrs)


def sky():
    defs = user_linear("sky", [(0, "#63bff3"), (0.55, "#aee0fb"), (1, "#eaf8ff")],
                       (0, TITLE_HEIGHT), (0, 420))
    body = f'<rect x="0" y="0" width="{WIDTH}" height="430" fill="url(#sky)"/>\n'
    # Faint puffs far behind the cloud button give the sky some depth.
    body += "".join(box_ellipse(*p, f'fill="#ffffff" fill-opacity="{opacity(90)}"')
                    for p in PUFFS)
    for bx, by in ((186, 104), (208, 92)):
        body += (
            f'<path d="M{bx - 7},{by - 3} Q{bx - 3},{by - 5} {bx},{by} Q{bx + 3},{by - 5} '
            f'{bx + 7},{by - 3}" fill="none" stroke="#35607e" stroke-width="1.6" '
            'stroke-linecap="round" stroke-linejoin="round"/>\n'
        )
    return defs, body


def lawn():
    defs = user_linear("grass", [(0, "#86d35a"), (1, "#4ea736")], (0, 400), (0, 520))
    body = box_ellipse(-120, 360, 520, 150, 'fill="#b5e39a"')
    body += box_ellipse(470, 356, 460, 160, 'fill="#a4da86"')
    body += (
        '<path d="M0,420 C140,400 260,430 400,414 C540,398 660,428 800,408 L800,520 L0,520 Z" '
        'fill="url(#grass)"/>\n'
    )
    for (fx, fy), petals in FLOWERS:
        for i in range(5):
            a = i * 2 * math.pi / 5
            body += ellipse(fx + 3.2 * math.cos(a), fy + 3.2 * math.sin(a), 2.6, 2.6,
                            f'fill="{petals}"')
        body += ellipse(fx, fy, 2, 2, 'fill="#f59f00"')
    return defs, body


def tree():
    cx, cy = CROWN
    rx, ry = CROWN_RADII
    defs = user_linear("bark", [(0, "#8a5a2b"), (0.45, "#b07a42"), (1, "#6b4220")],
                       (cx - 40, 0), (cx + 40, 0))
    body = (
        f'<path d="M{cx - 22},330 C{cx - 20},380 {cx - 26},420 {cx - 44},446 L{cx + 44},446 '
        f'C{cx + 26},420 {cx + 20},380 {cx + 22},330 Z" fill="url(#bark)" stroke="#5a3716" '
        f'stroke-width="1.5" {QPEN}/>\n'
    )
    grain = 'stroke="#6b4220" stroke-width="1.2" stroke-linecap="round" stroke-linejoin="bevel"'
    body += line(cx - 6, 372, cx - 2, 400, grain) + line(cx + 8, 388, cx + 10, 418, grain)

    # The crown: a dark body, round bumps along its rim, and light patches where the sun
    # falls from the upper left.
    defs += user_radial("leaves", [(0, "#7cc95a"), (0.6, "#4fa83e"), (1, "#3a8a30")],
                        (cx - 60, cy - 50), 300)
    bumps = 22
    for i in range(bumps):
        a = i * 2 * math.pi / bumps
        body += ellipse(cx + (rx - 22) * math.cos(a), cy + (ry - 20) * math.sin(a),
                        36 + 6 * (i % 3), 34 + 5 * ((i + 1) % 3), 'fill="#347d2b"')
    body += ellipse(cx, cy, rx - 6, ry - 6, 'fill="url(#leaves)"')
    for i in range(bumps):
        a = (i + 0.5) * 2 * math.pi / bumps
        body += ellipse(cx + (rx - 34) * math.cos(a), cy + (ry - 30) * math.sin(a), 34, 30,
                        'fill="url(#leaves)"')
    for n, (dx, dy, r) in enumerate(((-80, -84, 110), (80, -96, 80))):
        defs += user_radial(f"light{n}", [(0, "#d8f5a8", opacity(90)), (1, "#d8f5a8", 0)],
                            (cx + dx, cy + dy), r)
        body += ellipse(cx + dx, cy + dy, r, r * 0.6, f'fill="url(#light{n})"')
    return defs, body


def footer():
    return rounded(*FOOTER, 10, f'fill="#ffffff" fill-opacity="{opacity(200)}" stroke="#ffffff" '
                   f'stroke-opacity="{opacity(230)}" stroke-width="1" {QPEN}')


def landscape():
    defs, body = "", ""
    for part in (sky, lawn, tree):
        more_defs, more_body = part()
        defs += more_defs
        body += more_body
    return svg(WIDTH, HEIGHT, body + footer(), defs)
