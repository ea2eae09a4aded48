"""Answers as children write them into the rooms of a worksheet, and the reader's view of a room.

Shared by trainanswers.py (training) and answerset.py (the tuning and trial sets). Every
digit comes from opencv-doc's sheet of handwritten digits: the first 400 of each digit to
learn from, the last 100 never learned from. reader_input() must stay the same computation as
AnswerRecogniser's in src/scan/answerrecogniser.cpp: the model only knows rooms seen through it.
"""

import cv2
import numpy as np

DIGITS_PNG = '/usr/share/doc/opencv-doc/examples/data/digits.png'
CELL = 20
PER_DIGIT = 500
TRAINED = (0, 400)
# The held-out digits, halved: the verdict's margins are chosen on rooms written with the
# first half, the trial that reports the figures uses only the second.
TUNING = (400, 450)
TRIAL = (450, 500)

# Class 0 is CTC's blank; class i + 1 is ALPHABET[i]. X stands for ink that is no digit
# (a crossing-out, a scribble, a stray stroke): a reading with it is never sure.
ALPHABET = '0123456789X'
CLASSES = len(ALPHABET) + 1

INPUT_H, INPUT_W = 32, 128
INK_H, INK_TOP, MAX_INK_W = 24, 4, 120
FRAME = 4  # input columns per output frame

# The written digit height a worksheet room is made for: 6.5 mm at 8 px/mm.
DIGIT_PX = 52


class DigitSheet:
    """The cells of digits.png as ink (1) on nothing (0), cropped to their ink."""

    def __init__(self, path=DIGITS_PNG):
        sheet = cv2.imread(path, cv2.IMREAD_GRAYSCALE)
        if sheet is None:
            raise SystemExit(f'cannot read {path} (Debian package opencv-doc)')
        self.cells = {}
        for d in range(10):
            for i in range(PER_DIGIT):
                row, col = d * 5 + i // 100, i % 100
                cell = sheet[row * CELL:(row + 1) * CELL, col * CELL:(col + 1) * CELL]
                self.cells[d, i] = crop_ink(cell.astype(np.float32) / 255.0)

    def pick(self, rng, digit, span):
        return self.cells[digit, int(rng.integers(span[0], span[1]))]


def crop_ink(alpha, floor=0.08):
    ys, xs = np.nonzero(alpha > floor)
    if len(ys) == 0:
        return alpha
    return alpha[ys.min():ys.max() + 1, xs.min():xs.max() + 1]


# ---------------------------------------------------------------------------------------------
# Forms children use that the sheet has few of. Drawn four times larger than a cell, with a
# stroke like the sheet's, then brought down to a cell's size.

UP = 4


def _canvas_from(alpha):
    """The cell's ink at UP times its size on a margin, to draw on."""
    big = cv2.resize(alpha, None, fx=UP, fy=UP, interpolation=cv2.INTER_CUBIC)
    big = np.clip(big, 0, 1)
    return cv2.copyMakeBorder(big, 8 * UP, 8 * UP, 8 * UP, 8 * UP, cv2.BORDER_CONSTANT, value=0)


def _stroke(canvas, points, width):
    pts = np.round(np.array(points) * 16).astype(np.int32)
    layer = np.zeros_like(canvas)
    cv2.polylines(layer, [pts], False, 1.0, int(round(width)), cv2.LINE_AA, shift=4)
    np.maximum(canvas, layer, out=canvas)


def _down(canvas):
    small = cv2.resize(canvas, None, fx=1 / UP, fy=1 / UP, interpolation=cv2.INTER_AREA)
    return crop_ink(np.clip(small, 0, 1))


def bare_one(rng):
    """A 1 as one stroke, a little slanted."""
    canvas = np.zeros((28 * UP, 28 * UP), np.float32)
    h = 16 * UP * rng.uniform(0.9, 1.1)
    lean = h * rng.uniform(-0.25, 0.3)
    cx, top = 14 * UP, 6 * UP
    bow = rng.uniform(-0.04, 0.04) * h
    points = [(cx + lean / 2, top), (cx + bow, top + h / 2), (cx - lean / 2, top + h)]
    _stroke(canvas, points, rng.uniform(6, 10))
    return _down(canvas)


