// The replay file: writing a recorded bout as lines, and reading it back with every field checked,
// so that a damaged or foreign file is named with its line instead of playing something else.

#include "battle/replay.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>

#include "model/text_codec.h"

namespace vargo {

namespace {

constexpr const char* kTag = "VARGO REPLAY";
constexpr int kVersion = 1;
/// The most steps a replay may claim: far beyond any bout, small enough to play in a moment.
constexpr int kMaxSteps = 100000;
constexpr size_t kDicePerLine = 8;
constexpr size_t kAnswersPerLine = 32;

// --- writing ------------------------------------------------------------------------------------

// Names and labels keep any character: a backslash, CR and LF are written as escapes so that a
// value always stays on its line.
std::string escaped(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

// The shortest text that reads back as the very same double.
std::string exactReal(double x) {
    std::array<char, 32> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), x);
    return ec == std::errc() ? std::string(buf.data(), end) : "0";
}

std::string dieHex(double r) {
    static constexpr char kDigits[] = "0123456789abcdef";
    auto bits = std::bit_cast<std::uint64_t>(r);
    std::string s(16, '0');
    for (int i = 15; i >= 0; --i) {
        s[static_cast<size_t>(i)] = kDigits[bits & 0xfu];
        bits >>= 4;
    }
    return s;
}

const char* modeKey(FightMode m) {
    switch (m) {
        case FightMode::Tornament:
            return "tournament";
        case FightMode::Duel:
            return "duel";
        case FightMode::Street:
            break;
    }
    return "simulation";
}

void writeDoll(std::vector<std::string>& out, int i, const ReplayDoll& d) {
    const std::string k = "doll" + std::to_string(i) + ".";
    out.push_back(k + "name=" + escaped(d.name));
    out.push_back(k + "id=" + std::to_string(d.ID));
    out.push_back(k + "numbers=" + std::to_string(d.value) + " " + std::to_string(d.pow) + " " +
                  std::to_string(d.offence) + " " + std::to_string(d.defence) + " " + std::to_string(d.move) +
                  " " + std::to_string(d.jump) + " " + std::to_string(d.spin) + " " + std::to_string(d.AP) +
                  " " + std::to_string(d.Memory));
    out.push_back(k + "ac=" + exactReal(d.AC));
    out.push_back(k + "weight=" + exactReal(d.weight));
    out.push_back(k + "image=" + escaped(d.image));
    out.push_back(k + "motor=" + std::to_string(d.motorHP) + " " + std::to_string(d.motorMaxHP));
    out.push_back(k + "frame=" + std::to_string(d.frameHP) + " " + std::to_string(d.frameMaxHP));
    for (size_t s = 0; s < d.patterns.size(); ++s) {
        const ReplayPattern& p = d.patterns[s];
        const std::string pk = k + "pattern" + std::to_string(s) + ".";
        out.push_back(pk + "name=" + escaped(p.name));
        out.push_back(pk + "ap=" + std::to_string(p.AP));
        std::string actions;
        for (size_t pos = 0; pos < p.ids.size(); ++pos) {
            if (pos > 0) {
                actions += ' ';
            }
            actions += std::to_string(p.ids[pos]);
            actions += ':';
            actions += std::to_string(p.codes[pos]);
        }
        out.push_back(pk);
        out.back() += "actions=";
        out.back() += actions;
    }
}

// --- reading ------------------------------------------------------------------------------------

struct BadReplay {
    int line;
    std::string problem;
    std::string ja;
};

[[noreturn]] void fail(int line, std::string problem, std::string ja) {
    throw BadReplay{line, std::move(problem), std::move(ja)};
}

std::string unescaped(const std::string& s, int line) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        const char next = i + 1 < s.size() ? s[i + 1] : '\0';
        if (next != '\\' && next != 'n' && next != 'r') {
            fail(line, "a backslash escapes nothing", "「\\」の使い方が正しくありません");
        }
        out += next == '\\' ? '\\' : (next == 'n' ? '\n' : '\r');
        ++i;
    }
    return out;
}

std::vector<std::string> words(const std::string& s) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        size_t j = s.find(' ', i);
        if (j == std::string::npos) {
            j = s.size();
        }
        if (j > i) {
            out.push_back(s.substr(i, j - i));
        }
        i = j + 1;
    }
    return out;
}

long long whole(const std::string& text, long long lo, long long hi, int line) {
    long long v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) {
        fail(line, "\"" + text + "\" is not a number", "「" + text + "」は数値ではありません");
    }
    if (v < lo || v > hi) {
        fail(line, "\"" + text + "\" is out of range",
             "「" + text + "」は " + std::to_string(lo) + " から " + std::to_string(hi) +
                 " の範囲を超えています");
    }
    return v;
}

