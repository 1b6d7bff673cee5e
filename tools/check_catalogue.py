#!/usr/bin/env python3
"""Check the part catalogues as a game economy.

1. Reads the generated data/ini/*.ini back with a reader that follows the
   catalogue rules (header "." with the ID in characters 2 to 4, fields
   separated by commas or line breaks, integers rounded halves-to-even) and
   compares every record with the sources in assets/catalogue/.
2. Recomputes refresh / resetDollParam for the example Dolls of
   docs/balance.md (weight, momentum, AC, AP, Memory, value, class, picture).
3. Runs a rough Monte-Carlo of computer-against-computer fights between the
   example Dolls (the battle rules of the game, simplified: both sides use the
   computer's pattern choice) to estimate fight length, win rates and the
   repair bill of the winner.

Usage: python3 tools/check_catalogue.py [--fights N] [--seed S]
Python 3 standard library only; a fixed seed makes the output reproducible.
"""

import argparse
import math
import os
import random
import sys

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
# 3. Fight estimate (computer against computer)
# ---------------------------------------------------------------------------

ATTACKS_FOR_HITAWAY = {"kumi", "kick", "spin", "punch", "jump"}


def d6(rng):
    return int(6 * rng.random()) + 1


def two_d(rng, n):
    return int(n * rng.random()) + int(n * rng.random()) + 2


class Fight:
    def __init__(self, a, b, rng):
        self.d = [a, b]
        self.rng = rng
        self.hp = [[a.motor["HP"], a.frame["HP"]], [b.motor["HP"], b.frame["HP"]]]
        self.span = 0
        self.holding = [False, False]
        self.fallen = [False, False]
        self.fallChanged = [False, False]
        self.guarding = [0, 0]
        self.ukemi = [False, False]
        self.playAP = 0
        self.me = 0  # the fighter whose pattern is being chosen

    def destroyed(self, i):
        return self.hp[i][0] <= 0 or self.hp[i][1] <= 0

    # -- pattern choice (the computer's rules) --
    def affordable(self, p):
        return p["AP"] <= self.playAP

    def best_by(self, pred, score=None):
        choice, best = None, 0
        for p in self.d[self.me].patterns:
            if not self.affordable(p) or not pred(p):
                continue
            s = p["AP"] if score is None else score(p)
            if s > best:
                choice, best = p, s
        return choice

    def search(self):
        me, other = self.me, 1 - self.me
        kumiwaza = lambda p: any(a in ("drop", "hold") for a in p["actions"])
        if self.holding[other]:
            return self.best_by(lambda p: "hazusi" in p["actions"])
        if self.fallen[me]:
            def spin_score(p):
                s, grappling = 0, False
                for a in p["actions"]:
                    if a in ("spin", "move", "block", "uke"):
                        s += 3
                    elif a == "punch":
                        s += 7
                    elif a == "kick":
                        s += 9
                    elif a == "kumi":
                        s += 9; grappling = True
                    elif a in ("drop", "hold") and (self.holding[me] or grappling):
                        s += 9
                return s
            return self.best_by(lambda p: "spin" in p["actions"], spin_score)
        if self.holding[me]:
            pts = {"punch": 7, "kick": 9, "drop": 9, "hold": 9}
            return self.best_by(lambda p: True, lambda p: sum(pts.get(a, 0) for a in p["actions"]))
        if self.span > 0:
            return self.best_by(lambda p: p["actions"][0] == "move")
        plain = self.best_by(lambda p: not kumiwaza(p))
        if self.d[other].move > self.d[me].move:
            half = (plain["AP"] if plain else 0) / 2
            g = self.best_by(lambda p: "kumi" in p["actions"] and p["AP"] > half)
            if g:
                return g
        return plain

    # -- resolution --
    def hit(self, who, action):
        other = 1 - who
        h, dr = two_d(self.rng, 6), two_d(self.rng, 6)
        if self.holding[who]:
            level = h
        elif self.d[who].offence + h >= self.d[other].defence + dr:
            level = h
            if action != "kumi" and self.guarding[other] >= 1:
                g = two_d(self.rng, 6)
                if not h + self.d[who].offence >= g + self.d[other].defence:
                    level = 0
        else:
            level = 0
        if self.span >= 1:
            level = 0
        return level

    def damage(self, who, kind, wazaPow):
        other = 1 - who
        r = int(6 * self.rng.random())
        base = {1: lambda: two_d(self.rng, 6), 2: lambda: two_d(self.rng, 8),
                3: lambda: two_d(self.rng, 8), 4: lambda: 0}[kind]()
        u = 0
        if self.ukemi[other]:
            u = int(6 * self.rng.random()) + 1
            self.ukemi[other] = False

        def amount(b):
            x = round(b + self.d[who].pow + wazaPow - self.d[other].AC - u)
            return max(0, min(x, 100))
        if kind in (1, 2):
            self.hp[other][0 if r > 2 else 1] -= amount(base)
        elif kind == 3:
            self.hp[other][0] -= amount(base)
            self.hp[other][1] -= amount(two_d(self.rng, 8))
        else:
            self.hp[other][1] -= self.d[who].pow + wazaPow

    def hit_away(self, pos, p):
        if pos <= 1:
            return 0
        if pos >= 10:
            return 1
        nxt = p["actions"][pos + 1] if pos + 1 < len(p["actions"]) else None
        return 1 if (nxt not in ATTACKS_FOR_HITAWAY and self.span <= 0) else 0

    def waza(self, who):
        other = 1 - who
        self.ukemi[who] = False
        self.guarding[who] = 0
        self.me = who
        p = self.search()
        if p is None:
            return
        me = self.d[who]
        w = me.weight
        wp = 0
        grappled = lambda: self.holding[0] or self.holding[1]
        for pos, a in enumerate(p["actions"]):
            if a == "move":
                if self.hit_away(pos, p) == 0:
                    if self.fallen[who]:
                        pass
                    elif grappled():
                        pass
                    elif self.span == 0:
                        wp += math.floor(me.move / w / 2)
                    else:
                        dd = math.floor(me.move / w)
                        self.span = max(0, min(self.span - dd, 10))
                        wp += dd
                else:
                    if not grappled() and not self.fallen[who]:
                        self.span = min(self.span + math.floor(me.move / w), 10)
            elif a == "jump":
                if not self.fallen[who]:
                    wp += math.floor(me.jump / w)
            elif a == "spin":
                wp += math.floor(me.spin / w)
                self.fallChanged[who] = True
                self.fallen[who] = not self.fallen[who]
                if grappled():
                    self.fallen[other] = not self.fallen[other]
            elif a in ("punch", "kick"):
                level = self.hit(who, a)
                if level >= 1 and not (self.fallen[who] and not self.fallChanged[who]):
                    self.damage(who, 1 if a == "punch" else 2, wp)
            elif a == "kumi":
                if self.hit(who, a) >= 1 and self.span == 0:
                    self.holding[who] = True
            elif a == "drop":
                if self.holding[who]:
                    self.damage(who, 3, wp)
                    self.holding[who] = False
                    self.fallen[other] = True
                    self.holding[other] = False
                wp = 0
            elif a == "hold":
                if self.holding[who]:
                    self.damage(who, 4, wp)
            elif a == "block":
                self.guarding[who] = 1
                wp = 0
            elif a == "uke":
                self.ukemi[who] = True
                wp = 0
            elif a == "hazusi":
                if self.holding[other]:
                    mine = me.pow + wp + two_d(self.rng, 6)
                    theirs = self.d[other].pow + two_d(self.rng, 6)
                    if mine >= theirs:
                        self.holding = [False, False]
                    else:
                        self.holding[who] = False
                else:
                    self.holding[who] = False
                wp = 0

    def run(self, max_turns=200):
        for turn in range(1, max_turns + 1):
            while True:
                i0, i1 = d6(self.rng), d6(self.rng)
                if i0 != i1:
                    break
            order = [0, 1] if i0 > i1 else [1, 0]
            for who in order:
                self.playAP = two_d(self.rng, 6) + self.d[who].AP
                self.waza(who)
                self.fallChanged = [False, False]
                if self.destroyed(1 - who):
                    return who, turn
        return None, max_turns


