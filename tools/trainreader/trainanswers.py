#!/usr/bin/python3
"""Trains the reader of handwritten answers (resources/reader/answers.onnx) and reports its errors
on digits it never learned from.

    nice -n 19 /usr/bin/python3 tools/trainreader/trainanswers.py --member K [--steps N]
    nice -n 19 /usr/bin/python3 tools/trainreader/trainanswers.py --members N [--out FILE]

scripts/train-reader trains two members side by side and joins them.

Developer tool only: needs Debian's python3-torch and python3-opencv, never the build. The
model reads a whole answer room at once, a convolutional network whose columns of output are
scored with CTC, so that digits written close, touching or across one another are read
together rather than cut apart first. Every room it learns from is composed afresh from the
first 400 of each digit in opencv-doc's digits.png (answerink.py), each digit often bent
elastically, half of them redrawn with the thin line of a child's ballpoint or pencil; a
second stage adds more of the forms children write. Fixed seeds make the same model from the
same sheet.
"""

import argparse
import hashlib
import os
import sys
import time

import cv2
import numpy as np
import torch
from torch import nn

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import answerink as ai  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))
SEED = 20261207
CHECKPOINTS = '/tmp/trainanswers'
# The share of written digits bent elastically while learning.
BEND = 0.7
# The share of answers written with a child's fine pen rather than the sheet's felt pens.
FINE = 0.5
# After learning, each member learns on for this many steps with more of the forms children
# write (a 2 begun with a loop, an open 6) at a small learning rate.
REFINE_STEPS = 2500


def _recipe():
    """The training scripts as this run loaded them: a member trained by other scripts is not
    resumed as if it had been trained by these, even when only a comment changed. Read once,
    so that scripts edited while a run goes on do not lend their digest to its checkpoints."""
    digest = hashlib.sha256()
    for script in ('trainanswers.py', 'answerink.py'):
        with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), script), 'rb') as f:
            digest.update(f.read())
    return digest.hexdigest()


RECIPE = _recipe()


def block(cin, cout, kernel=3, padding=1):
    return [nn.Conv2d(cin, cout, kernel, padding=padding, bias=False), nn.BatchNorm2d(cout),
            nn.ReLU(inplace=True)]


class AnswerNet(nn.Module):
    """1 × 32 × 128 in; CLASSES × 1 × 32 out, one column of class scores for every four
    input columns. Only operations OpenCV 4.6's dnn reads from ONNX the same way."""

    def __init__(self, width=(16, 32, 48, 64, 96, 128)):
        super().__init__()
        a, b, c, d, e, f = width
        self.features = nn.Sequential(
            *block(1, a), nn.MaxPool2d(2),                 # 16 × 64
            *block(a, b), nn.MaxPool2d(2),                 # 8 × 32
            *block(b, c), *block(c, d), nn.MaxPool2d((2, 1)),  # 4 × 32
            *block(d, e), nn.MaxPool2d((2, 1)),            # 2 × 32
            *block(e, f, (2, 3), (0, 1)),                  # 1 × 32
            *block(f, f, (1, 5), (0, 2)),
            nn.Dropout(0.2),
            nn.Conv2d(f, ai.CLASSES, 1))

    def forward(self, x):
        return self.features(x)


def answer_text(rng):
    n = int(rng.choice([1, 2, 3, 4], p=[0.2, 0.35, 0.25, 0.2]))
    text = ''
    for i in range(n):
        if i > 0 and rng.random() < 0.12:
            text += text[-1]  # 11, 22, 00 touching are the hardest to tell from one digit
        else:
            text += str(int(rng.integers(0, 10)))
    return text


def make_batch(rng, sheet, span, style, size):
    inputs, labels = [], []
    while len(inputs) < size:
        if rng.random() < 0.03:  # an empty room, mostly with printed remains at its edges
            h, w = int(rng.integers(40, 160)), int(rng.integers(60, 400))
            blank = ai.Style(printed=0.7)
            room, label = ai.photograph(rng, np.zeros((h, w), np.float32), blank), ''
        else:
            room, label = ai.write_answer(rng, sheet, answer_text(rng), span, style)
        seen = ai.reader_input(room)
        if seen is None:
            continue
        inputs.append(seen[0])
        labels.append(label)
    return np.stack(inputs)[:, None], labels