int int16(const std::string& text, int line) {
    return static_cast<int>(whole(text, kInt16Min, kInt16Max, line));
}

double real(const std::string& text, int line) {
    double v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) {
        fail(line, "\"" + text + "\" is not a number", "「" + text + "」は数値ではありません");
    }
    return v;
}

double die(const std::string& text, int line) {
    std::uint64_t bits = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), bits, 16);
    if (text.size() != 16 || ec != std::errc() || end != text.data() + text.size()) {
        fail(line, "\"" + text + "\" is not a die", "「" + text + "」はさいころの値ではありません");
    }
    const double r = std::bit_cast<double>(bits);
    // Every die of the game lies in [0, 1); anything else was never drawn.
    if (!(r >= 0.0 && r < 1.0)) {
        fail(line, "\"" + text + "\" is not a die", "「" + text + "」はさいころの値ではありません");
    }
    return r;
}

/// The key=value lines of a file; dice and answers may repeat, every other key stands once.
class Fields {
public:
    explicit Fields(const std::vector<std::string>& lines) {
        for (size_t i = 1; i < lines.size(); ++i) {
            const int line = static_cast<int>(i) + 1;
            const std::string& l = lines[i];
            if (l.empty()) {
                continue;
            }
            const size_t eq = l.find('=');
            if (eq == std::string::npos) {
                fail(line, "a line without '='", "「=」のない行です");
            }
            std::string key = l.substr(0, eq);
            std::string value = l.substr(eq + 1);
            if (key == "dice" || key == "answers") {
                (key == "dice" ? dice : answers).push_back({std::move(value), line});
                continue;
            }
            if (!single.emplace(key, Entry{std::move(value), line}).second) {
                fail(line, "\"" + key + "\" stands twice", "「" + key + "」が二度あります");
            }
        }
        lastLine = static_cast<int>(lines.size());
    }

    struct Entry {
        std::string value;
        int line = 0;
    };

    /// The value of a key that must be there; taken, so that what is left over is unknown.
    Entry take(const std::string& key) {
        auto it = single.find(key);
        if (it == single.end()) {
            fail(lastLine, "\"" + key + "\" is missing", "「" + key + "」がありません");
        }
        Entry e = std::move(it->second);
        single.erase(it);
        return e;
    }
    std::optional<Entry> takeOptional(const std::string& key) {
        if (single.count(key) == 0) {
            return std::nullopt;
        }
        return take(key);
    }
    void noneLeft() const {
        if (!single.empty()) {
            const auto& [key, e] = *single.begin();
            fail(e.line, "unknown key \"" + key + "\"", "「" + key + "」は知らない項目です");
        }
    }

    std::vector<Entry> dice;
    std::vector<Entry> answers;

private:
    std::map<std::string, Entry> single;
    int lastLine = 0;
};

std::vector<int> numbers(const Fields::Entry& e, size_t count, long long lo, long long hi) {
    std::vector<std::string> w = words(e.value);
    if (w.size() != count) {
        fail(e.line, "expected " + std::to_string(count) + " numbers",
             std::to_string(count) + "個の数値が必要です");
    }
    std::vector<int> out;
    out.reserve(w.size());
    for (const std::string& s : w) {
        out.push_back(static_cast<int>(whole(s, lo, hi, e.line)));
    }
    return out;
}

ReplayPattern readPattern(Fields& f, const std::string& k) {
    ReplayPattern p;
    const Fields::Entry name = f.take(k + "name");
    p.name = unescaped(name.value, name.line);
    const Fields::Entry ap = f.take(k + "ap");
    p.AP = int16(ap.value, ap.line);
    const Fields::Entry actions = f.take(k + "actions");
    std::vector<std::string> w = words(actions.value);
    if (w.size() != p.ids.size()) {
        fail(actions.line, "a pattern scans 11 positions", "パターンの位置は11個です");
    }
    for (size_t pos = 0; pos < w.size(); ++pos) {
        const size_t colon = w[pos].find(':');
        if (colon == std::string::npos) {
            fail(actions.line, "\"" + w[pos] + "\" is not ID:code",
                 "「" + w[pos] + "」は ID:コード の形ではありません");
        }
        p.ids[pos] = static_cast<int>(whole(w[pos].substr(0, colon), 0, kHazusi, actions.line));
        p.codes[pos] = static_cast<int>(whole(w[pos].substr(colon + 1), 0, kHazusi, actions.line));
    }
    // A pattern holds ten steps; the scan's eleventh position is always empty.
    if (p.ids.back() != 0 || p.codes.back() != 0) {
        fail(actions.line, "the eleventh position holds an action", "11番目の位置に動作があります");
    }
    return p;
}

