#!/usr/bin/env python3
"""Check the part catalogues as a game economy.

1. Reads the generated data/ini/*.ini back with a reader that follows the
   catalogue layout (header "." with the ID in characters 2 to 4, fields
   separated by commas or line breaks) and compares every record with the
   sources in assets/catalogue/.
2. Works out the example Dolls of docs/balance.md by the workshop's arithmetic
   (weight, momentum, AC, AP, Memory, value, class, picture) and has the game
   build the same Dolls (gen-registry --trial): every number must agree.
3. Counts the Dolls that cannot use a basic action: a move, jump or spin below
   the Doll's weight gives Int(ability/weight) = 0, so that action neither
   closes the distance nor adds momentum. Reported for the example Dolls and
   for the shipped enemy registry (data/ini/Dollsv.ini, as gen-registry wrote
   it), with the share of each.
4. Has the game's own engine fight the example Dolls, computer against
   computer (vargo-tool sim --json, each pair alone in a scratch registry):
   win rates, draws and fight length.

Usage: python3 tools/check_catalogue.py [--fights N] [--seed S] [--build DIR]
--build names the build folder holding vargo-tool and gen-registry (default:
build/release, else build/dev). Python 3 standard library only; the engine's
seeded fights make the output reproducible.
"""

import argparse
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_catalogue as gen  # noqa: E402

ROOT = gen.repo_root(None)

# ---------------------------------------------------------------------------
# 1. Read the .ini files back
# ---------------------------------------------------------------------------

FIELD_COUNTS = {  # number of fields after the header, including name and Rl
    "Motor.ini": 5, "Frame.ini": 10, "Booster.ini": 7, "Protector.ini": 4,
    "Hardware.ini": 4, "Software1.ini": 8, "Software2.ini": 12, "Software3.ini": 8,
}


def header_id(line):
    digits = ""
    for ch in line[1:4]:
        if ch == " ":
            continue
        if ch.isdigit():
            digits += ch
        else:
            break
    return int(digits) if digits else 0


def read_ini(path, nfields):
    """{id: [fields as text]}; fields separated by commas or line breaks."""
    with open(path, "rb") as f:
        raw = f.read()
    assert b"\n" not in raw.replace(b"\r\n", b""), f"{path}: bare LF"
    lines = raw.decode("cp932").split("\r\n")
    records = {}
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if not line.startswith("."):
            continue
        rid = header_id(line)
        fields = []
        while len(fields) < nfields:
            part = lines[i]
            i += 1
            assert not part.startswith("."), f"{path}: field line begins with '.'"
            fields.extend(c.strip() for c in part.split(","))
        assert len(fields) == nfields, f"{path}: record {rid} has {len(fields)} fields"
        records[rid] = fields
    return records


def check_files(all_records):
    problems = 0
    for kind in gen.KINDS:
        out = kind["output"]
        path = os.path.join(ROOT, "data", "ini", out)
        back = read_ini(path, FIELD_COUNTS[out])
        src = all_records[out]
        if sorted(back) != [r["id"] for r in src]:
            print(f"  {out}: IDs differ"); problems += 1
            continue
        for rec in src:
            f = back[rec["id"]]
            expect = [rec["name"], str(rec["Rl"])]
            for line in kind["lines"]:
                for col in line:
                    v = rec[col]
                    expect.append(gen.format_real(v) if isinstance(v, float) else str(v))
            if f != expect:
                print(f"  {out} #{rec['id']}: read back {f}, expected {expect}"); problems += 1
    print(f"catalogue files read back: {'OK' if problems == 0 else str(problems) + ' problems'}")
    return problems


# ---------------------------------------------------------------------------
# 2. Doll parameters
# ---------------------------------------------------------------------------

def by_id(all_records, out, i):
    return next(r for r in all_records[out] if r["id"] == i)


