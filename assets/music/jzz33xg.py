# Shop theme ("jzz33xg").  A small-combo swing tune for browsing parts:
# B-flat major, 132 bpm with swung eighths, AABA of eight bars each on
# rhythm-changes-like harmony.  Alto sax takes the A sections, vibraphone
# the bridge, and both play the last A in unison.  The bass walks (built
# from the chords by the generator), the piano comps in Charleston figures.
# Read by tools/gen_midi.py; the notation is described at the top of it.

KIT = {
    "kick": 36, "rim": 37, "snare": 38, "chh": 42, "phh": 44, "ohh": 46,
    "crash": 49, "ride": 51, "bell": 53, "tomL": 45, "tomM": 47, "tomH": 50,
}

A_CHORDS = "Bb6 G7 | Cm7 F7 | Dm7 G7 | Cm7 F7 | Fm7 Bb7 | Eb6 Edim7 | Bb6/F G7 | Cm7 F7"

# The head's first four bars, shared by the three A sections.
HEAD = ("Re D5e F5e G5q. F5e D5e | Eb5e^ C5e^ Rq A4e^ C5e^ Rq |"
        " Re F5e A5e F5e G5q. F5e | Eb5q D5e C5h+e |")
A_END = ("Re Ab4e C5e Eb5q. D5e C5e | Bb4q. G4e Bb4q Db5q |"
         " D5q F5e D5e~ D5e B4e D5e F5e | Eb5q. C5e A4q F4q |")

TUNE = {
    "title": "VARGO shop",
    "tempo": 132,
    "meter": (4, 4),
    "swing": 0.64,
    "key": (-2, False),
    "form": ["A1", "A2", "B", "A3"],
    "kit": KIT,
    "drum_patterns": {
        "swing":  {"ride": "x.xox.xo", "phh": "..x...x.", "kick": "g.g.g.g."},
        "swing2": {"ride": "x.xox.xo", "phh": "..x...x.", "kick": "g.g.g.g.",
                   "snare": ".....g.o"},
        "crash":  {"crash": "o.......", "ride": "..xox.xo", "phh": "..x...x.",
                   "kick": "x.g.g.g."},
        "fill":   {"ride": "x.xo....", "phh": "..x.....", "kick": "g.g.....",
                   "snare": "...goxo.", "tomL": ".......x"},
    },
    "tracks": [
        {"name": "Sax", "channel": 1, "program": 65, "role": "line", "vel": 88,
         "volume": 100, "pan": 52, "reverb": 44},
        {"name": "Vibes", "channel": 2, "program": 11, "role": "line", "vel": 90,
         "volume": 104, "pan": 82, "reverb": 52},
        {"name": "Piano", "channel": 3, "program": 0, "role": "comp", "vel": 78,
         "volume": 100, "pan": 40, "reverb": 40, "voicing": "rootless",
         "range": (50, 72), "gate": 0.8, "push": True,
         "grid": "x-.x-... | ..x-..x- | .x-..x-. | x-..x-.x"},
        {"name": "Bass", "channel": 4, "program": 32, "role": "walk", "vel": 86,
         "volume": 100, "pan": 64, "reverb": 24, "range": (28, 50)},
        {"name": "Drums", "channel": 10, "role": "drums", "vel": -10,
         "volume": 90, "pan": 64, "reverb": 36},
    ],
    "sections": {
        "A1": {
            "chords": A_CHORDS,
            "drums": "crash swing swing swing2 swing swing swing2 fill",
            "lines": {"Sax": HEAD + A_END},
        },
        "A2": {
            "chords": "Bb6 G7 | Cm7 F7 | Dm7 G7 | Cm7 F7 | Fm7 Bb7 | Eb6 Edim7 | Cm7 F7 | Bb6",
            "drums": "swing*3 swing2 swing*3 fill",
            "lines": {"Sax": HEAD +
                "Re Ab4e C5e Eb5q. D5e C5e | G5q. Eb5e Db5q Bb4q |"
                " C5e D5e Eb5e G5e F5e Eb5e C5e A4e | Bb4q Rq Re F4e G4e A4e |"},
        },
        "B": {
            "chords": "Am7 D7 | D7 | Dm7 G7 | G7 | Gm7 C7 | C7 | Cm7 F7 | F7",
            "drums": "crash swing2*6 fill",
            "grids": {"Piano": "..x-..x- | x-.x-... | ..x-..x- | .x-..x-."},
            "lines": {"Vibes":
                "A4q C5e E5e F#5q A5q | C6e A5e F#5e D5q. Rq |"
                " D5q F5e A5e B5q G5q | F5e D5e B4e G4q. Rq |"
                " G4q Bb4e D5e E5q G5q | Bb5e G5e E5e C5q. Rq |"
                " C5q Eb5e G5e A5q C6q | Eb6e C6e A5e F5e Eb5q C5q |"},
        },
        "A3": {
            "chords": A_CHORDS,
            "drums": "crash swing swing2 swing swing swing2 swing fill",
            "dyn": {"Vibes": -14},
            "lines": {"Sax": HEAD + A_END, "Vibes": HEAD + A_END},
        },
    },
}