ReplayDoll readDoll(Fields& f, int i) {
    const std::string k = "doll" + std::to_string(i) + ".";
    ReplayDoll d;
    const Fields::Entry name = f.take(k + "name");
    d.name = unescaped(name.value, name.line);
    const Fields::Entry id = f.take(k + "id");
    d.ID = int16(id.value, id.line);
    const std::vector<int> n = numbers(f.take(k + "numbers"), 9, kInt16Min, kInt16Max);
    d.value = n[0];
    d.pow = n[1];
    d.offence = n[2];
    d.defence = n[3];
    d.move = n[4];
    d.jump = n[5];
    d.spin = n[6];
    d.AP = n[7];
    d.Memory = n[8];
    const Fields::Entry ac = f.take(k + "ac");
    d.AC = real(ac.value, ac.line);
    const Fields::Entry weight = f.take(k + "weight");
    d.weight = real(weight.value, weight.line);
    const Fields::Entry image = f.take(k + "image");
    d.image = unescaped(image.value, image.line);
    const std::vector<int> motor = numbers(f.take(k + "motor"), 2, kInt16Min, kInt16Max);
    d.motorHP = motor[0];
    d.motorMaxHP = motor[1];
    const std::vector<int> frame = numbers(f.take(k + "frame"), 2, kInt16Min, kInt16Max);
    d.frameHP = frame[0];
    d.frameMaxHP = frame[1];
    for (size_t s = 0; s < d.patterns.size(); ++s) {
        d.patterns[s] = readPattern(f, k + "pattern" + std::to_string(s) + ".");
    }
    return d;
}

FightMode readMode(const Fields::Entry& e) {
    for (FightMode m : {FightMode::Street, FightMode::Tornament, FightMode::Duel}) {
        if (e.value == modeKey(m)) {
            return m;
        }
    }
    fail(e.line, "unknown mode \"" + e.value + "\"", "「" + e.value + "」は知らない試合の種類です");
}

GameDate readDate(const Fields::Entry& e) {
    // "yyyy/mm/dd", as the workshop shows it.
    std::string v = e.value;
    for (char& c : v) {
        c = c == '/' ? ' ' : c;
    }
    const std::vector<int> n = numbers({v, e.line}, 3, 1, 9999);
    if (n[1] > 12 || n[2] > 31) {
        fail(e.line, "\"" + e.value + "\" is not a date", "「" + e.value + "」は日付ではありません");
    }
    return {n[0], n[1], n[2]};
}

void readEnd(Replay& r, const Fields::Entry& e) {
    const std::vector<std::string> w = words(e.value);
    if (w.size() == 2 && w[0] == "won") {
        r.end = ReplayEnd::Decided;
        r.winner = static_cast<int>(whole(w[1], 0, 1, e.line));
    } else if (w.size() == 1 && w[0] == "gaveup") {
        r.end = ReplayEnd::GaveUp;
    } else if (w.size() == 1 && w[0] == "unfinished") {
        r.end = ReplayEnd::Unfinished;
    } else {
        fail(e.line, "unknown end \"" + e.value + "\"", "「" + e.value + "」は知らない結果です");
    }
}

void readTurn(Replay& r, Fields& f) {
    const std::vector<int> computer = numbers(f.take("computer"), 2, 0, 1);
    r.computer = {computer[0] != 0, computer[1] != 0};
    const Fields::Entry opening = f.take("opening");
    const std::vector<int> o = numbers(opening, 3, kInt16Min, kInt16Max);
    // The turn is at an initiative roll (0) or at fighter 0's or 1's action (3, 4).
    if ((o[0] != 0 && o[0] != 3 && o[0] != 4) || o[1] < 0 || o[1] > 2) {
        fail(opening.line, "no such turn", "試合の手番が正しくありません");
    }
    r.opening.phase = static_cast<Int16>(o[0]);
    r.opening.firstMover = static_cast<Int16>(o[1]);
    r.opening.playAP = static_cast<Int16>(o[2]);
    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i);
        const Fields::Entry ap = f.take("label.ap" + n);
        r.opening.dspAP[static_cast<size_t>(i)] = unescaped(ap.value, ap.line);
        const Fields::Entry ini = f.take("label.initiative" + n);
        r.opening.dspInitiative[static_cast<size_t>(i)] = unescaped(ini.value, ini.line);
    }
}