class Doll:
    def __init__(self, cat, name, motor, frame, hard, soft, boosters=(), protectors=(), skill=10,
                 patterns=()):
        self.name = name
        self.motor = by_id(cat, "Motor.ini", motor)
        self.frame = by_id(cat, "Frame.ini", frame)
        self.hard = by_id(cat, "Hardware.ini", hard)
        self.boosters = [by_id(cat, "Booster.ini", b) for b in boosters]
        self.protectors = [by_id(cat, "Protector.ini", p) for p in protectors]
        self.softM = by_id(cat, "Software1.ini", soft[0])
        self.softA = by_id(cat, "Software2.ini", soft[1])
        self.softD = by_id(cat, "Software3.ini", soft[2])
        assert len(set(b["name"] for b in self.boosters)) == len(self.boosters), "booster fitted twice"
        assert len(self.protectors) <= 4
        self.skill = skill
        # refresh
        self.pow = self.motor["pow"]
        self.offence = self.frame["offence"]
        self.defence = self.frame["defence"]
        self.move = self.frame["move"] + sum(b["move"] for b in self.boosters)
        self.jump = self.frame["jump"] + sum(b["jump"] for b in self.boosters)
        self.spin = self.frame["spin"] + sum(b["spin"] for b in self.boosters)
        self.weight = float(self.motor["weight"] + self.frame["weight"]
                            + sum(b["weight"] for b in self.boosters)
                            + sum(p["weight"] for p in self.protectors))
        self.AC = float(sum(p["AC"] for p in self.protectors))
        # resetDollParam
        self.AP = math.floor(skill / 5) + self.hard["CPU"]
        self.Memory = self.hard["Memory"]
        self.value = (self.motor["Rl"] + self.hard["Rl"] + self.frame["Rl"]
                      + sum(b["Rl"] for b in self.boosters[:4])
                      + sum(p["Rl"] for p in self.protectors)
                      + self.softA["Rl"] + self.softD["Rl"] + self.softM["Rl"])
        assert self.value <= 32767
        self.price = self.value + sum(b["Rl"] for b in self.boosters[4:])
        black = any(k in p["name"] for p in self.protectors for k in ("Carbon", "Steel", "Kevler"))
        self.image = "01" if self.frame["image"] == "01" else ("0202" if black else "0201")
        self.patterns = [self.make_pattern(n, acts) for n, acts in patterns]
        self.pattern_memory = sum(p["Memory"] for p in self.patterns)
        assert len(self.patterns) <= 6
        assert self.pattern_memory <= self.Memory, f"{name}: patterns need {self.pattern_memory} memory"

    @property
    def doll_class(self):
        return "Master" if self.value > 3500 else ("Expert" if self.value > 2500 else "Novice")

    def cost(self, action):
        m, a, d = self.softM, self.softA, self.softD
        table = {
            "move": (m["AP move"], m["Mem move"]), "jump": (m["AP jump"], m["Mem jump"]),
            "spin": (m["AP spin"], m["Mem spin"]),
            "punch": (a["AP punch"], a["Mem punch"]), "kick": (a["AP kick"], a["Mem kick"]),
            "kumi": (a["AP kumi"], a["Mem kumi"]), "drop": (a["AP drop"], a["Mem drop"]),
            "hold": (a["AP hold"], a["Mem hold"]),
            "block": (d["AP block"], d["Mem block"]), "uke": (d["AP uke"], d["Mem uke"]),
            "hazusi": (d["AP hazusi"], d["Mem hazusi"]),
        }
        return table[action]

    def make_pattern(self, name, actions):
        assert 1 <= len(actions) <= 10
        ap = sum(self.cost(a)[0] for a in actions)
        mem = sum(self.cost(a)[1] for a in actions)
        return {"name": name, "actions": list(actions), "AP": ap, "Memory": mem}

    def parts(self):
        out = [("motor", self.motor), ("frame", self.frame), ("computer", self.hard)]
        out += [("booster", b) for b in self.boosters]
        out += [("protector", p) for p in self.protectors]
        out += [("movement", self.softM), ("attack", self.softA), ("defence", self.softD)]
        return out

    def summary(self):
        w = self.weight
        return {
            "value": self.value, "price": self.price, "class": self.doll_class, "image": self.image,
            "pow": self.pow, "offence": self.offence, "defence": self.defence,
            "move": self.move, "jump": self.jump, "spin": self.spin, "AC": self.AC, "weight": w,
            "AP": self.AP, "Memory": self.Memory, "patternMemory": self.pattern_memory,
            "closeIn": math.floor(self.move / w / 2), "dash": math.floor(self.move / w),
            "jumpPow": math.floor(self.jump / w), "spinPow": math.floor(self.spin / w),
            "motorHP": self.motor["HP"], "frameHP": self.frame["HP"],
        }