def one_with_flag(rng, one):
    """A 1 with the short stroke at its top that many children start it with."""
    canvas = _canvas_from(one)
    ys, xs = np.nonzero(canvas > 0.5)
    top = ys.min()
    x = xs[ys < top + 2 * UP].mean()
    h = ys.max() - top
    flag = h * rng.uniform(0.2, 0.4)
    angle = rng.uniform(0.45, 1.0)  # below the horizontal, to the left
    _stroke(canvas, [(x, top + UP), (x - flag * np.cos(angle), top + UP + flag * np.sin(angle))],
            rng.uniform(6, 9))
    if rng.random() < 0.25:  # and a foot
        bottom, xb = ys.max(), xs[ys > ys.max() - 2 * UP].mean()
        foot = h * rng.uniform(0.18, 0.3)
        _stroke(canvas, [(xb - foot, bottom), (xb + foot, bottom)], rng.uniform(6, 9))
    return _down(canvas)


def seven_with_bar(rng, seven):
    """A 7 with a bar across its stem."""
    canvas = _canvas_from(seven)
    ys, xs = np.nonzero(canvas > 0.5)
    top, bottom = ys.min(), ys.max()
    y = int(top + (bottom - top) * rng.uniform(0.45, 0.62))
    row = np.nonzero(canvas[y] > 0.5)[0]
    if len(row) == 0:
        return seven
    x = row.mean()
    half = (bottom - top) * rng.uniform(0.16, 0.26)
    tilt = (bottom - top) * rng.uniform(-0.05, 0.05)
    _stroke(canvas, [(x - half, y + tilt), (x + half, y - tilt)], rng.uniform(6, 9))
    return _down(canvas)


def open_four(rng):
    """A 4 whose top is open: a bent stroke, and the upright apart from it."""
    canvas = np.zeros((28 * UP, 28 * UP), np.float32)
    h = 16 * UP * rng.uniform(0.9, 1.1)
    w = h * rng.uniform(0.6, 0.8)
    left, top = 14 * UP - w / 2, 6 * UP
    cross = top + h * rng.uniform(0.55, 0.7)
    width = rng.uniform(6, 10)
    start = (left + w * rng.uniform(0.25, 0.55), top + h * rng.uniform(0.0, 0.08))
    _stroke(canvas, [start, (left, cross), (left + w, cross + h * rng.uniform(-0.05, 0.03))], width)
    xs = left + w * rng.uniform(0.6, 0.8)
    _stroke(canvas, [(xs + h * 0.04, top + h * rng.uniform(0.0, 0.15)), (xs - h * 0.04, top + h)],
            width)
    return _down(canvas)


def looped_two(rng):
    """A 2 begun with a small loop at the top left, as many children write it."""
    canvas = np.zeros((28 * UP, 28 * UP), np.float32)
    h = 16 * UP * rng.uniform(0.9, 1.1)
    w = h * rng.uniform(0.6, 0.8)
    left, top = 14 * UP - w / 2, 6 * UP
    r = h * rng.uniform(0.1, 0.17)
    cx, cy = left + r * rng.uniform(1.0, 1.6), top + h * rng.uniform(0.2, 0.32)
    # The loop, from its bottom round anticlockwise, then over the arch and down to the foot.
    loop = [(cx + r * np.sin(a), cy + r * np.cos(a)) for a in np.linspace(0, 2 * np.pi, 14)]
    arch = [(left + w * (0.5 + 0.5 * np.sin(a)), top + h * (0.3 - 0.3 * np.cos(a)))
            for a in np.linspace(-1.2, 1.4, 10)]
    foot_x = left + w * rng.uniform(-0.05, 0.1)
    bottom = top + h
    points = loop + arch + [(foot_x, bottom), (left + w * rng.uniform(0.9, 1.1),
                                                bottom + h * rng.uniform(-0.06, 0.02))]
    _stroke(canvas, points, rng.uniform(6, 10))
    return _down(canvas)


