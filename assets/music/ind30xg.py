# Workshop theme ("ind30xg").  Heard for most of a session, so it stays
# gentle: F major, 92 bpm, a flute tune over picked nylon guitar, with the
# band filling in a little more on every pass of the AABA.
# Read by tools/gen_midi.py; the notation is described at the top of it.

KIT = {
    "kick": 36, "rim": 37, "snare": 38, "chh": 42, "phh": 44, "ohh": 46,
    "crash": 49, "ride": 51, "bell": 53, "tomL": 45, "tomM": 47, "tomH": 50,
    "floor": 41, "shaker": 70,
}

A_CHORDS = "Fmaj7 | Am7 | Bbmaj7 | Gm7 C7 | Fmaj7 | Dm7 | Gm7 | C7sus4 C7"

TUNE = {
    "title": "VARGO workshop",
    "tempo": 92,
    "meter": (4, 4),
    "key": (-1, False),
    "form": ["A1", "A2", "B", "A3"],
    "kit": KIT,
    "drum_patterns": {
        # first pass: only a brushed pulse
        "soft":   {"kick": "o.......o.o.....", "rim": "....g.......g...",
                   "shaker": "g.g.g.g.g.g.g.g."},
        "softend": {"kick": "o.......o.......", "rim": "....g.......g...",
                    "shaker": "g.g.g.g.g.g.g.g.", "tomH": "............g.g.", "tomL": "..............g."},
        "groove": {"kick": "o.......o.o.....", "rim": "....o.......o...",
                   "chh": "o.g.o.g.o.g.o.g.", "shaker": "g.g.g.g.g.g.g.g."},
        "fill":   {"kick": "o.......o.......", "rim": "....o...........",
                   "chh": "o.g.o.g.o.......", "tomH": "..........o.....",
                   "tomM": "............o.g.", "tomL": "..............o."},
        "crash":  {"kick": "o.......o.o.....", "rim": "....o.......o...",
                   "crash": "g...............", "chh": "..g.o.g.o.g.o.g."},
        "ride":   {"kick": "o.......o.......", "rim": "....o.......o...",
                   "ride": "o.g.o.g.o.g.o.g."},
        "ridecr": {"kick": "o.......o.......", "rim": "....o.......o...",
                   "crash": "g...............", "ride": "..g.o.g.o.g.o.g."},
    },
    "tracks": [
        {"name": "Flute", "channel": 1, "program": 73, "role": "line", "vel": 84,
         "volume": 100, "pan": 58, "reverb": 64, "chorus": 10, "gate": 0.95},
        {"name": "Vibes", "channel": 2, "program": 11, "role": "line", "vel": 86,
         "volume": 96, "pan": 74, "reverb": 60},
        {"name": "Guitar", "channel": 3, "program": 24, "role": "arp", "vel": 68,
         "volume": 100, "pan": 44, "reverb": 50, "range": (50, 69), "ring": True,
         "grid": "0-2-1-3-2-4-3-2-"},
        {"name": "Strings", "channel": 4, "program": 48, "role": "comp", "vel": 50,
         "volume": 54, "pan": 80, "reverb": 70, "range": (55, 74), "hold": True,
         "grid": "x---------------"},
        {"name": "Bass", "channel": 5, "program": 32, "role": "bass", "vel": 82,
         "volume": 100, "pan": 64, "reverb": 30, "range": (31, 52),
         "grid": "1-----5-1---5---"},
        {"name": "Drums", "channel": 10, "role": "drums", "vel": 0,
         "volume": 92, "pan": 64, "reverb": 40},
    ],
    "sections": {
        "A1": {
            "chords": A_CHORDS,
            "mute": ["Strings"],
            "drums": "soft*7 softend",
            "lines": {"Flute":
                "A4q C5q F5h | E5q. D5e C5h | D5q. C5e D5q F5q | D5q F5q E5h |"
                " A5q. G5e F5q C5q | D5h. C5q | Bb4q D5q G5q F5q | G5q F5q E5h |"},
        },
        "A2": {
            "chords": "Fmaj7 | Am7 | Bbmaj7 | Gm7 C7 | Fmaj7 | Dm7 | Gm7 C7 | F6 F7",
            "drums": "groove*7 fill",
            "dyn": {"Strings": -6},
            "lines": {"Flute":
                "A4q C5q F5q. G5e | A5h G5q E5q | F5q. E5e D5q Bb4q | D5q. C5e Bb4q G4q |"
                " A4q. C5e F5q A5q | C6h A5q F5q | G5q. F5e E5q D5q | F5w |"},
        },
        "B": {
            "chords": "Bbmaj7 | C7/Bb | Am7 | Dm7 | Gm7 | Am7 | Bbmaj7 | C7sus4 C7",
            "drums": "ridecr ride*6 fill",
            "grids": {"Guitar": "0-2-1-3-2-4-3-2- | 0-2-1-3-2-4-3-2- | 0-2-1-3-2-4-3-2- | 0-2-1-3-2-4-3-2- |"
                                " 0-2-1-3-2-4-3-2- | 0-2-1-3-2-4-3-2- | 0-2-1-3-2-4-3-2- | 0-2-1-3-0-2-1-3-",
                      "Bass": "1-----5-1---5--- | 1-----5-1---5--- | 1-----5-1---5--- | 1-----5-1---5-a- |"
                              " 1-----5-1---5--- | 1-----5-1---5--- | 1-----5-1---5--- | 1-----5-1---5-a-"},
            "lines": {"Vibes":
                "Rq D5e F5e A5q. G5e | G5q E5q C5h | Rq C5e E5e A5q. G5e | F5q D5q A4h |"
                " Rq Bb4e D5e G5q. F5e | E5q C5q A4h | Bb4q. C5e D5q F5q | G5h. E5q |"},
        },
        "A3": {
            "chords": A_CHORDS,
            "drums": "crash groove*6 fill",
            "dyn": {"Flute": 4},
            "lines": {"Flute":
                "A4q C5q F5h | E5q. D5e C5h | D5q. C5e D5q F5q | D5q F5q E5h |"
                " A5q. G5e F5q C5q | D5h. C5q | Bb4q D5q G5q F5q | G5q F5q E5q C5q |",
                      "Vibes":
                "Rw | Rw | Rw | Rw | F4h A4h | F4h A4h | G4h Bb4h | Bb4h G4h |"},
        },
    },
}