def example_dolls(cat):
    """The example Dolls of docs/balance.md, with their six action patterns."""
    basic = [  # patterns for Lite/Standard software: short chains
        ("猛攻", ["punch", "kick", "punch", "kick"]),
        ("三連打", ["punch", "kick", "punch"]),
        ("ワンツー", ["punch", "punch"]),
        ("投げ", ["kumi", "drop"]),
        ("起き上がり", ["spin", "punch"]),
        ("外し", ["hazusi", "punch"]),
    ]
    mid = [
        ("突進ラッシュ", ["move", "jump", "punch", "kick", "punch", "kick"]),
        ("ジャンプ連打", ["jump", "punch", "kick", "punch"]),
        ("ワンツー", ["punch", "kick"]),
        ("投げ極め", ["kumi", "hold", "drop"]),
        ("起き上がり", ["spin", "punch", "kick"]),
        ("外し", ["hazusi", "punch"]),
    ]
    novice = [  # Standard software on a 48-memory computer
        ("突進ラッシュ", ["move", "jump", "punch", "kick"]),
        ("ジャンプ連打", ["jump", "punch", "kick", "punch"]),
        ("ワンツー", ["punch", "kick"]),
        ("投げ極め", ["kumi", "hold", "drop"]),
        ("起き上がり", ["spin", "punch"]),
        ("外し", ["hazusi", "punch"]),
    ]
    boxer = [  # punch-focused program: cheap punches, memory-hungry
        ("パンチ連打", ["punch", "punch", "punch", "punch", "punch"]),
        ("三連打", ["punch", "punch", "punch"]),
        ("ワンツー", ["punch", "kick"]),
        ("投げ", ["kumi", "drop"]),
        ("起き上がり", ["spin", "punch"]),
        ("外し", ["hazusi", "punch"]),
    ]
    best = [
        ("猛ラッシュ", ["move", "jump", "punch", "kick", "punch", "kick", "punch", "kick", "punch", "kick"]),
        ("ラッシュ", ["move", "jump", "punch", "kick", "punch", "kick", "punch"]),
        ("旋風脚", ["move", "jump", "spin", "kick", "kick", "punch"]),
        ("投げ極め", ["kumi", "hold", "hold", "drop"]),
        ("起き上がり", ["spin", "punch", "kick"]),
        ("外し", ["hazusi", "punch", "kick"]),
    ]
    return {
        "cheapest": Doll(cat, "最安ドール", 1, 1, 1, (1, 1, 1), patterns=basic),
        "starter": Doll(cat, "スターター", 2, 2, 2, (1, 4, 1), boosters=(1,), protectors=(2,),
                        patterns=basic),
        "novice_top": Doll(cat, "ノービス上位", 5, 6, 2, (2, 4, 2), boosters=(4,),
                           protectors=(4, 2), patterns=novice),
        "striker": Doll(cat, "ストライカー", 3, 4, 2, (1, 2, 1), protectors=(4, 4), patterns=boxer),
        "expert": Doll(cat, "エキスパート", 7, 9, 5, (3, 4, 2), boosters=(4,),
                       protectors=(4, 4), patterns=mid),
        "best": Doll(cat, "最強ドール", 13, 12, 9, (6, 7, 6), boosters=(10, 9, 8, 7),
                     protectors=(11, 11, 11, 11), patterns=best),
    }


