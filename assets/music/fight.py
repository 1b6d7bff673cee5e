# Battle theme ("fight").  E minor, 150 bpm, straight eighths: a bass and
# guitar riff to open, a saw-lead tune over chugging power chords, a lift
# into the relative major, the tune again with brass under it, and a
# brass-led climax over four-on-the-floor drums that turns on B7 back into
# the riff.  Read by tools/gen_midi.py; the notation is described at the
# top of it.

KIT = {
    "kick": 36, "snare": 38, "clap": 39, "chh": 42, "phh": 44, "ohh": 46,
    "crash": 49, "ride": 51, "china": 52, "tomL": 45, "tomM": 47, "tomH": 50,
    "floor": 41,
}

EIGHTHS = "1-1-8-1-1-1-8-1-"
PUSH = "1-1-8-1-5-1-8-1-"
TURN = "1-1-8-1-5-5-8-a-"


def bars(*grids):
    return " | ".join(grids)


TUNE = {
    "title": "VARGO battle",
    "tempo": 150,
    "meter": (4, 4),
    "key": (1, True),
    "form": ["R", "A", "B", "A2", "C"],
    "kit": KIT,
    "drum_patterns": {
        "rock":   {"kick": "X.....x.X.x.....", "snare": "....X.......X...",
                   "chh": "x.o.x.o.x.o.x.o."},
        "rockcr": {"kick": "X.....x.X.x.....", "snare": "....X.......X...",
                   "crash": "X...............", "chh": "....x.o.x.o.x.o."},
        "drive":  {"kick": "X.x...x.X.x...x.", "snare": "....X.......X..g",
                   "chh": "x.oox.oox.oox.oo"},
        "drivecr": {"kick": "X.x...x.X.x...x.", "snare": "....X.......X..g",
                    "crash": "X...............", "chh": "....x.oox.oox.oo"},
        "four":   {"kick": "X...x...X...x...", "snare": "....X.......X...",
                   "ohh": "..x...x...x...x.", "chh": "x...x...x...x..."},
        "fourcr": {"kick": "X...x...X...x...", "snare": "....X.......X...",
                   "crash": "X...............", "ohh": "..x...x...x...x."},
        "fill":   {"kick": "X.......X.......", "snare": "....X...XoxoXx..",
                   "chh": "x.o.x.o.........", "tomH": "............x...",
                   "tomM": ".............x..", "floor": "..............XX"},
        "bigfill": {"kick": "X..X..X.X..X..X.", "snare": "X..X..X.xoxoXxXX",
                    "crash": "X...............", "tomH": "........x.......",
                    "floor": "..............X."},
    },
    "tracks": [
        {"name": "Lead", "channel": 1, "program": 81, "role": "line", "vel": 94,
         "volume": 92, "pan": 60, "reverb": 40, "chorus": 30, "gate": 0.92},
        {"name": "Brass", "channel": 2, "program": 61, "role": "comp", "vel": 94,
         "volume": 112, "pan": 76, "reverb": 44, "range": (55, 72), "gate": 0.8,
         "grid": "X-----..x-x-...."},
        {"name": "Guitar", "channel": 3, "program": 30, "role": "comp", "vel": 84,
         "volume": 84, "pan": 40, "reverb": 24, "voicing": "power", "range": (40, 51),
         "gate": 0.6, "grid": "X-x-x-x-X-x-x-x-"},
        {"name": "Strings", "channel": 4, "program": 48, "role": "comp", "vel": 62,
         "volume": 46, "pan": 90, "reverb": 64, "range": (52, 71), "hold": True,
         "grid": "x---------------"},
        {"name": "Bass", "channel": 5, "program": 34, "role": "bass", "vel": 96,
         "volume": 104, "pan": 64, "reverb": 16, "range": (33, 45), "gate": 0.8,
         "grid": EIGHTHS},
        {"name": "Drums", "channel": 10, "role": "drums", "vel": 0,
         "volume": 100, "pan": 64, "reverb": 30},
    ],
    "sections": {
        # The riff: bass and guitar in step, brass hits, no tune yet.
        "R": {
            "chords": "Em | Em | C D | Em",
            "mute": ["Strings"],
            "drums": "drivecr drive drive fill",
            "lines": {"Bass":
                "E2e> E2e E3e E2e G2e E2e A2e Bb2e | E2e> E2e E3e E2e D3e B2e G2e A2e |"
                " C2e> C2e C3e C2e D2e> D2e D3e D2e | E2e> E2e E3e E2e G2e A2e B2e D3e |"},
            "grids": {"Brass": bars("X-----..x-x-....", "X-----..x-x-....",
                                    "X-..x-..X-..x-..", "X-----..x-x-X-..")},
        },
        "A": {
            "chords": "Em | C | D | Bm | Em | C | Am | B7",
            "mute": ["Brass"],
            "drums": "rockcr rock*6 fill",
            "grids": {"Bass": bars(*[EIGHTHS] * 7 + [TURN])},
            "lines": {"Lead":
                "E5q.> F#5e G5q B5q | C6q. B5e G5q E5q | F#5q.> E5e D5q A5q | B5h F#5q D5q |"
                " E5q.> F#5e G5q B5q | E6q. D6e C6q G5q | A5q.> G5e E5q C5q | D#5h> F#5q A5q |"},
        },
        # Lift into G major; the guitar opens up into long chords.
        "B": {
            "chords": "C | D | G | Em | C | D | B7sus4 | B7",
            "drums": "drivecr drive*6 fill",
            "dyn": {"Strings": 6},
            "grids": {"Guitar": "X-----x-X-----x-",
                      "Bass": bars(*[PUSH] * 7 + [TURN]),
                      "Brass": bars(*["..x-..x-..x-..x-"] * 6 + ["X-----..X-----..", "X-..x-..X-x-x-x-"])},
            "lines": {"Lead":
                "G5q E5e G5q C6q. | A5q F#5e A5q D6q. | B5q G5e B5q D6q. | E6h> B5q G5q |"
                " C6q. B5e A5q G5q | F#5q. G5e A5q D6q | B5q.> A5e F#5q E5q | F#5q A5q B5q D#5q> |"},
        },
        # The tune again, brass holding guide tones beneath it.
        "A2": {
            "chords": "Em | C | D | Bm | Em | C | Am | B7",
            "drums": "rockcr rock*6 fill",
            "grids": {"Bass": bars(*[PUSH] * 7 + [TURN])},
            "lines": {
                "Lead":
                "E5q.> F#5e G5q B5q | C6q. B5e G5q E5q | F#5q.> E5e D5q A5q | B5h F#5q D5q |"
                " E5q.> F#5e G5q B5q | E6q. D6e C6q G5q | A5q.> G5e E5q C5q | D#5h> F#5q A5q |",
                "Brass":
                "B4w | C5w | A4h D5h | D5w | G4w | G4h E4h | E4h C5h | B4h D#5h |"},
        },
        # Climax: the brass takes the tune, the lead answers it.
        "C": {
            "chords": "Am | Em | F | B7 | Am | Em | C | B7",
            "drums": "fourcr four*6 bigfill",
            "dyn": {"Strings": 4, "Brass": 8, "Guitar": 6, "Drums": 6},
            "grids": {"Bass": bars(*[PUSH] * 7 + [TURN])},
            "lines": {
                "Brass":
                "A4e> A4e C5e A4e E5q> D5q | E5h> Rh | F4e> F4e A4e F4e C5q> A4q | B4h.> Rq |"
                " A4e> A4e C5e A4e E5q> C5q | B4h> G4h | C5e> C5e E5e C5e G5q> E5q | D#5q> F#5q A5q B5q> |",
                "Lead":
                "Rw | Rh B5e A5e G5e E5e | Rw | Rh F#5e A5e B5e D#6e |"
                " Rw | Rh E6e D6e B5e G5e | C6q. B5e G5q E5q | B5h.> Rq |"},
        },
    },
}
