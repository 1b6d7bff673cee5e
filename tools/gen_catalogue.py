#!/usr/bin/env python3
"""Generate the eight part catalogues data/ini/*.ini from assets/catalogue/*.txt.

The sources are UTF-8 tables, one per part kind, with columns separated by "|".
Lines starting with "#" are designer notes and blank lines are skipped; the first
remaining line names the columns.  The catalogues are written in code page 932
with CR LF line ends, each opening with a comment block that names the fields,
followed by the records in the canonical layout:

    .001            record header: a full stop and a three-digit ID
    name
    price (Rl)
    further field lines, comma separated

Usage:  python3 tools/gen_catalogue.py [--root DIR] [--check]
  --root DIR   repository root (default: the parent of this script's folder)
  --check      only verify that the committed .ini files match the sources

Python 3 standard library only.
"""

import argparse
import os
import sys

ENCODING = "cp932"
EOL = "\r\n"
INT_MIN, INT_MAX = -32768, 32767
MAX_RECORDS = 19  # the shop offers IDs 1 to 19


class CatalogueError(Exception):
    pass


# ---------------------------------------------------------------------------
# Kinds: source file, output file, field lines and the comment block.
# Each entry of "lines" is one output line after the name and price lines;
# it lists the source columns written on that line.  "real" columns keep
# fractions (protector AC and weight); "text" columns are written as text.
# ---------------------------------------------------------------------------