# ---------------------------------------------------------------------------
# 3. The game builds the example Dolls and fights them
# ---------------------------------------------------------------------------

ACTION_WORDS = {
    "move": "移動", "jump": "ジャンプ", "spin": "回転", "punch": "パンチ", "kick": "キック",
    "kumi": "組み", "drop": "投げ", "hold": "折り", "block": "防御", "uke": "受身", "hazusi": "外し",
}


class Engine:
    """The game's own tools, run on scratch copies of the shipped game folder."""

    def __init__(self, build_dir):
        self.tool = os.path.join(build_dir, "vargo-tool")
        self.gen = os.path.join(build_dir, "gen-registry")
        for exe in (self.tool, self.gen):
            if not os.access(exe, os.X_OK):
                raise SystemExit(f"error: {exe} not found; build it first "
                                 "(cmake --build --preset dev --target vargo-tool gen-registry)")
        self.env = dict(os.environ)
        # A sanitizer build's leak report at exit is no concern of the balance figures.
        self.env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
        self.scratch = tempfile.mkdtemp(prefix="vargo-balance-")

    def close(self):
        shutil.rmtree(self.scratch, ignore_errors=True)

    def run(self, args):
        done = subprocess.run(args, capture_output=True, env=self.env)
        if done.returncode != 0:
            raise SystemExit(f"error: {' '.join(args)} failed:\n"
                             + done.stderr.decode("utf-8", "replace"))
        return done.stdout.decode("utf-8")

    def registry(self, name, dolls):
        """A game folder whose enemy registry holds exactly `dolls`, numbered from 1, built by
        gen-registry from the catalogues; returns the folder."""
        folder = os.path.join(self.scratch, name)
        shutil.copytree(os.path.join(ROOT, "data", "ini"), os.path.join(folder, "ini"))
        os.makedirs(os.path.join(folder, "save"))
        source = os.path.join(folder, "dolls.txt")
        with open(source, "w", encoding="utf-8") as f:
            for d in dolls:
                f.write(d.source_text())
        self.run([self.gen, "--trial", folder, source])
        return folder

    def sim(self, folder, doll_class, rounds, seed):
        out = self.run([self.tool, "--dir", folder, "sim", "--class", doll_class,
                        "--rounds", str(rounds), "--seed", str(seed), "--json"])
        return json.loads(out)


def source_text(doll):
    """The Doll in the notation of assets/enemies/enemies.txt."""
    parts = [f"motor={doll.motor['id']}", f"frame={doll.frame['id']}", f"hard={doll.hard['id']}",
             f"soft={doll.softM['id']}/{doll.softA['id']}/{doll.softD['id']}"]
    if doll.boosters:
        parts.append("boosters=" + "/".join(str(b["id"]) for b in doll.boosters))
    if doll.protectors:
        parts.append("protectors=" + "/".join(str(p["id"]) for p in doll.protectors))
    lines = [f"doll {doll.name}", f"skill {doll.skill}", "parts " + " ".join(parts)]
    for p in doll.patterns:
        lines.append(f"pattern {p['name']}: " + " ".join(ACTION_WORDS[a] for a in p["actions"]))
    return "\n".join(lines) + "\n\n"


Doll.source_text = source_text


