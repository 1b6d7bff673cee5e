#!/usr/bin/env python3
"""Build VARGO's MIDI tunes from the scores kept in assets/music/.

Each score (assets/music/<tune>.py) is plain data: tempo, meter, the
instrument of every track, a chord progression per section, melodies in a
compact note notation and drum grids.  Accompaniment parts that follow the
chords (bass, arpeggios, comping, pads) are derived here from the chord
symbols, so a change of harmony only has to be written once.

    python3 tools/gen_midi.py            # rebuild all four tunes
    python3 tools/gen_midi.py fight      # rebuild one
    python3 tools/gen_midi.py --check    # also print the harmony report

Only the standard library is used and the output is byte-for-byte the same
on every run: the little velocity variation there is comes from a random
generator seeded with the tune's name.

Note notation (melody lines)
    E4q      E above middle C, quarter note       (C4 = MIDI 60)
    Bb3e.    dotted eighth; '#' and 'b' for accidentals
    Rh       half rest
    C5h+e    durations add up with '+': w h q e s, 't' = triplet, '.' = dotted
    E4:G4:B4q  several pitches at once
    suffixes: '>' accent, '_' soft, '^' staccato, '~' legato (no gap)
    |        bar line: checked, so a miscounted bar is an error, not a bug
"""

import os
import random
import re
import runpy
import struct
import sys

PPQ = 480
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCORES = os.path.join(ROOT, "assets", "music")
OUT = os.path.join(ROOT, "data", "midi")
TUNES = ["ind30xg", "jzz33xg", "fight", "SE"]


class ScoreError(Exception):
    pass


# --------------------------------------------------------------------------
# Standard MIDI File writer
# --------------------------------------------------------------------------

def vlq(n):
    """Variable-length quantity as used for delta times."""
    if n < 0:
        raise ValueError("negative delta time")
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append((n & 0x7F) | 0x80)
        n >>= 7
    return bytes(reversed(out))


class MidiTrack:
    """One track chunk.  Events are kept as (tick, order, bytes) and sorted
    when encoded; 'order' makes same-tick events come out in a safe order:
    meta and set-up first, then note-offs, then note-ons, so a repeated note
    is released before it is struck again."""

    META, SETUP, OFF, ON = 0, 1, 2, 3

    def __init__(self, name):
        self.events = []
        self.notes = []  # (start, end, channel, pitch, velocity)
        self.meta(0, 0x03, name.encode("ascii"))

    def meta(self, tick, kind, data):
        self.events.append((tick, self.META, bytes([0xFF, kind]) + vlq(len(data)) + data))

    def tempo(self, tick, bpm):
        us = int(round(60_000_000 / bpm))
        self.meta(tick, 0x51, us.to_bytes(3, "big"))

    def time_signature(self, tick, num, den):
        self.meta(tick, 0x58, bytes([num, den.bit_length() - 1, 24, 8]))

    def key_signature(self, tick, sharps, minor):
        self.meta(tick, 0x59, struct.pack("bB", sharps, 1 if minor else 0))

    def marker(self, tick, text):
        self.meta(tick, 0x06, text.encode("ascii"))

    def program(self, tick, ch, prog):
        self.events.append((tick, self.SETUP, bytes([0xC0 | ch, prog])))

    def control(self, tick, ch, cc, value):
        self.events.append((tick, self.SETUP, bytes([0xB0 | ch, cc, value])))

    def note(self, start, end, ch, pitch, vel):
        if not 0 <= pitch <= 127:
            raise ScoreError("pitch %d out of MIDI range" % pitch)
        if end <= start:
            return
        self.notes.append((start, end, ch, pitch, max(1, min(127, vel))))

    def _note_events(self, end_tick):
        # A note struck again before its previous sounding has ended would be
        # cut short by the earlier note-off; end the earlier one first.
        by_key = {}
        for n in sorted(self.notes):
            by_key.setdefault((n[2], n[3]), []).append(list(n))
        out = []
        for (ch, pitch), notes in by_key.items():
            for i, n in enumerate(notes):
                start, end = n[0], min(n[1], end_tick)
                if i + 1 < len(notes):
                    end = min(end, notes[i + 1][0])
                if start >= end_tick or end <= start:
                    continue
                out.append((start, self.ON, bytes([0x90 | ch, pitch, n[4]])))
                out.append((end, self.OFF, bytes([0x80 | ch, pitch, 0x40])))
        return out

    def encode(self, end_tick):
        events = sorted(self.events + self._note_events(end_tick), key=lambda e: (e[0], e[1], e[2]))
        body = bytearray()
        now = 0
        for tick, _, data in events:
            if tick > end_tick:
                raise ScoreError("event after the end of the tune")
            body += vlq(tick - now) + data
            now = tick
        body += vlq(end_tick - now) + b"\xFF\x2F\x00"
        return b"MTrk" + struct.pack(">I", len(body)) + bytes(body)