KINDS = [
    {
        "source": "motor.txt",
        "output": "Motor.ini",
        "min_records": 10,
        "lines": [["pow", "HP", "weight"]],
        "comment": [
            "VARGO パーツカタログ：モーター (Motor catalogue)",
            "各レコード (each record):",
            "  .番号 (three-digit ID after a full stop)",
            "  名前 (name)",
            "  価格Rl (price in Rl)",
            "  パワー,ＨＰ,重量 (pow, HP, weight)",
            "パワーは打撃・投げ・関節技のダメージに加わります。(pow adds to the damage of blows, throws and joint locks)",
            "ＨＰはモーターの耐久力、重量は機動力を下げます。(HP is the motor's durability; weight lowers mobility)",
        ],
    },
    {
        "source": "frame.txt",
        "output": "Frame.ini",
        "min_records": 10,
        "lines": [["offence", "defence", "move", "jump", "spin"], ["HP", "weight"], ["image"]],
        "text": ["image"],
        "comment": [
            "VARGO パーツカタログ：フレーム (Frame catalogue)",
            "各レコード (each record):",
            "  .番号 (three-digit ID after a full stop)",
            "  名前 (name)",
            "  価格Rl (price in Rl)",
            "  攻撃力,防御力,移動力,ジャンプ力,回転力 (offence, defence, move, jump, spin)",
            "  ＨＰ,重量 (HP, weight)",
            "  画像コード 01 または 02 (picture code: 01 plain body, 02 armoured body)",
        ],
    },
    {
        "source": "booster.txt",
        "output": "Booster.ini",
        "min_records": 8,
        "lines": [["move", "jump", "spin"], ["HP", "weight"]],
        "comment": [
            "VARGO パーツカタログ：ブースター (Booster catalogue)",
            "各レコード (each record):",
            "  .番号 (three-digit ID after a full stop)",
            "  名前 (name)",
            "  価格Rl (price in Rl)",
            "  移動力,ジャンプ力,回転力 (move, jump, spin)",
            "  ＨＰ,重量 (HP, weight)",
        ],
    },
    {
        "source": "protector.txt",
        "output": "Protector.ini",
        "min_records": 10,
        "lines": [["AC", "weight"]],
        "real": ["AC", "weight"],
        "comment": [
            "VARGO パーツカタログ：プロテクタ (Protector catalogue)",
            "各レコード (each record):",
            "  .番号 (three-digit ID after a full stop)",
            "  名前 (name)",
            "  価格Rl (price in Rl)",
            "  アーマークラス,重量 (AC, weight; both may have a fraction such as 2.5)",
            "名前に Carbon Steel Kevler を含む装甲は黒い外見になります。(plates named Carbon, Steel or Kevler look dark)",
        ],
    },
    {
        "source": "hardware.txt",
        "output": "Hardware.ini",
        "min_records": 8,
        "lines": [["CPU", "Memory"]],
        "comment": [
            "VARGO パーツカタログ：コンピュータ (Computer catalogue)",
            "各レコード (each record):",
            "  .番号 (three-digit ID after a full stop)",
            "  名前 (name)",
            "  価格Rl (price in Rl)",
            "  CPU,メモリ (CPU added to action points each turn, memory for the action patterns)",
        ],
    },
    {
        "source": "software1.txt",
        "output": "Software1.ini",
        "min_records": 6,
        "lines": [["AP move", "AP jump", "AP spin"], ["Mem move", "Mem jump", "Mem spin"]],
        "comment": [
            "VARGO パーツカタログ：移動プログラム (movement software catalogue)",
            "各レコード (each record):",
            "  .番号 (three-digit ID after a full stop)",
            "  名前 (name)",
            "  価格Rl (price in Rl)",
            "  使用行動ポイント 移動,ジャンプ,回転 (action-point cost of move, jump, spin)",
            "  使用メモリ 移動,ジャンプ,回転 (memory cost of move, jump, spin)",
        ],
    },
    {
        "source": "software2.txt",
        "output": "Software2.ini",
        "min_records": 7,
        "max_records": 7,
        "lines": [
            ["AP punch", "AP kick", "AP kumi", "AP drop", "AP hold"],
            ["Mem punch", "Mem kick", "Mem kumi", "Mem drop", "Mem hold"],
        ],
        "comment": [
            "VARGO パーツカタログ：攻撃プログラム (attack software catalogue)",
            "各レコード (each record):",
            "  .番号 (three-digit ID after a full stop; the shop stocks numbers 1 to 7)",
            "  名前 (name)",
            "  価格Rl (price in Rl)",
            "  使用行動ポイント パンチ,キック,組み,投げ,折り (action-point cost of punch, kick, grapple, throw, joint lock)",
            "  使用メモリ パンチ,キック,組み,投げ,折り (memory cost of the same five)",
        ],
    },
    {
        "source": "software3.txt",
        "output": "Software3.ini",
        "min_records": 6,
        "lines": [["AP block", "AP uke", "AP hazusi"], ["Mem block", "Mem uke", "Mem hazusi"]],
        "comment": [
            "VARGO パーツカタログ：防御プログラム (defence software catalogue)",
            "各レコード (each record):",
            "  .番号 (three-digit ID after a full stop)",
            "  名前 (name)",
            "  価格Rl (price in Rl)",
            "  使用行動ポイント 防御,受身,外し (action-point cost of block, breakfall, unlock)",
            "  使用メモリ 防御,受身,外し (memory cost of the same three)",
        ],
    },
]


def repo_root(arg):
    if arg:
        return os.path.abspath(arg)
    return os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_table(path):
    """Read one source table: a list of dicts keyed by column name (values are stripped text)."""
    rows = []
    columns = None
    with open(path, encoding="utf-8") as f:
        for lineno, raw in enumerate(f, 1):
            line = raw.rstrip("\n").rstrip("\r")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            cells = [c.strip() for c in line.split("|")]
            if columns is None:
                columns = cells
                continue
            if len(cells) != len(columns):
                raise CatalogueError(f"{path}:{lineno}: {len(cells)} cells, expected {len(columns)}")
            row = dict(zip(columns, cells))
            row["_line"] = lineno
            rows.append(row)
    if columns is None:
        raise CatalogueError(f"{path}: no column header")
    return rows


def parse_int(text, where):
    try:
        value = int(text, 10)
    except ValueError:
        raise CatalogueError(f"{where}: '{text}' is not a whole number")
    if not INT_MIN <= value <= INT_MAX:
        raise CatalogueError(f"{where}: {value} is outside the 16-bit range")
    return value


def parse_real(text, where):
    try:
        value = float(text)
    except ValueError:
        raise CatalogueError(f"{where}: '{text}' is not a number")
    if not INT_MIN <= value <= INT_MAX:
        raise CatalogueError(f"{where}: {value} is outside the 16-bit range")
    return value