def read_registry(folder):
    """The registry records gen-registry wrote: {number: fields by name}, and the pattern memory
    of each number."""
    with open(os.path.join(folder, "ini", "Dollsv.ini"), "rb") as f:
        lines = f.read().decode("cp932").split("\r\n")
    records = {}
    for i, line in enumerate(lines):
        if not line.startswith("."):
            continue
        _, pow_, off, dfc = lines[i + 2].split(",")
        move, jump, spin = lines[i + 3].split(",")
        ac, ap, mem = lines[i + 4].split(",")
        _, _, value, weight = lines[i + 9].split(",")
        records[int(line[1:])] = {
            "name": lines[i + 1], "pow": int(pow_), "offence": int(off), "defence": int(dfc), "move": int(move),
            "jump": int(jump), "spin": int(spin), "AC": float(ac), "AP": int(ap), "Memory": int(mem),
            "value": int(value), "weight": float(weight), "image": lines[i + 10].strip('"'),
        }
    used = {}
    with open(os.path.join(folder, "ini", "Logicsv.ini"), "rb") as f:
        logic = f.read().decode("cp932").split("\r\n")
    for i, line in enumerate(logic):
        if line.startswith("."):
            owner = int(logic[i + 1])
            used[owner] = used.get(owner, 0) + int(logic[i + 3].split(",")[1])
    return records, used


def check_against_game(engine, dolls):
    """Every number of section 2 must be what the game computes for the same parts."""
    folder = engine.registry("examples", list(dolls.values()))
    records, used = read_registry(folder)
    problems = 0
    for number, (key, d) in enumerate(dolls.items(), start=1):
        s = d.summary()
        game = dict(records[number], patternMemory=used.get(number, 0))
        del game["name"]
        for field, got in game.items():
            if s[field] != got:
                print(f"  {key}: {field} is {s[field]} here, {got} in the game"); problems += 1
    print(f"example Dolls as the game builds them: {'OK' if problems == 0 else str(problems) + ' problems'}")
    return problems


MOBILITY = (("move", "move"), ("jump", "jump"), ("spin", "spin"))


def per_weight(ability, weight):
    """What one action is worth in a fight: the ability over the Doll's weight, rounded down."""
    return math.floor(ability / weight) if weight > 0 else 0


def mobility_report(title, dolls):
    """Lists the Dolls with move, jump or spin 0 per weight and the share of each; `dolls` is a
    list of (label, move, jump, spin, weight). Returns the number of Dolls with any of them 0."""
    print(f"{title}: {len(dolls)} Dolls, move/jump/spin per weight")
    zero = {key: 0 for key, _ in MOBILITY}
    stuck = 0
    for label, move, jump, spin, weight in dolls:
        per = {"move": per_weight(move, weight), "jump": per_weight(jump, weight),
               "spin": per_weight(spin, weight)}
        lacking = [word for key, word in MOBILITY if per[key] == 0]
        for key, _ in MOBILITY:
            zero[key] += per[key] == 0
        stuck += bool(lacking)
        mark = f"  0 in {', '.join(lacking)}" if lacking else ""
        print(f"  {label}: {per['move']}/{per['jump']}/{per['spin']} (weight {gen.format_real(weight)}){mark}")
    n = max(len(dolls), 1)
    print("  share with 0: " + ", ".join(f"{word} {zero[key]}/{len(dolls)} ({zero[key] / n:.0%})"
                                        for key, word in MOBILITY)
          + f"; any of them {stuck}/{len(dolls)} ({stuck / n:.0%})")
    return stuck


def frame_reach(cat):
    """Every frame keeps move, jump and spin at 1 or more as long as the whole Doll weighs no more
    than the smallest of its three figures: the heaviest Doll it carries without a booster."""
    print("Frames: the heaviest Doll that still moves, jumps and spins (no booster)")
    for f in cat["Frame.ini"]:
        reach = min(f["move"], f["jump"], f["spin"])
        print(f"  #{f['id']} {f['name']}: {f['move']}/{f['jump']}/{f['spin']}, frame weight {f['weight']}, "
              f"carries a Doll up to weight {reach} (room {reach - f['weight']} for motor and plates)")


def shipped_mobility():
    """The mobility report of the shipped enemy registry as gen-registry wrote it."""
    records, _ = read_registry(os.path.join(ROOT, "data"))
    rows = []
    for number in sorted(records):
        r = records[number]
        label = f"{number:2d} {r['name']} ({r['value']})"
        rows.append((label, r["move"], r["jump"], r["spin"], r["weight"]))
    return mobility_report("Shipped enemies (data/ini/Dollsv.ini)", rows)


