"""The pictures of the main menu: the title strip's buttons, the apples of the question types,
the cloud of the 24-point game, the sun of the test records and the child who says goodbye."""

import math

from svgkit import linear, puff, radial, svg, text


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