def format_real(value):
    if value == int(value):
        return str(int(value))
    return repr(value)


def check_name(name, where):
    if not name:
        raise CatalogueError(f"{where}: empty name")
    if "," in name or '"' in name:
        raise CatalogueError(f"{where}: name must not contain a comma or double quote")
    if name.startswith("."):
        raise CatalogueError(f"{where}: name must not begin with a full stop")
    try:
        name.encode(ENCODING)
    except UnicodeEncodeError as e:
        raise CatalogueError(f"{where}: name cannot be written in {ENCODING}: {e}")


def load_kind(root, kind):
    """Parse one kind's source into records: dicts with id, name, Rl and typed fields."""
    path = os.path.join(root, "assets", "catalogue", kind["source"])
    rows = read_table(path)
    real = set(kind.get("real", []))
    text = set(kind.get("text", []))
    records = []
    for expected_id, row in enumerate(rows, 1):
        where = f"{path}:{row['_line']}"
        rec = {"id": parse_int(row["id"], where), "name": row["name"], "Rl": parse_int(row["Rl"], where)}
        if rec["id"] != expected_id:
            raise CatalogueError(f"{where}: ID {rec['id']}, expected {expected_id} (IDs run from 1 without gaps)")
        check_name(rec["name"], where)
        if rec["Rl"] <= 0:
            raise CatalogueError(f"{where}: price must be positive")
        for line in kind["lines"]:
            for col in line:
                if col not in row:
                    raise CatalogueError(f"{path}: missing column '{col}'")
                if col in text:
                    if row[col] not in ("01", "02"):
                        raise CatalogueError(f"{where}: picture code must be 01 or 02")
                    rec[col] = row[col]
                elif col in real:
                    rec[col] = parse_real(row[col], where)
                else:
                    rec[col] = parse_int(row[col], where)
        records.append(rec)
    n = len(records)
    if n < kind["min_records"] or n > kind.get("max_records", MAX_RECORDS):
        raise CatalogueError(f"{path}: {n} records, allowed {kind['min_records']} to {kind.get('max_records', MAX_RECORDS)}")
    names = [r["name"] for r in records]
    if len(set(names)) != len(names):
        raise CatalogueError(f"{path}: duplicate names")
    return records


def load_all(root):
    return {kind["output"]: load_kind(root, kind) for kind in KINDS}


def render(kind, records):
    """The catalogue text (str with CR LF line ends) of one kind."""
    real = set(kind.get("real", []))
    text = set(kind.get("text", []))
    out = []
    for c in kind["comment"]:
        out.append("# " + c)
    out.append("#")
    for rec in records:
        out.append(".%03d" % rec["id"])
        out.append(rec["name"])
        out.append(str(rec["Rl"]))
        for line in kind["lines"]:
            cells = []
            for col in line:
                v = rec[col]
                if col in text:
                    cells.append(v)
                elif col in real:
                    cells.append(format_real(v))
                else:
                    cells.append(str(v))
            out.append(",".join(cells))
    # Sanity: only record headers may begin with a full stop.
    headers = {".%03d" % r["id"] for r in records}
    for line in out:
        if line.startswith(".") and line not in headers:
            raise CatalogueError(f"{kind['output']}: line '{line}' would be taken for a record header")
    return EOL.join(out) + EOL


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--root", help="repository root")
    ap.add_argument("--check", action="store_true", help="verify the .ini files match the sources")
    args = ap.parse_args(argv)
    root = repo_root(args.root)
    out_dir = os.path.join(root, "data", "ini")
    try:
        all_records = load_all(root)
    except CatalogueError as e:
        print("error:", e, file=sys.stderr)
        return 1
    stale = []
    for kind in KINDS:
        data = render(kind, all_records[kind["output"]]).encode(ENCODING)
        path = os.path.join(out_dir, kind["output"])
        if args.check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(path)
            except OSError:
                stale.append(path)
        else:
            os.makedirs(out_dir, exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
            print(f"wrote {os.path.relpath(path, root)} ({len(all_records[kind['output']])} records)")
    if stale:
        for p in stale:
            print("out of date:", p, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