def write_smf(path, tracks, end_tick):
    data = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), PPQ)
    for t in tracks:
        data += t.encode(end_tick)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return data


# --------------------------------------------------------------------------
# Pitches, durations, chords
# --------------------------------------------------------------------------

PC = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
NOTE_RE = re.compile(r"([A-G])(#|b)?(\d)")
NAMES = ["C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"]


def pitch_of(text):
    m = NOTE_RE.fullmatch(text)
    if not m:
        raise ScoreError("bad pitch %r" % text)
    pc = PC[m.group(1)] + {"#": 1, "b": -1, None: 0}[m.group(2)]
    return 12 * (int(m.group(3)) + 1) + pc


def name_of(p):
    return "%s%d" % (NAMES[p % 12], p // 12 - 1)


DUR = {"w": 4 * PPQ, "h": 2 * PPQ, "q": PPQ, "e": PPQ // 2, "s": PPQ // 4}


def duration_of(text):
    total = 0
    for part in text.split("+"):
        m = re.fullmatch(r"([whqes])(t?)(\.*)", part)
        if not m:
            raise ScoreError("bad duration %r" % text)
        d = DUR[m.group(1)]
        if m.group(2):
            d = d * 2 // 3
        add = d
        for _ in m.group(3):
            add //= 2
            d += add
        total += d
    return total


# Chord tones (semitones above the root) and the tensions a melody may rest
# on without sounding wrong against that chord.
QUALITIES = {
    "":      ((0, 4, 7), (2, 9)),
    "6":     ((0, 4, 7, 9), (2,)),
    "maj7":  ((0, 4, 7, 11), (2, 9)),
    "maj9":  ((0, 4, 7, 11, 14), (9,)),
    "add9":  ((0, 4, 7, 14), (9,)),
    "7":     ((0, 4, 7, 10), (2, 9)),
    "9":     ((0, 4, 7, 10, 14), (9,)),
    "13":    ((0, 4, 7, 10, 14, 21), ()),
    "7b9":   ((0, 4, 7, 10, 13), (8,)),
    "7sus4": ((0, 5, 7, 10), (2, 9)),
    "sus4":  ((0, 5, 7), (2,)),
    "sus2":  ((0, 2, 7), (9,)),
    "m":     ((0, 3, 7), (2, 5)),
    "m6":    ((0, 3, 7, 9), (2, 5)),
    "m7":    ((0, 3, 7, 10), (2, 5)),
    "m9":    ((0, 3, 7, 10, 14), (5,)),
    "m7b5":  ((0, 3, 6, 10), (5,)),
    "dim":   ((0, 3, 6), ()),
    "dim7":  ((0, 3, 6, 9), (2, 5, 8, 11)),
    "aug":   ((0, 4, 8), ()),
    "5":     ((0, 7), (2, 3, 5)),
}
CHORD_RE = re.compile(r"([A-G])(#|b)?([a-z0-9#]*)(?:/([A-G])(#|b)?)?")


class Chord:
    def __init__(self, symbol):
        m = CHORD_RE.fullmatch(symbol)
        if not m or m.group(3) not in QUALITIES:
            raise ScoreError("unknown chord %r" % symbol)
        self.symbol = symbol
        self.root = (PC[m.group(1)] + {"#": 1, "b": -1, None: 0}[m.group(2)]) % 12
        self.quality = m.group(3)
        tones, tensions = QUALITIES[self.quality]
        self.intervals = tones
        self.tones = sorted({(self.root + i) % 12 for i in tones})
        self.tensions = sorted({(self.root + i) % 12 for i in tensions})
        if m.group(4):
            self.bass = (PC[m.group(4)] + {"#": 1, "b": -1, None: 0}[m.group(5)]) % 12
        else:
            self.bass = self.root

    def interval(self, degree):
        """Semitones above the root for a bass-line degree character."""
        iv = set(self.intervals)
        if degree == "1":
            return 0
        if degree == "3":
            return 3 if 3 in iv else (5 if 5 in iv and 4 not in iv else 4)
        if degree == "5":
            return 6 if 6 in iv and 7 not in iv else (8 if 8 in iv else 7)
        if degree == "7":
            if 11 in iv or 10 in iv:
                return 11 if 11 in iv else 10
            return 9 if 9 in iv else 10
        if degree == "6":
            return 8 if 3 in iv and 9 not in iv else 9
        if degree == "8":
            return 12
        if degree == "2":
            return 2
        if degree == "4":
            return 5
        raise ScoreError("bad degree %r" % degree)


def parse_progression(text, bar_ticks, beat_ticks):
    """'Fmaj7 | Gm7 C7 | Dm7:3 G7:1' -> list of (start, end, Chord), one
    entry per chord, relative to the section start."""
    out = []
    for b, bar in enumerate(text.split("|")):
        items = bar.split()
        if not items:
            raise ScoreError("empty bar in progression %r" % text)
        fixed = sum(int(i.split(":")[1]) * beat_ticks for i in items if ":" in i)
        loose = [i for i in items if ":" not in i]
        share = (bar_ticks - fixed) // len(loose) if loose else 0
        t = b * bar_ticks
        for i in items:
            sym, _, beats = i.partition(":")
            d = int(beats) * beat_ticks if beats else share
            out.append((t, t + d, Chord(sym)))
            t += d
        if t != (b + 1) * bar_ticks:
            raise ScoreError("bar %d of %r does not fill the bar" % (b + 1, text))
    return out


# --------------------------------------------------------------------------
# Voicings
# --------------------------------------------------------------------------

def stack(pcs, lowest, lo):
    """Stack pitch classes upward starting from pcs[lowest] at or above lo."""
    order = pcs[lowest:] + pcs[:lowest]
    first = lo + (order[0] - lo) % 12
    out = [first]
    for pc in order[1:]:
        out.append(out[-1] + ((pc - out[-1]) % 12 or 12))
    return out


def voicing_pcs(chord, kind):
    iv = chord.intervals
    r = chord.root
    if kind == "rootless":
        # Jazz left hand: leave the root to the bass, colour with the ninth.
        if chord.quality in ("dim7", "m7b5", "dim", "aug", "5"):
            sel = [i for i in iv if i != 0] + ([0] if chord.quality == "m7b5" else [])
        else:
            sel = [i % 12 for i in iv if i not in (0,)]
            if 14 not in iv and 2 not in sel and chord.quality not in ("7sus4",):
                sel.append(2)
            if len(sel) > 4:
                sel = [s for s in sel if s != 7][:4]
        return [(r + i) % 12 for i in dict.fromkeys(sel)]
    if kind == "triad":
        return [(r + i) % 12 for i in iv[:3]]
    # close: every chord tone once, at most four
    pcs = [(r + i) % 12 for i in iv]
    pcs = list(dict.fromkeys(pcs))
    if len(pcs) > 4:
        pcs = [p for p in pcs if p != (r + 7) % 12][:4]
    return pcs


def choose_voicing(chord, kind, lo, hi, previous):
    if kind == "power":
        root = lo + (chord.root - lo) % 12
        return [root, root + 7, root + 12]
    pcs = voicing_pcs(chord, kind)
    candidates = []
    for inv in range(len(pcs)):
        for base in (lo, lo + 12):
            v = stack(pcs, inv, base)
            if v[0] >= lo and v[-1] <= hi:
                candidates.append(v)
    if not candidates:
        raise ScoreError("no voicing of %s between %s and %s" % (chord.symbol, name_of(lo), name_of(hi)))
    if previous and len(previous) == len(candidates[0]):
        def cost(v):
            return sum(abs(a - b) for a, b in zip(v, previous)) + 0.1 * v[-1]
    else:
        centre = (lo + hi) / 2

        def cost(v):
            return abs(sum(v) / len(v) - centre)
    return min(candidates, key=cost)


# --------------------------------------------------------------------------
# Composer
# --------------------------------------------------------------------------

class Tune:
    def __init__(self, name, score):
        self.name = name
        self.s = score
        self.num, self.den = score.get("meter", (4, 4))
        self.beat = PPQ * 4 // self.den
        self.bar = self.beat * self.num
        self.rng = random.Random("vargo-" + name)
        self.swing = score.get("swing", 0.5)
        self.report = []
        # timeline: (section name, start tick, bars, chord list with absolute ticks)
        self.timeline = []
        t = 0
        for sec_name in score["form"]:
            sec = score["sections"][sec_name]
            prog = parse_progression(sec["chords"], self.bar, self.beat)
            bars = prog[-1][1] // self.bar
            self.timeline.append((sec_name, t, bars, [(a + t, b + t, c) for a, b, c in prog]))
            t += bars * self.bar
        self.end = t
        self.chords = [c for sec in self.timeline for c in sec[3]]

    # -- helpers ----------------------------------------------------------

    def chord_at(self, tick):
        for a, b, c in self.chords:
            if a <= tick < b:
                return a, b, c
        return self.chords[-1]

    def next_chord(self, tick):
        for a, b, c in self.chords:
            if a > tick:
                return c
        return self.chords[0][2]  # the tune loops: after the last comes the first

    def swung(self, tick):
        if self.swing == 0.5:
            return tick
        beat, pos = divmod(tick, PPQ)
        half = PPQ // 2
        split = int(round(PPQ * self.swing))
        if pos <= half:
            pos = pos * split // half
        else:
            pos = split + (pos - half) * (PPQ - split) // half
        return beat * PPQ + pos

    def metric(self, tick):
        """Velocity offset from the position in the bar."""
        pos = tick % self.bar
        if pos == 0:
            return 8
        if pos % self.beat == 0:
            return 4 if (self.num == 4 and pos == 2 * self.beat) else 0
        if pos % (self.beat // 2) == 0:
            return -4
        return -7

    def jitter(self, amount=3):
        return self.rng.randint(-amount, amount)

    def dyn(self, sec, track):
        d = sec.get("dyn", 0)
        if isinstance(d, dict):
            d = d.get(track["name"], d.get("*", 0))
        return d

    # -- parts ------------------------------------------------------------

    def line_part(self, track, sec, text, start, bars, out):
        gate = track.get("gate", 0.9)
        t = 0
        for tok in text.replace("|", " | ").split():
            if tok == "|":
                if t % self.bar:
                    raise ScoreError("%s/%s: bar line at beat %.2f, not on a bar boundary"
                                     % (self.name, track["name"], t / self.beat))
                continue
            m = re.fullmatch(r"((?:R|[A-G][#b]?\d)(?::[A-G][#b]?\d)*)([whqes][whqest.+]*)([>_^~]*)", tok)
            if not m:
                raise ScoreError("%s/%s: bad token %r" % (self.name, track["name"], tok))
            d = duration_of(m.group(2))
            mods = m.group(3)
            if m.group(1) != "R":
                vel = track.get("vel", 90) + self.metric(t) + self.dyn(sec, track) + self.jitter()
                if ">" in mods:
                    vel += 14
                if "_" in mods:
                    vel -= 14
                g = 1.0 if "~" in mods else (0.45 if "^" in mods else gate)
                for p in m.group(1).split(":"):
                    pitch = pitch_of(p) + track.get("transpose", 0)
                    out.append((start + t, start + t + max(30, int(d * g)), pitch, vel))
                    if track.get("check", track["role"] not in ("bass", "walk")) and ":" not in m.group(1):
                        self.check_note(track, start + t, d, pitch)
            t += d
        if t != bars * self.bar:
            raise ScoreError("%s/%s: section line lasts %.2f beats, section has %d"
                             % (self.name, track["name"], t / self.beat, bars * self.num))

    def check_note(self, track, tick, dur, pitch):
        a, b, chord = self.chord_at(tick)
        pc = pitch % 12
        strong = tick % self.beat == 0
        if pc in chord.tones:
            kind = "chord"
        elif pc in chord.tensions:
            kind = "tension"
        else:
            kind = "passing"
            if strong and dur >= self.beat:
                kind = "CLASH"
        self.report.append((track["name"], tick, name_of(pitch), chord.symbol, kind, dur))

    def grid_steps(self, grid, bar_index):
        bars = [g.strip() for g in grid.split("|")]
        g = bars[bar_index % len(bars)].replace(" ", "")
        if self.bar % len(g):
            raise ScoreError("%s: grid %r does not divide the bar" % (self.name, g))
        return g, self.bar // len(g)

    def grid_notes(self, grid, bar_index):
        """Yield (offset, length, char) for each struck step of one bar."""
        g, step = self.grid_steps(grid, bar_index)
        i = 0
        while i < len(g):
            c = g[i]
            if c in ".-":
                i += 1
                continue
            j = i + 1
            while j < len(g) and g[j] == "-":
                j += 1
            yield i * step, (j - i) * step, c
            i = j

    def sec_grid(self, track, sec):
        return sec.get("grids", {}).get(track["name"], track.get("grid"))

    def bass_part(self, track, sec, start, bars, out):
        grid = self.sec_grid(track, sec)
        lo = track["range"][0]
        gate = track.get("gate", 0.9)
        for b in range(bars):
            bar_start = start + b * self.bar
            for off, length, c in self.grid_notes(grid, b):
                t = bar_start + off
                _, _, chord = self.chord_at(t)
                if c in "aA":
                    nxt = self.next_chord(t)
                    target = lo + (nxt.bass - lo) % 12
                    pitch = target - 1 if c == "a" else target + 1
                    if pitch < lo:
                        pitch = target + 1
                else:
                    base = chord.bass if c == "1" else chord.root
                    root = lo + (base - lo) % 12
                    pitch = root + (0 if c == "1" else chord.interval(c))
                vel = track.get("vel", 90) + self.metric(off) + self.dyn(sec, track) + self.jitter(2)
                out.append((t, t + int(length * gate), pitch, vel))

    def walk_part(self, track, sec, start, bars, out):
        """Walking bass: a quarter-note line that lands on the root of each
        chord and steps toward the next one through chord tones and a
        chromatic approach on the last beat before a change."""
        lo, hi = track["range"]
        last = track.get("_last")  # the line carries on across sections
        for b in range(bars):
            for k in range(self.num):
                t = start + b * self.bar + k * self.beat
                a, e, chord = self.chord_at(t)
                nxt = self.next_chord(t) if t + self.beat >= e else chord
                root = lo + (chord.bass - lo) % 12
                if root + 12 <= hi and last is not None and abs(root + 12 - last) < abs(root - last):
                    root += 12
                if t == a:
                    p = root
                elif t + self.beat >= e:
                    target = lo + (nxt.bass - lo) % 12
                    if last is not None and abs(target + 12 - last) < abs(target - last) and target + 12 <= hi:
                        target += 12
                    # lead into the next root by a half step from the side we
                    # are coming from, now and then by its fifth instead
                    side = 1 if last is not None and last > target else -1
                    opts = [target + side, target - side, target + 7, target - 5]
                    if self.rng.random() < 0.3:
                        opts = opts[2:] + opts[:2]
                    p = next(o for o in opts if lo <= o <= hi and o != last)
                else:
                    cands = [root + chord.interval(d) for d in "358"] + [root + chord.interval(d) - 12 for d in "57"]
                    cands = [c for c in cands if lo <= c <= hi and c != last]
                    cands.sort(key=lambda c: (abs(c - (last or root)), c))
                    p = cands[0] if self.rng.random() < 0.6 else cands[min(1, len(cands) - 1)]
                vel = track.get("vel", 90) + (6 if k % 2 == 0 else 0) + self.dyn(sec, track) + self.jitter(3)
                out.append((t, t + int(self.beat * 0.92), p, vel))
                last = p
        track["_last"] = last

    def chordal_part(self, track, sec, start, bars, out, arp=False):
        grid = self.sec_grid(track, sec)
        lo, hi = track["range"]
        kind = track.get("voicing", "close")
        gate = track.get("gate", 0.9)
        prev = None
        cache = {}
        for b in range(bars):
            bar_start = start + b * self.bar
            for off, length, c in self.grid_notes(grid, b):
                t = bar_start + off
                a, e, chord = self.chord_at(t)
                if track.get("push") and t % self.beat and e <= t + self.beat // 2 and e < self.end:
                    # an off-beat stab just before a change already plays
                    # the coming chord, the way a comping player anticipates
                    a, e, chord = self.chord_at(e)
                if a not in cache:
                    cache[a] = choose_voicing(chord, kind, lo, hi, prev)
                    prev = cache[a]
                v = cache[a]
                vel = track.get("vel", 80) + self.metric(off) + self.dyn(sec, track) + self.jitter(2)
                if arp:
                    i = int(c, 36)
                    pitch = v[i % len(v)] + 12 * (i // len(v))
                    end = e if track.get("ring") else t + int(length * gate)
                    out.append((t, max(end, t + int(length * gate)), pitch, vel))
                else:
                    vel += {"X": 12, "x": 0, "o": -14}.get(c, 0)
                    if not track.get("hold"):
                        for p in v:
                            out.append((t, t + int(length * gate), p, vel))
                        continue
                    # A held pad follows every chord change under it.
                    seg, stop = t, t + length
                    while seg < stop:
                        a, e, chord = self.chord_at(seg)
                        if a not in cache:
                            cache[a] = choose_voicing(chord, kind, lo, hi, prev)
                            prev = cache[a]
                        for p in cache[a]:
                            out.append((seg, min(e, stop), p, vel if seg == t else vel - 6))
                        seg = min(e, stop)

    def drum_part(self, track, sec, start, bars, out):
        names = []
        for item in sec.get("drums", "").split():
            n, _, rep = item.partition("*")
            names += [n] * int(rep or 1)
        if not names:
            return
        if len(names) != bars:
            raise ScoreError("%s: %d drum bars for a %d-bar section" % (self.name, len(names), bars))
        kit = self.s["kit"]
        patterns = self.s["drum_patterns"]
        for b, n in enumerate(names):
            if n == "-":
                continue
            for inst, grid in patterns[n].items():
                g, step = self.grid_steps(grid, 0)
                for i, c in enumerate(g):
                    if c in ".-":
                        continue
                    t = start + b * self.bar + i * step
                    vel = {"X": 118, "x": 96, "o": 70, "g": 42}[c]
                    vel += track.get("vel", 0) + self.dyn(sec, track) + self.jitter(3)
                    out.append((t, t + max(step // 2, 60), kit[inst], vel))

    # -- assembly ---------------------------------------------------------

    def build(self):
        s = self.s
        conductor = MidiTrack(s.get("title", self.name))
        conductor.time_signature(0, self.num, self.den)
        sharps, minor = s.get("key", (0, False))
        conductor.key_signature(0, sharps, minor)
        conductor.tempo(0, s["tempo"])
        for sec_name, t, bars, _ in self.timeline:
            conductor.marker(t, sec_name)
        tracks = [conductor]
        for track in s["tracks"]:
            ch = track["channel"] - 1
            mt = MidiTrack(track["name"])
            if ch != 9:
                mt.program(0, ch, track["program"])
            mt.control(0, ch, 7, track.get("volume", 100))
            mt.control(0, ch, 10, track.get("pan", 64))
            mt.control(0, ch, 91, track.get("reverb", 40))
            mt.control(0, ch, 93, track.get("chorus", 0))
            notes = []
            for sec_name, start, bars, _ in self.timeline:
                sec = s["sections"][sec_name]
                if track["name"] in sec.get("mute", ()):
                    continue
                line = sec.get("lines", {}).get(track["name"])
                if line is not None:
                    self.line_part(track, sec, line, start, bars, notes)
                    continue
                role = track["role"]
                if role == "line":
                    continue
                if role == "bass":
                    self.bass_part(track, sec, start, bars, notes)
                elif role == "walk":
                    self.walk_part(track, sec, start, bars, notes)
                elif role == "comp":
                    self.chordal_part(track, sec, start, bars, notes)
                elif role == "arp":
                    self.chordal_part(track, sec, start, bars, notes, arp=True)
                elif role == "drums":
                    self.drum_part(track, sec, start, bars, notes)
                else:
                    raise ScoreError("unknown role %r" % role)
            for a, b, p, v in notes:
                mt.note(self.swung(a), self.swung(b), ch, p, v)
            track["_notes"] = notes
            tracks.append(mt)
        return tracks

    def seconds(self):
        return self.end / PPQ * 60.0 / self.s["tempo"]

    def summary(self, verbose):
        lines = ["%s: %d bars of %d/%d at %s bpm = %.1f s, form %s"
                 % (self.name, self.end // self.bar, self.num, self.den, self.s["tempo"],
                    self.seconds(), " ".join(self.s["form"]))]
        for track in self.s["tracks"]:
            n = track["_notes"]
            if not n:
                lines.append("  %-10s (silent)" % track["name"])
                continue
            ps = [x[2] for x in n]
            vs = [max(1, min(127, x[3])) for x in n]
            lines.append("  %-10s %4d notes  %s..%s  vel %d..%d"
                         % (track["name"], len(n), name_of(min(ps)), name_of(max(ps)), min(vs), max(vs)))
        if self.report:
            kinds = {}
            for r in self.report:
                kinds[r[4]] = kinds.get(r[4], 0) + 1
            lines.append("  melody vs chords: " + ", ".join("%s %d" % kv for kv in sorted(kinds.items())))
            for name, tick, pitch, chord, kind, dur in self.report:
                if kind == "CLASH" or (verbose and kind == "passing"):
                    lines.append("    %s bar %d beat %.1f: %s over %s (%s, %.1f beats)"
                                 % (name, tick // self.bar + 1, (tick % self.bar) / self.beat + 1,
                                    pitch, chord, kind, dur / self.beat))
        return "\n".join(lines)


def read_smf(data):
    """Parse a written file back, independently of the writer, into
    (format, division, [(end_tick, [(tick, status, data bytes)])])."""
    if data[:4] != b"MThd":
        raise ScoreError("no MThd")
    fmt, ntrk, div = struct.unpack(">HHH", data[8:14])
    pos = 8 + struct.unpack(">I", data[4:8])[0]
    tracks = []
    for _ in range(ntrk):
        if data[pos:pos + 4] != b"MTrk":
            raise ScoreError("no MTrk")
        length = struct.unpack(">I", data[pos + 4:pos + 8])[0]
        i, stop, tick, events, running, ended = pos + 8, pos + 8 + length, 0, [], None, None
        while i < stop:
            delta = 0
            while True:
                b = data[i]
                i += 1
                delta = (delta << 7) | (b & 0x7F)
                if not b & 0x80:
                    break
            tick += delta
            status = data[i]
            if status == 0xFF:
                kind, n = data[i + 1], data[i + 2]
                if kind == 0x2F:
                    ended = tick
                events.append((tick, 0xFF, data[i + 1:i + 3 + n]))
                i += 3 + n
                continue
            if status & 0x80:
                running = status
                i += 1
            n = 1 if running & 0xF0 in (0xC0, 0xD0) else 2
            events.append((tick, running, data[i:i + n]))
            i += n
        if ended is None or i != stop:
            raise ScoreError("track without end-of-track")
        tracks.append((ended, events))
        pos = stop
    return fmt, div, tracks


def verify(tune, data):
    """Check what the game relies on: one length for every track, ending on
    a bar line, every note released, and the length the tune is meant to
    have (a loop of 30 to 90 seconds, or a hit of well under a second)."""
    fmt, div, tracks = read_smf(data)
    if fmt != 1 or div != PPQ:
        raise ScoreError("%s: not format 1 at %d ppq" % (tune.name, PPQ))
    ends = {end for end, _ in tracks}
    if ends != {tune.end} or tune.end % tune.bar:
        raise ScoreError("%s: tracks end at %s, not together on a bar line" % (tune.name, sorted(ends)))
    for _, events in tracks:
        sounding = {}
        for tick, status, body in events:
            if status & 0xF0 in (0x80, 0x90):
                key = (status & 0x0F, body[0])
                if status & 0xF0 == 0x90 and body[1] > 0:
                    if key in sounding:
                        raise ScoreError("%s: note %d struck while sounding" % (tune.name, body[0]))
                    sounding[key] = tick
                else:
                    sounding.pop(key)
        if sounding:
            raise ScoreError("%s: notes left sounding at the end" % tune.name)
    secs = tune.seconds()
    if tune.s.get("loop", True):
        if not 30.0 <= secs <= 90.0:
            raise ScoreError("%s: a loop of %.1f s" % (tune.name, secs))
        first = tune.chords[0][2]
        last = tune.chords[-1][2]
        if (last.root - first.root) % 12 not in (7, 10) and last.quality not in ("7", "7sus4"):
            # the last chord should pull back to the first: a dominant (V or
            # bVII) of it, or at least a dominant seventh
            raise ScoreError("%s: last chord %s does not lead back to %s"
                             % (tune.name, last.symbol, first.symbol))
    elif secs >= 1.0:
        raise ScoreError("%s: a hit sound of %.2f s" % (tune.name, secs))


def build_tune(name, verbose=False):
    score = runpy.run_path(os.path.join(SCORES, name + ".py"))["TUNE"]
    tune = Tune(name, score)
    tracks = tune.build()
    data = write_smf(os.path.join(OUT, name + ".mid"), tracks, tune.end)
    verify(tune, data)
    return tune, tune.summary(verbose)


def main(argv):
    verbose = "--check" in argv
    names = [a for a in argv if not a.startswith("-")] or TUNES
    clashes = 0
    for name in names:
        tune, text = build_tune(name, verbose)
        print(text)
        clashes += sum(1 for r in tune.report if r[4] == "CLASH")
    return 1 if clashes else 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except ScoreError as e:
        print("error:", e, file=sys.stderr)
        sys.exit(2)