def open_six(rng):
    """A 6 whose stem and bowl hardly meet, like "lo"."""
    canvas = np.zeros((28 * UP, 28 * UP), np.float32)
    h = 16 * UP * rng.uniform(0.9, 1.1)
    w = h * rng.uniform(0.55, 0.75)
    left, top = 14 * UP - w / 2, 6 * UP
    width = rng.uniform(6, 10)
    stem_x = left + w * rng.uniform(0.1, 0.25)
    _stroke(canvas, [(stem_x + h * rng.uniform(0.25, 0.4), top),
                     (stem_x + h * 0.05, top + h * 0.3), (stem_x - h * 0.03, top + h * 0.65),
                     (stem_x, top + h)], width)
    r = h * rng.uniform(0.2, 0.26)
    cx = stem_x + r + h * rng.uniform(0.0, 0.08)
    cy = top + h - r
    _stroke(canvas, [(cx + r * np.cos(a), cy + r * 0.9 * np.sin(a))
                     for a in np.linspace(0, 2 * np.pi, 16)], width)
    return _down(canvas)


def glyph(rng, sheet, digit, span, forms=0.15, curly=False):
    """One written digit as ink in cell space: mostly the sheet's, sometimes a child's form."""
    cell = sheet.pick(rng, digit, span)
    if forms > 0 and rng.random() < forms:
        if digit == 1:
            return bare_one(rng) if rng.random() < 0.4 else one_with_flag(rng, cell)
        if digit == 7:
            return seven_with_bar(rng, cell)
        if digit == 4 and rng.random() < 0.6:
            return open_four(rng)
        if curly and digit == 2 and rng.random() < 0.6:
            return looped_two(rng)
        if curly and digit == 6 and rng.random() < 0.4:
            return open_six(rng)
    return cell


def restroke(alpha, width):
    """The digit's path drawn again with another pen, its stroke width of the digit's height:
    the sheet was written with a felt pen about a fifth of a digit wide, where a child's
    ballpoint or sharp pencil draws a tenth to a twentieth. Thinned to its middle line at UP
    times the size, widened again and brought down to UP / 2 times: thin lines stay smooth."""
    big = _canvas_from(alpha)
    line = cv2.ximgproc.thinning((big > 0.45).astype(np.uint8) * 255)
    ys, _ = np.nonzero(line)
    if len(ys) == 0:
        return alpha
    across = max(2, int(round(width * (ys.max() - ys.min() + 1))))
    out = cv2.dilate(line, cv2.getStructuringElement(cv2.MORPH_ELLIPSE, (across, across)))
    out = cv2.GaussianBlur(out.astype(np.float32) / 255, (0, 0), UP / 4)
    return crop_ink(cv2.resize(out, None, fx=0.5, fy=0.5, interpolation=cv2.INTER_AREA), 0.05)


# ---------------------------------------------------------------------------------------------
# Writing an answer into a room.


def pen(rng, alpha, height, slant, stroke, bend=0.0):
    """The cell's ink at a written size: turned, slanted, the stroke thinned or thickened."""
    scale = height / alpha.shape[0]
    turn = np.deg2rad(rng.uniform(-7, 7))
    wide = rng.uniform(0.85, 1.2)
    a = np.array([[np.cos(turn), -np.sin(turn)], [np.sin(turn), np.cos(turn)]])
    a = a @ np.array([[1, -slant], [0, 1]]) @ np.diag([scale * wide, scale])
    h, w = alpha.shape
    corners = np.array([[0, 0], [w, 0], [0, h], [w, h]], np.float64) @ a.T
    lo, hi = corners.min(0), corners.max(0)
    pad = 3
    size = (int(np.ceil(hi[0] - lo[0])) + 2 * pad, int(np.ceil(hi[1] - lo[1])) + 2 * pad)
    m = np.hstack([a, (pad - lo).reshape(2, 1)]).astype(np.float64)
    out = cv2.warpAffine(alpha, m, size, flags=cv2.INTER_LINEAR, borderValue=0)
    if bend > 0 and rng.random() < bend:
        out = elastic(rng, out, height)
    # The sheet's strokes are a fifth of a cell wide, a felt pen's at this size: cutting their
    # soft edges higher thins them towards a pencil's; beyond 0.45 light strokes break apart.
    out = np.clip((out - stroke) / 0.25 + 0.5, 0, 1)
    if scale > 2.2 and rng.random() < 0.15:
        out = cv2.dilate(out, cv2.getStructuringElement(cv2.MORPH_ELLIPSE, (3, 3)))
    out = cv2.GaussianBlur(out, (0, 0), 0.6)
    return crop_ink(out, 0.05)


