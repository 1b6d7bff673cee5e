// The enemy registry: the input, cut at 0xFF, becomes save/EDollsv.ini and save/ELogicsv.ini (a
// missing piece leaves its file missing, which the registry seeds from the shipped one). Every
// reader runs: the list screen, the class counts, the tournament's candidates, the draw of every
// counted enemy, the list's read-out, `vargo-tool check`; then a real Doll is entered, read back and
// deleted again.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/catalogue.h"
#include "model/owner.h"
#include "model/random.h"
#include "model/text_codec.h"
#include "persistence/enemy_registry.h"
#include "persistence/persist_checks.h"
#include "persistence/registry_format.h"
#include "ports/prompts.h"

using namespace vargo;

namespace {

const fuzz::ScratchFolder& scratch() {
    static fuzz::ScratchFolder dir(fuzz::ScratchFolder::Ini::Shipped);
    return dir;
}

// A Doll the workshop could enter: real catalogue parts, recomputed, with seven patterns.
const doll& validDoll() {
    static const std::shared_ptr<doll> d = [] {
        CatalogueReader cat(scratch().folder());
        ScriptedPrompts prompts;
        GameRandom rng(7);
        auto made = std::make_shared<doll>();
        made->name = "鉄拳号 改,\"二\"";
        made->Motor = cat.ld_Motor(5);
        made->frame = cat.ld_Frame(3);
        made->Hard = cat.ld_Hard(2);
        made->setSoftM(0, cat.ld_SoftM(2));
        made->setSoftA(0, cat.ld_SoftA(4));
        made->setSoftD(0, cat.ld_SoftD(2));
        made->addBooster(cat.ld_Boost(1));
        made->addProtector(cat.ld_Protect(4), prompts);
        Owner o;
        o.skillPlay = 12;
        made->refresh();
        resetDollParam(*made, o);
        for (int s = 0; s < 7; ++s) {
            auto l = std::make_shared<Logic>();
            l->name = "技" + std::to_string(s + 1);
            l->addAction(made->getAction(kMove), prompts);
            l->addAction(made->getAction(kPunch + s % 3), prompts);
            made->setLogics(l, s);
        }
        FUZZ_CHECK(cat.problems().empty());
        return made;
    }();
    return *d;
}

#ifdef VARGO_FUZZ_TOLERATE_KNOWN
// The Doll file as the registry reads it; nothing when it cannot be read.
std::optional<std::vector<std::string>> dollLines() {
    try {
        return readTextFile(scratch().path() / "save" / "EDollsv.ini");
    } catch (const EncodingError&) {
        return std::nullopt;
    }
}

bool hasHeaderFrom99(const std::optional<std::vector<std::string>>& lines) {
    if (lines) {
        for (const auto& l : *lines) {
            if (isHeader(l) && headerId(l) >= 99) {
                return true;
            }
        }
    }
    return false;
}
#endif

std::vector<int> someOf(const std::set<int>& numbers) {
    std::vector<int> all(numbers.begin(), numbers.end());
    if (all.size() <= 4) {
        return all;
    }
    return {all[0], all[1], all[all.size() - 2], all.back()};
}

void readEverything(EnemyRegistry& reg, ScriptedPrompts& prompts) {
#ifdef VARGO_FUZZ_TOLERATE_KNOWN
    // Known: the draws stop at number 99 while the count goes on, so the count can promise enemies
    // that neither the street fight's draw nor the tournament's candidates reach.
    const bool drawsChecked = !hasHeaderFrom99(dollLines());
#else
    const bool drawsChecked = true;
#endif
    std::set<int> listed;
    for (const auto& e : reg.dspEnemyList()) {
        listed.insert(e.number);
    }
    std::set<int> drawable;
    for (int limit : {2500, 3500, 9999}) {
        std::vector<int> ids;
        const int n = reg.countTekiDoll(limit, &ids);
        FUZZ_CHECK(n >= 0 && ids.size() == 101 && ids[0] == 0);
        std::set<int> counted;
        for (int k = 1; k <= n && k <= 100; ++k) {
            FUZZ_CHECK(ids[static_cast<size_t>(k)] > 0);
            counted.insert(ids[static_cast<size_t>(k)]);
        }
        const std::vector<int> candidates = reg.ldTekiIDs(limit);
        FUZZ_CHECK(candidates.size() == 101);
        int shortlisted = 0;
        for (int c : candidates) {
            if (c == 0) {
                break;
            }
            ++shortlisted;
            // A candidate is an enemy the count knows; ones past the hundredth are not listed there.
            FUZZ_CHECK(counted.count(c) || n > 100);
            drawable.insert(c);
        }
        if (drawsChecked) {
            // The tournament is entered once eight enemies count and then draws eight among the
            // candidates: there must be eight.
            FUZZ_CHECK(n < 8 || shortlisted >= 8);
        }
        drawable.insert(counted.begin(), counted.end());
    }
    // Every enemy a fight can draw comes out as a Doll, or the player is told why not. Each draw
    // reads both files afresh, so a few from either end of the list stand for the rest.
    for (int number : someOf(drawable)) {
        const size_t told = prompts.calls.size();
        auto d = reg.ldTekiDoll(number);
        if (d) {
            FUZZ_CHECK(d->ID == number && d->Motor && d->frame);
        } else if (drawsChecked) {
            FUZZ_CHECK(prompts.calls.size() > told);
        }
    }
    for (int number : someOf(listed)) {
        auto d = reg.readEnemyDoll(number);
        FUZZ_CHECK(!d || d->ID == static_cast<Int16>(number));
    }
}

// The workshop's "EntryAsEnemy" on whatever the registry holds: a number it gives reads back as the
// Doll entered, with its six patterns at the end of the pattern file, and deletes again.
void enterAndDelete(EnemyRegistry& reg) {
    const doll& d = validDoll();
    const int number = reg.entryEnemy(d);
    if (number == 0) {
        return;
    }
    FUZZ_CHECK(number >= 1 && number <= 99);
    // The entry takes the smallest number no record had: its record ends the Doll file, and every
    // number below it belongs to an earlier record.
    auto dolls = readTextFile(scratch().path() / "save" / "EDollsv.ini");
    FUZZ_CHECK(dolls.has_value());
    const std::vector<RegistrySpan> spans = indexRegistry(*dolls);
    FUZZ_CHECK(!spans.empty() && spans.back().number == number);
    std::set<int> earlier;
    for (size_t i = 0; i + 1 < spans.size(); ++i) {
        earlier.insert(spans[i].number);
    }
    FUZZ_CHECK(!earlier.contains(number));
    for (int n = 1; n < number; ++n) {
        FUZZ_CHECK(earlier.contains(n));
    }
    auto back = reg.readEnemyDoll(number);
    FUZZ_CHECK(back != nullptr);
    FUZZ_CHECK(back->name == registryNameLine(d.name));
    FUZZ_CHECK(back->pow == d.pow && back->offence == d.offence && back->defence == d.defence);
    FUZZ_CHECK(back->move == d.move && back->jump == d.jump && back->spin == d.spin);
    FUZZ_CHECK(back->AP == d.AP && back->Memory == d.Memory && back->value == d.value);
    // Reals are stored to 15 significant digits: they come back as that text says.
    FUZZ_CHECK(formatReal(back->AC) == formatReal(d.AC) && formatReal(back->weight) == formatReal(d.weight));
    FUZZ_CHECK(back->image == d.image);

    auto logic = readTextFile(scratch().path() / "save" / "ELogicsv.ini");
    FUZZ_CHECK(logic && logic->size() >= 30);
    for (int s = 0; s < 6; ++s) {
        const size_t header = logic->size() - 30 + static_cast<size_t>(s) * 5;
        FUZZ_CHECK(isHeader((*logic)[header]));
        EnemyPatternBlock b = readPatternBlock(*logic, header, Logic::kSteps);
        FUZZ_CHECK(b.dollID == number);
        FUZZ_CHECK(b.name == registryNameLine(d.getLogic(s)->name));
        FUZZ_CHECK(b.AP == d.getLogic(s)->AP && b.Memory == d.getLogic(s)->Memory);
    }

    reg.delEnemyDoll(number);
    reg.delEnemyLogic(number);
    FUZZ_CHECK(reg.readEnemyDoll(number) == nullptr);
}

// `vargo-tool check` on the pair, before the registry seeds a missing file: every problem names a
// line of its file.
void checkTool(const std::vector<std::string_view>& parts) {
    const size_t dollLinesCount = splitLines(parts[0]).size();
    const size_t logicLinesCount = parts.size() > 1 ? splitLines(parts[1]).size() : 0;
    for (const auto& p : checkRegistry(scratch().folder(), "save/EDollsv.ini", "save/ELogicsv.ini", false)) {
        const bool dolls = p.file == "save/EDollsv.ini";
        FUZZ_CHECK(dolls || p.file == "save/ELogicsv.ini");
        FUZZ_CHECK(p.line >= 0 && static_cast<size_t>(p.line) <= (dolls ? dollLinesCount : logicLinesCount));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parts = fuzz::splitFiles(data, size);
    scratch().clearSave();
    scratch().write("save/EDollsv.ini", parts[0]);
    if (parts.size() > 1) {
        scratch().write("save/ELogicsv.ini", parts[1]);
    }
    checkTool(parts);
    ScriptedPrompts prompts;  // answers Yes and OK to everything
    EnemyRegistry reg(scratch().folder(), prompts);
    readEverything(reg, prompts);
    enterAndDelete(reg);
    return 0;
}
