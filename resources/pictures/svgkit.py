"""What every picture is made of: the SVG frame, gradients, text with halos, the puffs of a
cloud. Everything here stays within Qt Svg (SVG Tiny 1.2): no filters, masks or CSS; a comma
list in font-family would be taken as one unknown family name, so text names only
"Noto Sans CJK SC"; where that is missing, PictureRegistry has Qt substitute WenQuanYi Micro Hei.
"""

from xml.sax.saxutils import escape

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


def stops_of(stops):
    """Stops as (offset, colour) or (offset, colour, opacity)."""
    s = ""
    for stop in stops:
        offset, colour, opacity = stop if len(stop) == 3 else (*stop, None)
        alpha = f' stop-opacity="{opacity}"' if opacity is not None else ""
        s += f'<stop offset="{offset}" stop-color="{colour}"{alpha}/>'
    return s


def linear(gid, stops, x1=0, y1=0, x2=0, y2=1, units=None):
    u = f' gradientUnits="{units}"' if units else ""
    return (
        f'<linearGradient id="{gid}"{u} x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">{stops_of(stops)}'
        "</linearGradient>"
    )


def radial(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None, units=None):
    fx = cx if fx is None else fx
    fy = cy if fy is None else fy
    u = f' gradientUnits="{units}"' if units else ""
    return (
        f'<radialGradient id="{gid}"{u} cx="{cx}" cy="{cy}" r="{r}" fx="{fx}" fy="{fy}">'
        f"{stops_of(stops)}</radialGradient>"
    )


def user_linear(gid, stops, start, end):
    """A gradient between two points of the picture, as QLinearGradient takes them."""
    return linear(gid, stops, num(start[0]), num(start[1]), num(end[0]), num(end[1]),
                  units="userSpaceOnUse")


def user_radial(gid, stops, centre, r):
    """A gradient about a point of the picture, as QRadialGradient takes it."""
    return radial(gid, stops, num(centre[0]), num(centre[1]), num(r), units="userSpaceOnUse")


def num(x):
    """A coordinate, written as short as it goes without moving what the painter draws."""
    return f"{x:.4f}".rstrip("0").rstrip(".")


def opacity(alpha):
    """An 8-bit alpha as an SVG opacity that Qt turns back into the same alpha."""
    return f"{alpha / 255:.6f}"


def rounded(x, y, w, h, r, attrs):
    """A rounded rectangle as QPainter::drawRoundedRect draws it: the same curves from the same
    starting point, so that dashes fall where the painter's fall (a <rect> starts elsewhere)."""
    x2, y2, k = x + w, y + h, (1 - 0.5522847498) * r
    d = (f"M{num(x + r)},{num(y)} L{num(x2 - r)},{num(y)} "
         f"C{num(x2 - k)},{num(y)} {num(x2)},{num(y + k)} {num(x2)},{num(y + r)} "
         f"L{num(x2)},{num(y2 - r)} "
         f"C{num(x2)},{num(y2 - k)} {num(x2 - k)},{num(y2)} {num(x2 - r)},{num(y2)} "
         f"L{num(x + r)},{num(y2)} "
         f"C{num(x + k)},{num(y2)} {num(x)},{num(y2 - k)} {num(x)},{num(y2 - r)} "
         f"L{num(x)},{num(y + r)} "
         f"C{num(x)},{num(y + k)} {num(x + k)},{num(y)} {num(x + r)},{num(y)} Z")
    return f'<path d="{d}" {attrs}/>\n'


def ellipse(cx, cy, rx, ry, attrs):
    return f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(rx)}" ry="{num(ry)}" {attrs}/>\n'


def line(x1, y1, x2, y2, attrs):
    return (f'<line x1="{num(x1)}" y1="{num(y1)}" x2="{num(x2)}" y2="{num(y2)}" {attrs}/>\n')


# QPen's defaults, which SVG's are not: a pen made as QPen(colour, width) squares the ends of
# its lines and bevels its corners.
QPEN = 'stroke-linecap="square" stroke-linejoin="bevel"'


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


def puff(shape, extra):
    if shape[0] == "ellipse":
        _, cx, cy, rx, ry = shape
        return f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" {extra}/>\n'
    _, cx, cy, r = shape
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" {extra}/>\n'
