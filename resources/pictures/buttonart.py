"""The captioned command buttons of the feature windows, and the main menu's tips."""

import math

from menuart import APPLE
from svgkit import linear, puff, svg, text


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
    73: "综合练习",
    74: "单一题型",
    75: "编辑题组",
    76: "添加",
    77: "删除",
    78: "上移",
    79: "下移",
    80: "确定",
    81: "取消",
    82: "拍照批改",
    83: "保存(Ctrl+S)",
    84: "下一个(Tab)",
    85: "导出成绩",
    86: "导入名单",
    87: "加入班级",
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