def encode(labels):
    targets = [ai.ALPHABET.index(ch) + 1 for label in labels for ch in label]
    lengths = [len(label) for label in labels]
    return torch.tensor(targets, dtype=torch.long), torch.tensor(lengths, dtype=torch.long)


def greedy(scores):
    """scores: N × CLASSES × 1 × T. The best path's reading of each room."""
    best = scores[:, :, 0, :].argmax(1).numpy()
    out = []
    for row in best:
        text, last = '', 0
        for c in row:
            if c != last and c != 0:
                text += ai.ALPHABET[c - 1]
            last = c
        out.append(text)
    return out


def single_and_pairs(model, sheet, span, seed, count):
    """Errors on lone digits and on touching or overlapping pairs of held-out digits, written
    with the sheet's felt pens and with fine ones."""
    rng = np.random.default_rng(seed)
    result = {}
    for name, length, fine in (('single digits', 1, 0), ('touching pairs', 2, 0),
                               ('single digits, fine pen', 1, 1),
                               ('touching pairs, fine pen', 2, 1)):
        style = ai.Style(cross_out=0, stray=0, fine=fine)
        if length == 2:
            style.spacing = (0.0, 0.6, 0.4)
        wrong = total = 0
        while total < count:
            inputs, labels = [], []
            for _ in range(100):
                text = ''.join(str(int(rng.integers(0, 10))) for _ in range(length))
                room, label = ai.write_answer(rng, sheet, text, span, style)
                seen = ai.reader_input(room)
                inputs.append(seen[0] if seen else np.zeros((ai.INPUT_H, ai.INPUT_W), np.float32))
                labels.append(label)
            with torch.no_grad():
                read = greedy(model(torch.from_numpy(np.stack(inputs)[:, None])))
            wrong += sum(r != l for r, l in zip(read, labels))
            total += len(labels)
        result[name] = wrong / total
    return result