# Elastic warping (Simard, Steinkraus and Platt, 2003): every written digit bent a little by a
# smooth random field, so that the network meets each of the sheet's digits in many hands
# (a 2 with a loop or without, a 4 closed or open at the top) rather than learning its
# writers' exact strokes. The field's smoothness and strength are in the digit's height.
ELASTIC_SMOOTH = 0.2
ELASTIC_STRENGTH = (0.02, 0.05)


def elastic(rng, alpha, height):
    h, w = alpha.shape
    smooth = ELASTIC_SMOOTH * height
    strength = rng.uniform(*ELASTIC_STRENGTH) * height
    fields = []
    for _ in range(2):
        field = cv2.GaussianBlur(noise(rng, (h, w)), (0, 0), smooth)
        fields.append(field * (strength / max(float(field.std()), 1e-6)))
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32)
    return cv2.remap(alpha, xs + fields[0], ys + fields[1], cv2.INTER_LINEAR,
                     borderMode=cv2.BORDER_CONSTANT, borderValue=0)


def cross_out(rng, ink, box, height):
    """Strokes through the ink in box (x0, y0, x1, y1): lines, a cross, a zigzag or a scribble."""
    x0, y0, x1, y1 = box
    over = height * rng.uniform(0.15, 0.4)
    width = max(2, int(round(height * rng.uniform(0.06, 0.12))))
    kind = rng.integers(0, 5)
    lines = []
    if kind == 0:  # one or two lines along it
        for k in range(1 + int(rng.random() < 0.4)):
            y = y0 + (y1 - y0) * rng.uniform(0.3, 0.7) + k * height * 0.18
            lines.append([(x0 - over, y + rng.uniform(-3, 3)), (x1 + over, y + rng.uniform(-3, 3))])
    elif kind == 1:  # a slash
        lines.append([(x0 - over / 2, y1 + over / 3), (x1 + over / 2, y0 - over / 3)])
    elif kind == 2:  # a cross
        lines.append([(x0 - over / 2, y1), (x1 + over / 2, y0)])
        lines.append([(x0 - over / 2, y0), (x1 + over / 2, y1)])
    elif kind == 3:  # a zigzag across
        n = int(rng.integers(3, 7))
        xs = np.linspace(x0 - over / 2, x1 + over / 2, n + 1)
        lines.append([(x, y0 + (y1 - y0) * (0.15 if i % 2 else 0.85) + rng.uniform(-4, 4))
                      for i, x in enumerate(xs)])
    else:  # a scribble over it, wider than a stroke of the digit it hides
        n = int(rng.integers(6, 14))
        mid, half = (x0 + x1) / 2, max((x1 - x0) / 2 + over / 2, 0.35 * height)
        lines.append([(rng.uniform(mid - half, mid + half), rng.uniform(y0, y1))
                      for _ in range(n)])
    layer = np.zeros_like(ink)
    for pts in lines:
        p = np.round(np.array(pts) * 16).astype(np.int32)
        cv2.polylines(layer, [p], False, 1.0, width, cv2.LINE_AA, shift=4)
    np.maximum(ink, layer, out=ink)


def stray(rng, ink, x, y, height, away):
    """A short stroke that is no digit, starting at (x, y) and reaching away (+1 right, -1
    left) from the answer: a dash, a tick or a wave. Nothing upright, nothing closed: that
    would be a 1 or a 0."""
    length = height * rng.uniform(0.3, 0.5)
    width = max(2, int(round(height * rng.uniform(0.06, 0.1))))
    kind = rng.integers(0, 3)
    angle = rng.uniform(-0.8, 0.8)
    if kind == 0:
        pts = [(0, 0), (length * np.cos(angle), length * np.sin(angle))]
    elif kind == 1:
        pts = [(0, -0.15 * length), (0.35 * length, 0.2 * length), (length, -0.5 * length)]
    else:
        t = np.linspace(0, 1, 9)
        pts = [(length * a, 0.12 * length * np.sin(2 * np.pi * a)) for a in t]
    p = np.array([(x + away * px, y + py) for px, py in pts])
    p = np.round(p * 16).astype(np.int32)
    cv2.polylines(ink, [p], False, 1.0, width, cv2.LINE_AA, shift=4)


