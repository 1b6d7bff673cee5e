# Hit sound ("SE").  Played for every blow that does damage, so it is short
# (one 2/8 bar at 150 bpm = 0.4 s) and all attack: kick, snare and floor
# tom struck together for the body of the impact, a synth drum and a low
# orchestra hit underneath for weight.  No reverb: a tail would smear
# quick exchanges of blows.  Read by tools/gen_midi.py.

TUNE = {
    "title": "VARGO hit",
    "tempo": 150,
    "meter": (2, 8),
    "key": (0, False),
    "form": ["hit"],
    "loop": False,
    "kit": {"kick": 36, "kick2": 35, "snare": 38, "clap": 39, "floor": 41},
    "drum_patterns": {
        "hit": {"kick": "X.......", "kick2": "X.......", "snare": "X.......",
                "clap": "x.......", "floor": "x......."},
    },
    "tracks": [
        {"name": "Synth drum", "channel": 1, "program": 118, "role": "line", "vel": 110,
         "volume": 100, "pan": 64, "reverb": 0, "check": False},
        {"name": "Orch hit", "channel": 2, "program": 55, "role": "line", "vel": 92,
         "volume": 84, "pan": 64, "reverb": 0, "check": False},
        {"name": "Drums", "channel": 10, "role": "drums", "vel": 6,
         "volume": 100, "pan": 64, "reverb": 0},
    ],
    "sections": {
        "hit": {
            "chords": "C5",
            "drums": "hit",
            "lines": {"Synth drum": "C3e Re", "Orch hit": "C3:G3s^ Rs Re"},
        },
    },
}