def evaluate(model, sheet, span, seed, count=1000):
    model.eval()
    rng = np.random.default_rng(seed)
    style = ai.Style()
    wrong = 0
    for _ in range(count // 100):
        x, labels = make_batch(rng, sheet, span, style, 100)
        with torch.no_grad():
            read = greedy(model(torch.from_numpy(x)))
        wrong += sum(r != l for r, l in zip(read, labels))
    model.train()
    return wrong / count


def export(model, path):
    model = model.to(memory_format=torch.contiguous_format)
    model.eval()
    dummy = torch.zeros(1, 1, ai.INPUT_H, ai.INPUT_W)
    torch.onnx.export(model, dummy, path, opset_version=11, input_names=['room'],
                      output_names=['scores'], do_constant_folding=True)
    # OpenCV's dnn must give what torch gives, or the model is not the one trained.
    net = cv2.dnn.readNetFromONNX(path)
    rng = np.random.default_rng(1)
    x = rng.random((1, 1, ai.INPUT_H, ai.INPUT_W), dtype=np.float32)
    net.setInput(x)
    ours = net.forward()
    with torch.no_grad():
        theirs = model(torch.from_numpy(x)).numpy()
    gap = float(np.abs(ours - theirs).max())
    print(f'exported {path} ({os.path.getsize(path) // 1024} KB), dnn differs by {gap:.2e}')
    if gap > 1e-3:
        raise SystemExit('OpenCV reads the exported model differently')


class Members(nn.Module):
    """Networks trained alike from different seeds, run as one: their scores side by side,
    CLASSES channels each. The reader weighs a reading by its probability under each
    member: they rarely err alike, so where they disagree the room is left unsure. Two: on
    the tuning sheets of scripts/scan-trial, four (these two and two a quarter wider) read 0.1 %
    more answers exactly and left 0.4 % fewer unsure, for half as much time again a page; two
    wider ones alone read no more and gave four wrong verdicts where these give one."""

    def __init__(self, members):
        super().__init__()
        self.members = nn.ModuleList(members)

    def forward(self, x):
        return torch.cat([m(x) for m in self.members], 1)


def learn(model, optimiser, schedule, ctc, batch):
    """One step of learning from a batch of rooms; the step's loss."""
    x, labels = batch
    targets, lengths = encode(labels)
    scores = model(torch.from_numpy(x).to(memory_format=torch.channels_last))
    logp = scores[:, :, 0, :].permute(2, 0, 1).log_softmax(2)
    frames = torch.full((len(labels),), logp.shape[0], dtype=torch.long)
    loss = ctc(logp, targets, frames, lengths)
    optimiser.zero_grad()
    loss.backward()
    optimiser.step()
    schedule.step()
    return loss


def train(args):
    seed = SEED + args.member
    torch.manual_seed(seed)
    sheet = ai.DigitSheet()
    # Channels last: oneDNN's convolutions and pooling run two to three times faster so.
    model = AnswerNet().to(memory_format=torch.channels_last)
    start = 0
    optimiser = torch.optim.AdamW(model.parameters(), lr=2e-3, weight_decay=1e-4)
    schedule = torch.optim.lr_scheduler.OneCycleLR(
        optimiser, max_lr=2e-3, total_steps=args.steps, pct_start=0.05)
    checkpoint = checkpoint_of(args.member)
    if os.path.exists(checkpoint):
        saved = torch.load(checkpoint)
        if saved['steps'] == args.steps and saved.get('recipe') == RECIPE:
            start = resume(saved, model, optimiser, schedule)
            print(f'member {args.member}: resuming at step {start}')
        else:
            print(f'member {args.member}: the checkpoint was made by other steps or scripts; '
                  'training afresh', flush=True)
    ctc = nn.CTCLoss(blank=0, zero_infinity=True)
    style = ai.Style(bend=BEND, fine=FINE)
    began, running = time.time(), 0.0
    for step in range(start, args.steps):
        # Each step's rooms depend on the seed and the step alone, so that a resumed run
        # learns from what an unbroken one would.
        rng = np.random.default_rng([seed, step])
        loss = learn(model, optimiser, schedule, ctc,
                     make_batch(rng, sheet, ai.TRAINED, style, args.batch))
        running = 0.98 * running + 0.02 * loss.item() if step > start else loss.item()
        if (step + 1) % 1000 == 0 or step + 1 == args.steps:
            tuning = evaluate(model, sheet, ai.TUNING, 5, 500)
            print(f'member {args.member}, step {step + 1}: loss {running:.3f}, answers misread '
                  f'{100 * tuning:.1f} % (held-out tuning digits), {time.time() - began:.0f} s',
                  flush=True)
            save(checkpoint, args.steps, step + 1, model, optimiser, schedule)


def refine(args):
    """The second stage: a trained member learns on from where it stopped, with the curly
    forms among the rooms, its learning rate falling from 5e-4 to nothing."""
    seed = SEED + args.member
    torch.manual_seed(seed + 1)
    saved = torch.load(checkpoint_of(args.member))
    if saved['step'] != saved['steps']:
        raise SystemExit(f'member {args.member} has not finished its first stage')
    model = AnswerNet().to(memory_format=torch.channels_last)
    model.load_state_dict(saved['model'])
    optimiser = torch.optim.AdamW(model.parameters(), lr=5e-4, weight_decay=1e-4)
    schedule = torch.optim.lr_scheduler.CosineAnnealingLR(optimiser, REFINE_STEPS)
    start = 0
    origin = fingerprint(saved)
    refined = checkpoint_of(args.member, refined=True)
    if os.path.exists(refined):
        earlier = torch.load(refined)
        if earlier.get('origin') == origin and earlier.get('recipe') == RECIPE:
            start = resume(earlier, model, optimiser, schedule)
        else:
            print(f'member {args.member}: the refined checkpoint grew from another first stage '
                  'or scripts; refining afresh', flush=True)
    sheet = ai.DigitSheet()
    ctc = nn.CTCLoss(blank=0, zero_infinity=True)
    style = ai.Style(bend=BEND, curly=True, fine=FINE)
    began = time.time()
    for step in range(start, REFINE_STEPS):
        rng = np.random.default_rng([seed, 1, step])
        learn(model, optimiser, schedule, ctc, make_batch(rng, sheet, ai.TRAINED, style, args.batch))
        if (step + 1) % 500 == 0 or step + 1 == REFINE_STEPS:
            tuning = evaluate(model, sheet, ai.TUNING, 5, 500)
            print(f'member {args.member}, refining {step + 1}: answers misread '
                  f'{100 * tuning:.1f} % (held-out tuning digits), {time.time() - began:.0f} s',
                  flush=True)
            save(refined, REFINE_STEPS, step + 1, model, optimiser, schedule, origin)


def join(args):
    """The trained members as one model, and their errors on held-out digits."""
    members = []
    for member in range(args.members):
        saved = torch.load(checkpoint_of(member, refined=True))
        if saved['step'] != saved['steps']:
            raise SystemExit(f'member {member} has not finished training')
        if saved.get('origin') != fingerprint(torch.load(checkpoint_of(member))):
            raise SystemExit(f'member {member} was refined from another first stage; '
                             f'train it again with --member {member}')
        model = AnswerNet()
        model.load_state_dict(saved['model'])
        model.eval()
        members.append(model)
    sheet = ai.DigitSheet()
    for member, model in enumerate(members):
        for name, error in single_and_pairs(model, sheet, ai.TRIAL, 9, 2000).items():
            print(f'member {member}: held-out {name}: {100 * error:.2f} % misread')
    export(Members(members), args.out)


def save(path, steps, step, model, optimiser, schedule, origin=None):
    """A stage's checkpoint after step of steps, dropout's random state and the scripts' recipe
    included; a refined one also names the first stage it grew from."""
    torch.save({'steps': steps, 'step': step, 'model': model.state_dict(),
                'optimiser': optimiser.state_dict(), 'schedule': schedule.state_dict(),
                'dropout': torch.get_rng_state(), 'recipe': RECIPE, 'origin': origin}, path)


def fingerprint(saved):
    """What tells one finished first stage from another: a folder reused for a new recipe
    keeps the old refined checkpoints beside the new first stage, and these must not be
    resumed or joined as its own."""
    digest = hashlib.sha256()
    for name, tensor in saved['model'].items():
        digest.update(name.encode())
        digest.update(tensor.cpu().numpy().tobytes())
    return digest.hexdigest()


def resume(saved, model, optimiser, schedule):
    """Everything a checkpoint holds put back, so that a resumed member learns exactly as an
    unbroken one would; the step to go on from. (The model committed in December 2026 was
    broken once at step 4,000 before dropout's state was saved, and resumed it from the seed's:
    an unbroken run differs from it only in dropout's draws.)"""
    model.load_state_dict(saved['model'])
    optimiser.load_state_dict(saved['optimiser'])
    schedule.load_state_dict(saved['schedule'])
    torch.set_rng_state(saved['dropout'])
    return saved['step']


def checkpoint_of(member, refined=False):
    return os.path.join(CHECKPOINTS, f'member{member}{"-refined" if refined else ""}.pt')


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--steps', type=int, default=12000)
    parser.add_argument('--batch', type=int, default=48)
    parser.add_argument('--member', type=int, help='train this member (0, 1, ...)')
    parser.add_argument('--members', type=int, help='join this many trained members')
    parser.add_argument('--out', default=os.path.join(ROOT, 'resources', 'reader', 'answers.onnx'))
    args = parser.parse_args()
    if (args.member is None) == (args.members is None):
        raise SystemExit('say --member K to train one member or --members N to join them')
    torch.set_num_threads(1)
    cv2.setNumThreads(1)
    os.makedirs(CHECKPOINTS, exist_ok=True)
    if args.member is None:
        join(args)
        return
    train(args)
    refine(args)


if __name__ == '__main__':
    main()