def fight_table(engine, dolls, pairs, rounds, seed):
    """Each pair alone in a registry (A number 1, B number 2), fought `rounds` times by the engine,
    sides swapped every other fight."""
    rows = []
    for a, b in pairs:
        doll_class = dolls[a].doll_class
        assert dolls[b].doll_class == doll_class, f"{a} and {b} fight in different classes"
        folder = engine.registry(f"{a}-{b}", [dolls[a], dolls[b]])
        result = engine.sim(folder, doll_class, rounds, seed)
        (pair,) = result["pairs"]
        assert (pair["a"], pair["b"]) == (1, 2)
        rows.append((a, b, pair["aWins"] / rounds, pair["draws"], result["averageSteps"]))
    return rows


def default_build():
    for name in ("release", "dev"):
        folder = os.path.join(ROOT, "build", name)
        if all(os.access(os.path.join(folder, exe), os.X_OK) for exe in ("vargo-tool", "gen-registry")):
            return folder
    return os.path.join(ROOT, "build", "dev")


def main(argv=None):
    ap = argparse.ArgumentParser(description="check the part catalogues")
    ap.add_argument("--fights", type=int, default=2000, help="fights per pair")
    ap.add_argument("--seed", type=int, default=20130101)
    ap.add_argument("--build", help="build folder with vargo-tool and gen-registry")
    ap.add_argument("--mobility", action="store_true",
                    help="only the report of Dolls with move, jump or spin 0 (no build needed)")
    args = ap.parse_args(argv)
    if args.fights < 1:
        ap.error("--fights needs a positive number")
    cat = gen.load_all(ROOT)
    problems = check_files(cat)

    dolls = example_dolls(cat)
    print()
    frame_reach(cat)
    mobility_report("Example Dolls", [(f"{key} {d.name} ({d.value})", d.move, d.jump, d.spin, d.weight)
                                      for key, d in dolls.items()])
    shipped_mobility()
    if args.mobility:
        return 1 if problems else 0
    print()
    print("Example Dolls (pilot skillPlay 10):")
    for key, d in dolls.items():
        s = d.summary()
        print(f"  {key}: {d.name}")
        print("    parts: " + ", ".join(f"{k} #{p['id']} {p['name']} ({p['Rl']})" for k, p in d.parts()))
        print("    " + ", ".join(f"{k}={v}" for k, v in s.items()))
        for p in d.patterns:
            print(f"      {p['name']}: {'/'.join(p['actions'])}  AP {p['AP']}  Mem {p['Memory']}")

    # cheapest complete Doll by brute force: cheapest part of each required kind
    cheapest = sum(min(r["Rl"] for r in cat[k]) for k in
                   ("Motor.ini", "Frame.ini", "Hardware.ini", "Software1.ini", "Software2.ini", "Software3.ini"))
    print(f"\ncheapest complete Doll costs {cheapest} Rl; lowest starting money 1400 leaves {1400 - cheapest}")

    engine = Engine(args.build or default_build())
    try:
        print()
        problems += check_against_game(engine, dolls)
        print(f"\nFights by the game's engine (vargo-tool sim, {args.fights} fights per pair, "
              f"seed {args.seed}):")
        print("  A vs B: A's win rate, draws, mean steps per fight")
        # sim fights inside one class, so every pair is of one class.
        pairs = [("cheapest", "cheapest"), ("starter", "starter"), ("starter", "cheapest"),
                 ("novice_top", "novice_top"), ("novice_top", "starter"),
                 ("striker", "starter"), ("striker", "novice_top"),
                 ("expert", "expert"), ("best", "best")]
        for a, b, wr, draws, steps in fight_table(engine, dolls, pairs, args.fights, args.seed):
            print(f"  {a} vs {b}: {wr:.2f}, {draws} draws, {steps:.1f} steps")
    finally:
        engine.close()
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
