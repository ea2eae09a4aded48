#!/usr/bin/python3
"""Writes a set of answer rooms for qrta-answer-trial to read: rooms written with digits the
reader never learned from, as 8-bit grey PGM files, and what each holds.

    /usr/bin/python3 tools/trainreader/answerset.py trial DIR     # the figures reported
    /usr/bin/python3 tools/trainreader/answerset.py tuning DIR    # where margins are chosen

The tuning set uses held-out digits 400-449 of each digit, the trial 450-499, so that the
margins are never chosen on the rooms that report them. DIR/rooms.tsv has one line a room:
file, what is written (X for ink that is no digit), the expected answer, the verdict a
careful reader would give (right, wrong, unsure) and the room's kind:
  answer   the answer of a question as children write it: 1 to 4 digits, 80 % of them right,
           the others the answer plus 1 to 9; spaced, touching or overlapping neighbours
  single   one held-out digit alone
  pair     two held-out digits touching or overlapping
  crossed  an answer with a crossing-out: never sure
  stray    an answer with a stroke beside it that is no digit: never sure
  blank    no writing at all: never sure
DIR/inputs.f32 holds the network's view of every sixteenth room as this side computes it, so
that the C++ reader's view can be checked against it.
"""

import os
import sys

import cv2
import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import answerink as ai  # noqa: E402

PARITY_EVERY = 16


def question_answer(rng):
    n = int(rng.choice([1, 2, 3, 4], p=[0.15, 0.4, 0.3, 0.15]))
    if n == 1:
        return str(int(rng.integers(0, 10)))
    return str(int(rng.integers(10 ** (n - 1), 10 ** n)))


def rooms(rng, sheet, span, answers):
    spacing = {'spaced': (1, 0, 0), 'touching': (0, 1, 0), 'overlapping': (0, 0, 1)}
    plain = dict(height=(0.75, 1.3), forms=0.1, cross_out=0, stray=0)
    for _ in range(answers):
        expected = question_answer(rng)
        right = rng.random() < 0.8
        written = expected if right else str(int(expected) + int(rng.integers(1, 10)))
        how = rng.choice(list(spacing), p=[0.4, 0.35, 0.25])
        room, label = ai.write_answer(rng, sheet, written, span,
                                      ai.Style(spacing=spacing[how], **plain))
        yield room, label, expected, 'right' if right else 'wrong', 'answer-' + how
    for i in range(2 * (span[1] - span[0]) * 10):
        digit = str(i % 10)
        room, label = ai.write_answer(rng, sheet, digit, span, ai.Style(**plain))
        yield room, label, digit, 'right', 'single'
    for _ in range(1000):
        text = ''.join(str(int(rng.integers(0, 10))) for _ in range(2))
        room, label = ai.write_answer(rng, sheet, text, span,
                                      ai.Style(spacing=(0, 0.6, 0.4), **plain))
        yield room, label, text, 'right', 'pair'
    for kind, style in (('crossed', dict(cross_out=1.0, stray=0)),
                        ('stray', dict(cross_out=0, stray=1.0))):
        made = 0
        while made < 150:
            text = question_answer(rng)
            room, label = ai.write_answer(rng, sheet, text, span,
                                          ai.Style(height=(0.75, 1.3), forms=0.1, **style))
            if 'X' not in label:
                continue  # no room beside the answer for the stroke
            made += 1
            yield room, label, text, 'unsure', kind
    for _ in range(50):
        h, w = int(rng.integers(44, 120)), int(rng.integers(80, 300))
        room = ai.photograph(rng, np.zeros((h, w), np.float32), ai.Style(printed=0.5))
        yield room, '', question_answer(rng), 'unsure', 'blank'


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ('trial', 'tuning'):
        raise SystemExit(__doc__)
    which, out = sys.argv[1], sys.argv[2]
    span, seed = (ai.TRIAL, 450) if which == 'trial' else (ai.TUNING, 400)
    cv2.setNumThreads(1)
    rng = np.random.default_rng(seed)
    sheet = ai.DigitSheet()
    os.makedirs(os.path.join(out, 'rooms'), exist_ok=True)
    inputs = []
    with open(os.path.join(out, 'rooms.tsv'), 'w') as index:
        for n, (room, written, expected, truth, kind) in enumerate(rooms(rng, sheet, span, 2400)):
            name = f'rooms/{n:05d}.pgm'
            cv2.imwrite(os.path.join(out, name), room)
            index.write(f'{name}\t{written}\t{expected}\t{truth}\t{kind}\n')
            if n % PARITY_EVERY == 0:
                seen = ai.reader_input(room)
                inputs.append(seen[0] if seen else np.zeros((ai.INPUT_H, ai.INPUT_W), np.float32))
    np.stack(inputs).astype('<f4').tofile(os.path.join(out, 'inputs.f32'))
    print(f'{n + 1} rooms in {out}')


if __name__ == '__main__':
    main()