def repair_cost(doll, hp):
    total = 0
    for cur, part in ((hp[0], doll.motor), (hp[1], doll.frame)):
        if cur <= 0:
            continue  # destroyed: lost, not repaired
        c = round((part["HP"] - cur) / 7 * 10 + 100)
        if c > 100:
            total += c
    return total


def fight_table(dolls, pairs, n, seed):
    rng = random.Random(seed)
    rows = []
    for a, b in pairs:
        wins, turns, repairs, longest = 0, 0, 0, 0
        for k in range(n):
            # alternate sides so that neither Doll gets the first slot's edge
            da, db = (dolls[a], dolls[b]) if k % 2 == 0 else (dolls[b], dolls[a])
            f = Fight(da, db, rng)
            winner, t = f.run()
            a_side = 0 if k % 2 == 0 else 1
            if winner == a_side:
                wins += 1
            if winner is not None:
                repairs += repair_cost(f.d[winner], f.hp[winner])
            turns += t
            longest = max(longest, t)
        rows.append((a, b, wins / n, turns / n, longest, repairs / n))
    return rows


def main(argv=None):
    ap = argparse.ArgumentParser(description="check the part catalogues")
    ap.add_argument("--fights", type=int, default=2000)
    ap.add_argument("--seed", type=int, default=20130101)
    args = ap.parse_args(argv)
    cat = gen.load_all(ROOT)
    problems = check_files(cat)

    dolls = example_dolls(cat)
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

    print(f"\nFight estimate ({args.fights} fights per pair, seed {args.seed}):")
    print("  A vs B: A's win rate, mean turns, longest, winner's mean repair bill")
    pairs = [("cheapest", "cheapest"), ("starter", "starter"), ("starter", "cheapest"),
             ("novice_top", "novice_top"), ("novice_top", "starter"),
             ("striker", "starter"), ("striker", "novice_top"),
             ("expert", "expert"), ("expert", "novice_top"), ("best", "best"), ("best", "expert")]
    for a, b, wr, t, longest, rep in fight_table(dolls, pairs, args.fights, args.seed):
        print(f"  {a} vs {b}: {wr:.2f}, {t:.1f} turns, longest {longest}, repairs {rep:.0f} Rl")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