void readMoves(Replay& r, Fields& f) {
    for (const Fields::Entry& e : f.dice) {
        for (const std::string& w : words(e.value)) {
            r.dice.push_back(die(w, e.line));
        }
    }
    for (const Fields::Entry& e : f.answers) {
        for (const std::string& w : words(e.value)) {
            // t0..t6 a technique (0 the order withdrawn), m0 / m1 a move.
            if (w.size() != 2 || (w[0] != 't' && w[0] != 'm')) {
                fail(e.line, "\"" + w + "\" is not an order", "「" + w + "」は指示ではありません");
            }
            const bool technique = w[0] == 't';
            const int v = static_cast<int>(whole(w.substr(1), 0, technique ? 6 : 1, e.line));
            r.answers.push_back({technique ? ReplayAnswer::Kind::Technique : ReplayAnswer::Kind::Move, v});
        }
    }
}

Replay readFields(const std::vector<std::string>& lines) {
    if (lines.empty() || lines[0].rfind(kTag, 0) != 0) {
        fail(1, "not a replay", "リプレイのファイルではありません");
    }
    if (lines[0] != std::string(kTag) + " " + std::to_string(kVersion)) {
        fail(1, "a replay of another version", "この版では読めないリプレイです");
    }
    Fields f(lines);
    Replay r;
    const Fields::Entry recorded = f.take("recorded");
    r.recordedAt = unescaped(recorded.value, recorded.line);
    r.gameDate = readDate(f.take("date"));
    r.mode = readMode(f.take("mode"));
    if (r.mode == FightMode::Tornament) {
        const Fields::Entry c = f.take("class");
        const std::optional<DollClass> cls = parseDollClass(c.value);
        if (!cls) {
            fail(c.line, "unknown class \"" + c.value + "\"", "「" + c.value + "」は知らないクラスです");
        }
        r.tournamentClass = *cls;
        const Fields::Entry stage = f.take("stage");
        r.stage = static_cast<int>(whole(stage.value, 1, 3, stage.line));
    }
    if (auto kept = f.takeOptional("kept")) {
        r.keptName = unescaped(kept->value, kept->line);
    }
    readTurn(r, f);
    r.dolls[0] = readDoll(f, 0);
    r.dolls[1] = readDoll(f, 1);
    readMoves(r, f);
    readEnd(r, f.take("end"));
    const Fields::Entry steps = f.take("steps");
    r.steps = static_cast<int>(whole(steps.value, 0, kMaxSteps, steps.line));
    f.noneLeft();
    return r;
}

}  // namespace

ReplayDoll ReplayDoll::of(const doll& d) {
    ReplayDoll r;
    r.name = d.name;
    r.ID = d.ID;
    r.value = d.value;
    r.pow = d.pow;
    r.offence = d.offence;
    r.defence = d.defence;
    r.move = d.move;
    r.jump = d.jump;
    r.spin = d.spin;
    r.AP = d.AP;
    r.Memory = d.Memory;
    r.AC = d.AC;
    r.weight = d.weight;
    r.image = d.image;
    r.motorHP = d.Motor->HP;
    r.motorMaxHP = d.Motor->maxHP;
    r.frameHP = d.frame->HP;
    r.frameMaxHP = d.frame->maxHP;
    const PatternBook book = PatternBook::from(d);
    for (size_t s = 0; s < r.patterns.size(); ++s) {
        const FightPattern& p = book.patterns[s];
        r.patterns[s] = {p.name, p.AP, p.ids, p.named};
    }
    return r;
}

std::shared_ptr<doll> ReplayDoll::build() const {
    auto d = std::make_shared<doll>();
    d->name = name;
    d->ID = static_cast<Int16>(ID);
    d->value = static_cast<Int16>(value);
    d->pow = static_cast<Int16>(pow);
    d->offence = static_cast<Int16>(offence);
    d->defence = static_cast<Int16>(defence);
    d->move = static_cast<Int16>(move);
    d->jump = static_cast<Int16>(jump);
    d->spin = static_cast<Int16>(spin);
    d->AP = static_cast<Int16>(AP);
    d->Memory = static_cast<Int16>(Memory);
    d->AC = AC;
    d->weight = weight;
    d->image = image;
    d->Motor->HP = static_cast<Int16>(motorHP);
    d->Motor->maxHP = static_cast<Int16>(motorMaxHP);
    d->frame->HP = static_cast<Int16>(frameHP);
    d->frame->maxHP = static_cast<Int16>(frameMaxHP);
    for (size_t s = 0; s < patterns.size(); ++s) {
        const ReplayPattern& p = patterns[s];
        // A new Doll's pattern slots hold empty patterns of its own; they are filled in place.
        Logic& logic = *d->getLogic(static_cast<int>(s));
        logic.name = p.name;
        logic.AP = static_cast<Int16>(p.AP);
        // The fight reads an action's ID and recognises it by its name; the name of the code
        // recorded is recognised as that code again.
        for (int pos = 0; pos < Logic::kSteps; ++pos) {
            const size_t k = static_cast<size_t>(pos);
            if (p.ids[k] != 0 || p.codes[k] != 0) {
                auto a = std::make_shared<Action>();
                a->ID = static_cast<Int16>(p.ids[k]);
                a->name = actionName(p.codes[k]);
                logic.setAction(a, pos);
            }
        }
    }
    return d;
}