class Style:
    """How an answer is written and photographed; the trial's differs from the training's."""

    def __init__(self, **kw):
        self.spacing = (0.45, 0.35, 0.20)  # spaced, touching, overlapping
        self.forms = 0.15
        self.cross_out = 0.04
        self.stray = 0.03
        self.printed = 0.3
        self.height = (0.55, 1.5)  # of DIGIT_PX
        self.bend = 0.0  # the share of digits warped elastically
        self.curly = False  # 2s with a looped top and open 6s among the children's forms
        self.fine = 0.0  # the share of answers written with a fine pen (see restroke)
        self.__dict__.update(kw)


def write_answer(rng, sheet, text, span, style):
    """A room holding text written by hand: 8-bit grey, dark ink on paper, as the reader cuts a
    room out of a straightened photo; and the label the reader should give it."""
    height = DIGIT_PX * rng.uniform(*style.height)
    slant = rng.normal(0.12, 0.18)  # most children lean right
    stroke = rng.uniform(0.15, 0.45)
    # Drawn only where fine pens may be, so that rooms without them stay as they always were.
    fine = rng.uniform(0.04, 0.11) if style.fine and rng.random() < style.fine else 0
    if fine:
        stroke = rng.uniform(0.25, 0.35)  # its width is the pen's: no thinning at the edges
    glyphs = []
    for ch in text:
        cell = glyph(rng, sheet, int(ch), span, style.forms, style.curly)
        if fine:
            cell = restroke(cell, fine)
        h = height * rng.uniform(0.88, 1.12)
        if ch == '1' and rng.random() < 0.3:
            h *= rng.uniform(0.9, 1.1)
        glyphs.append(pen(rng, cell, h, slant + rng.normal(0, 0.05), stroke, style.bend))

    kind = rng.choice(3, p=style.spacing)
    xs, x = [], 0.0
    tops = []
    baseline = height * 1.2
    rise = rng.uniform(-0.06, 0.06)
    for i, g in enumerate(glyphs):
        if i > 0:
            k = kind if rng.random() < 0.8 else rng.choice(3, p=style.spacing)
            gap = [rng.uniform(0.04, 0.55), rng.uniform(-0.08, 0.02), rng.uniform(-0.3, -0.06)][k]
            x += gap * height
        xs.append(x)
        bottom = baseline + rng.normal(0, 0.05) * height + rise * x
        tops.append(bottom - g.shape[0])
        x += g.shape[1]
    ink_w = x
    top = min(tops)
    ink_h = max(t + g.shape[0] for t, g in zip(tops, glyphs)) - top

    room_h = int(max(ink_h + 8, ink_h / rng.uniform(0.3, 0.88)))
    margin_l = rng.uniform(0.05, 1.2) * height
    margin_r = rng.uniform(0.05, 1.8) * height
    crossed = rng.random() < style.cross_out
    # A stroke beside the answer: far enough from the room's edge that it is not mistaken for
    # what is left there of the printed sheet.
    away = 0 if crossed or rng.random() >= style.stray else (1 if rng.random() < 0.5 else -1)
    gap = rng.uniform(0.2, 0.35) * height
    if away == 1:
        margin_r = max(margin_r, gap + height * rng.uniform(0.7, 1.0))
    elif away == -1:
        margin_l = max(margin_l, gap + height * rng.uniform(0.7, 1.0))
    room_w = int(ink_w + margin_l + margin_r)
    oy = rng.uniform(2, max(3, room_h - ink_h - 2)) - top
    ink = np.zeros((room_h, room_w), np.float32)
    boxes = []
    for g, gx, gy in zip(glyphs, xs, tops):
        X, Y = int(round(gx + margin_l)), int(round(gy + oy))
        y0, x0 = max(Y, 0), max(X, 0)
        y1, x1 = min(Y + g.shape[0], room_h), min(X + g.shape[1], room_w)
        if y1 <= y0 or x1 <= x0:
            continue
        part = g[y0 - Y:y1 - Y, x0 - X:x1 - X]
        region = ink[y0:y1, x0:x1]
        region[...] = 1 - (1 - region) * (1 - part)
        boxes.append((x0, y0, x1, y1))

    label = text
    if crossed and boxes:
        i = int(rng.integers(0, len(boxes)))
        j = int(rng.integers(i, len(boxes)))
        box = (boxes[i][0], min(b[1] for b in boxes[i:j + 1]),
               boxes[j][2], max(b[3] for b in boxes[i:j + 1]))
        cross_out(rng, ink, box, height)
        label = text[:i] + 'X' + text[j + 1:]
    elif away != 0 and boxes:
        near = boxes[-1] if away == 1 else boxes[0]
        y = rng.uniform(near[1] + 0.2 * (near[3] - near[1]), near[3] - 0.2 * (near[3] - near[1]))
        stray(rng, ink, (near[2] + gap) if away == 1 else (near[0] - gap), y, height, away)
        label = text + 'X' if away == 1 else 'X' + text

    return photograph(rng, ink, style), label