std::vector<std::string> replayLines(const Replay& r) {
    std::vector<std::string> out;
    out.push_back(std::string(kTag) + " " + std::to_string(kVersion));
    out.push_back("recorded=" + escaped(r.recordedAt));
    out.push_back("date=" + r.gameDate.format());
    out.push_back(std::string("mode=") + modeKey(r.mode));
    if (r.mode == FightMode::Tornament) {
        out.push_back(std::string("class=") + dollClassName(r.tournamentClass));
        out.push_back("stage=" + std::to_string(r.stage));
    }
    if (!r.keptName.empty()) {
        out.push_back("kept=" + escaped(r.keptName));
    }
    out.push_back(std::string("computer=") + (r.computer[0] ? "1" : "0") + " " + (r.computer[1] ? "1" : "0"));
    out.push_back("opening=" + std::to_string(r.opening.phase) + " " + std::to_string(r.opening.firstMover) +
                  " " + std::to_string(r.opening.playAP));
    for (size_t i = 0; i < 2; ++i) {
        out.push_back("label.ap" + std::to_string(i) + "=" + escaped(r.opening.dspAP[i]));
        out.push_back("label.initiative" + std::to_string(i) + "=" + escaped(r.opening.dspInitiative[i]));
    }
    writeDoll(out, 0, r.dolls[0]);
    writeDoll(out, 1, r.dolls[1]);
    for (size_t i = 0; i < r.dice.size(); i += kDicePerLine) {
        std::string line = "dice=";
        for (size_t j = i; j < r.dice.size() && j < i + kDicePerLine; ++j) {
            line += (j > i ? " " : "") + dieHex(r.dice[j]);
        }
        out.push_back(line);
    }
    for (size_t i = 0; i < r.answers.size(); i += kAnswersPerLine) {
        std::string line = "answers=";
        for (size_t j = i; j < r.answers.size() && j < i + kAnswersPerLine; ++j) {
            const ReplayAnswer& a = r.answers[j];
            if (j > i) {
                line += ' ';
            }
            line += a.kind == ReplayAnswer::Kind::Technique ? 't' : 'm';
            line += std::to_string(a.value);
        }
        out.push_back(line);
    }
    switch (r.end) {
        case ReplayEnd::Decided:
            out.push_back("end=won " + std::to_string(r.winner));
            break;
        case ReplayEnd::GaveUp:
            out.push_back("end=gaveup");
            break;
        case ReplayEnd::Unfinished:
            out.push_back("end=unfinished");
            break;
    }
    out.push_back("steps=" + std::to_string(r.steps));
    return out;
}

ReplayRead readReplay(const std::vector<std::string>& lines, const std::string& file) {
    ReplayRead result;
    try {
        result.replay = readFields(lines);
    } catch (const BadReplay& bad) {
        result.problem = {file, bad.line, bad.problem, bad.ja};
    }
    return result;
}

ReplayRead readReplayBytes(const std::string& bytes, const std::string& file) {
    if (bytes.size() > kMaxReplayBytes) {
        ReplayRead r;
        r.problem = {file, 0, "far too large for a replay", "リプレイにしては大きすぎます"};
        return r;
    }
    try {
        return readReplay(splitLines(fromCp932(bytes)), file);
    } catch (const EncodingError& e) {
        ReplayRead r;
        r.problem = {file, e.line, e.what(), "Shift_JIS の文字として読めません"};
        return r;
    }
}

const char* replayModeName(FightMode mode) {
    switch (mode) {
        case FightMode::Tornament:
            return "トーナメント";
        case FightMode::Duel:
            return "デュエル";
        case FightMode::Street:
            break;
    }
    return "シミュレーション";
}

const char* replayResultName(const Replay& r) {
    switch (r.end) {
        case ReplayEnd::Decided:
            return r.winner == 0 ? "勝利" : "敗北";
        case ReplayEnd::GaveUp:
            return "ギブアップ";
        case ReplayEnd::Unfinished:
            break;
    }
    return "中断";
}

}  // namespace vargo