def printed_remains(rng, paper_ink):
    """What of the printed sheet a room may show at its edges: the end of the "＝" before it
    and a grid line along its top or bottom."""
    h, w = paper_ink.shape
    if rng.random() < 0.5:
        length = int(rng.integers(2, max(3, h // 4)))
        gap = int(h * rng.uniform(0.12, 0.2))
        mid = int(h * rng.uniform(0.4, 0.6))
        t = int(rng.integers(2, 4))
        for y in (mid - gap // 2 - t, mid + gap // 2):
            paper_ink[max(0, y):y + t, 0:length] = 1
    else:
        t = int(rng.integers(1, 4))
        if rng.random() < 0.5:
            paper_ink[0:t, :] = 1
        else:
            paper_ink[h - t:h, :] = 1


_NOISE = np.random.default_rng(1).standard_normal((1024, 1024), dtype=np.float32)


def noise(rng, shape):
    """Gaussian noise of that shape: a random part of one large field, as drawing it afresh
    for every room costs more than the rest of the room."""
    h, w = shape
    if h > 1024 or w > 1024:
        return rng.standard_normal(shape, dtype=np.float32)
    y, x = int(rng.integers(0, 1025 - h)), int(rng.integers(0, 1025 - w))
    field = _NOISE[y:y + h, x:x + w]
    return field if rng.random() < 0.5 else field[::-1, ::-1]


def photograph(rng, ink, style):
    """Ink on paper as a phone sees it after the page is straightened: pencil grey to pen
    black, graphite's grain, uneven light, noise, blur, JPEG."""
    h, w = ink.shape
    if rng.random() < 0.6:  # pencil: grainy
        grain = noise(rng, ink.shape)
        grain = cv2.GaussianBlur(grain, (0, 0), rng.uniform(0.5, 1.2))
        ink = ink * np.clip(1 - rng.uniform(0.1, 0.35) * np.abs(grain) * 1.5, 0, 1)
        darkness = rng.uniform(0.4, 0.85)
    else:
        darkness = rng.uniform(0.55, 0.95)
    printed = np.zeros_like(ink)
    if rng.random() < style.printed:
        printed_remains(rng, printed)
    paper = rng.uniform(120, 235)
    across = rng.uniform(-0.12, 0.12) * (np.arange(w, dtype=np.float32) / w - 0.5)
    down = rng.uniform(-0.12, 0.12) * (np.arange(h, dtype=np.float32) / h - 0.5)
    light = paper * (1 + across[None, :] + down[:, None])
    grey = light * (1 - darkness * ink) * (1 - 0.85 * printed)
    grey = cv2.GaussianBlur(grey, (0, 0), rng.uniform(0.3, 1.4))
    if rng.random() < 0.4:  # a photo of less resolution than the straightened page
        f = rng.uniform(1.2, 2.0)
        small = cv2.resize(grey, (max(8, int(w / f)), max(8, int(h / f))),
                           interpolation=cv2.INTER_AREA)
        grey = cv2.resize(small, (w, h), interpolation=cv2.INTER_LINEAR)
    grey = grey + rng.uniform(1, 5) * noise(rng, grey.shape)
    grey = np.clip(grey, 0, 255).astype(np.uint8)
    ok, jpeg = cv2.imencode('.jpg', grey, [cv2.IMWRITE_JPEG_QUALITY, int(rng.integers(50, 95))])
    return cv2.imdecode(jpeg, cv2.IMREAD_GRAYSCALE)


# ---------------------------------------------------------------------------------------------
# The reader's view of a room: the same steps as AnswerRecogniser::input().

MIN_CONTRAST = 28
MAX_CONTRAST = 70
FAINT_FLOOR = 14
INK_FLOOR = 20
MAX_INK_SHARE = 0.35


def printed_line(x, y, w, h, rows, cols):
    """A printed line's remains: a grid line along the room's edge, the "＝" cut by its side.
    Takes numpy arrays of boxes."""
    thin = max(4, rows // 8)
    flat = (h <= thin) & (w >= 3 * h)
    upright = (w <= thin) & (h >= 3 * w)
    edge_x = (x == 0) | (x + w == cols)
    return ((flat & ((y == 0) | (y + h == rows) | (w > 0.8 * cols)))
            | (edge_x & (h <= thin))
            | (upright & edge_x & (y == 0) & (y + h == rows)))


def reader_input(room):
    """The room as the network sees it: INPUT_H × INPUT_W floats 0..1, the ink's strength,
    its height scaled to INK_H and centred; None when the room holds no ink. Also what the
    verdict needs besides: the kept pieces' spans in input columns and whether the room is
    too full of ink to be read."""
    rows, cols = room.shape
    if rows < 8 or cols < 8:
        return None
    k = max(5, rows // 5) | 1
    paper = cv2.dilate(room, cv2.getStructuringElement(cv2.MORPH_RECT, (k, k)))
    paper = cv2.blur(paper, (k, k))
    contrast = cv2.subtract(paper, room)
    level, _ = cv2.threshold(contrast, 0, 255, cv2.THRESH_BINARY | cv2.THRESH_OTSU)
    level = min(max(level, MIN_CONTRAST), MAX_CONTRAST)
    # Faint parts of strokes count where they touch ink: a pencil's grain leaves a stroke
    # half as dark in places, and the reader must see the whole digit. Faint is above the
    # paper's own mottle, which most of the room is.
    median = int(np.searchsorted(np.cumsum(np.bincount(contrast.ravel(), minlength=256)),
                                 int(np.ceil(0.5 * contrast.size))))
    faint = max(FAINT_FLOOR, level / 3, 2 * median)
    _, mask = cv2.threshold(contrast, faint, 255, cv2.THRESH_BINARY)
    n, labels, stats, _ = cv2.connectedComponentsWithStats(mask, connectivity=8)
    inked = np.zeros(n, bool)
    inked[labels[contrast > max(INK_FLOOR, level / 2)]] = True
    x, y, w, h, area = (stats[:, i] for i in range(5))
    remains = printed_line(x, y, w, h, rows, cols)
    remains[0] = True  # the paper
    tallest = h[inked & ~remains].max() if (inked & ~remains).any() else 0
    # A stub at the side, much lower than the writing: the end of a printed sign.
    stub = ((x == 0) | (x + w == cols)) & (h < 0.5 * tallest) & (w < 0.5 * tallest)
    keep = inked & ~remains & ~stub & (np.maximum(w, h) >= 0.2 * tallest) & (area >= 4)
    if not keep.any():
        return None
    kept = keep[labels]
    dropped = (labels > 0) & ~kept
    ys, xs = np.nonzero(kept)
    x0, y0, x1, y1 = xs.min(), ys.min(), xs.max() + 1, ys.max() + 1
    values = contrast[kept]
    hist = np.bincount(values, minlength=256)
    need = int(np.ceil(0.9 * len(values)))
    ref = max(int(np.searchsorted(np.cumsum(hist), need)), 1)

    clean = contrast.copy()
    clean[dropped] = 0
    scale = INK_H / (y1 - y0)
    width = max(1, min(MAX_INK_W, int(np.floor((x1 - x0) * scale + 0.5))))
    small = cv2.resize(clean[y0:y1, x0:x1], (width, INK_H), interpolation=cv2.INTER_AREA)
    out = np.zeros((INPUT_H, INPUT_W), np.float32)
    left = (INPUT_W - width) // 2
    strength = (small.astype(np.float32) - faint) / max(ref - faint, 1)
    out[INK_TOP:INK_TOP + INK_H, left:left + width] = np.clip(strength, 0, 1)
    sx = width / (x1 - x0)
    pieces = []
    for i in range(1, n):
        if keep[i]:
            px, py, pw, ph = stats[i, :4]
            pieces.append((left + (px - x0) * sx, left + (px + pw - x0) * sx, ph * scale))
    messy = kept.sum() > MAX_INK_SHARE * rows * cols
    return out, {'pieces': pieces, 'messy': messy, 'ink_w': (x1 - x0) * scale}
