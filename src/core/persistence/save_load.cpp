// The loading half of the saved-game routines.

#include <array>

#include "model/doll_parts.h"
#include "model/field_reader.h"
#include "model/text_codec.h"
#include "persistence/fitted_parts.h"
#include "persistence/save_files.h"
#include "persistence/save_parts_check.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

// The part IDs of a save file, kind by kind in PartKind order, `count(kind)` of each.
using KindIds = std::array<std::vector<Int16>, kPartKinds>;

template <class Count>
KindIds readKindIds(FieldReader& in, Count count) {
    KindIds ids;
    for (const auto& info : kPartKindInfo) {
        auto& these = ids[static_cast<size_t>(info.kind)];
        these.resize(static_cast<size_t>(count(info)));
        for (auto& id : these) {
            id = in.integer();
        }
    }
    return ids;
}

}  // namespace

bool SaveFiles::loadPlayerRtn(int which) {
    const std::string file = playerFile(svNum);
    auto lines = openForLoad(file);
    if (!lines) {
        return false;
    }
    FieldReader in(*lines, 0);
    try {
        std::string dateText = in.text();
        if (which == 0) {
            auto date = parseSaveDate(dateText);
            if (!date) {
                throw FieldError(in.lineNumber(), "「" + dateText + "」は日付ではありません");
            }
            game.gameDate = *date;
        }
        std::string name = in.name();
        Int16 lv = in.integer(), exp = in.integer(), rl = in.integer();
        Int16 play = in.integer(), hard = in.integer(), soft = in.integer();
        KindIds owned = readKindIds(in, [](const PartKindInfo& info) { return info.covered; });
        Int16 music = in.integer(), guide = in.integer();
        Int16 win = in.integer(), loose = in.integer(), champ = in.integer();

        auto o = std::make_shared<Owner>();
        // Draw: a loaded owner rolls starting money as a fresh one does before the file's money
        // replaces it. Nothing keeps the number, but the draw is part of the sequence a seeded run
        // of the tools follows after a load, so it stays.
        o->putInitRl(game.rng);
        o->name = name;
        o->Lv = lv;
        o->exp = exp;
        o->Rl = rl;
        o->skillPlay = play;
        o->skillHard = hard;
        o->skillSoft = soft;
        o->recChamp = champ;
        o->recLoose = loose;
        o->recWin = win;
        game.owners.at(static_cast<size_t>(which)) = o;
        if (which == 1) {
            return true;
        }
        game.playMusic = music == 1;
        game.guideOn = guide == 1;
        // Only the slots a purchase fills come back: booster slots 5 to 9 are kept but never read.
        forEachKind([&]<class Part>(KindTag<Part> kind) {
            const auto& ids = owned[static_cast<size_t>(kind.kind)];
            for (int i = 0; i < kind.info().fillable; ++i) {
                if (ids[static_cast<size_t>(i)] > 0) {
                    auto part = catalogue.load<Part>(ids[static_cast<size_t>(i)]);
                    if constexpr (std::is_same_v<Part, Protector>) {
                        countUpProtector(*part, *o, i - 1);
                    }
                    o->add(part);
                }
            }
        });
        o->useAllParts();
        return true;
    } catch (const FieldError& e) {
        readFailed(file, e.line, e.what());
        return false;
    }
}

bool SaveFiles::loadDollRtn(int which) {
    const std::string file = dollFile(svNum);
    auto lines = openForLoad(file);
    if (!lines) {
        return false;
    }
    FieldReader in(*lines, 0);
    std::string name, programedWord;
    Int16 motorHP = 0, frameHP = 0;
    KindIds fitted;
    try {
        name = in.name();
        in.integer();  // ownerID: the new Doll keeps its own
        fitted = readKindIds(in, [](const PartKindInfo& info) { return info.dollFileIds; });
        in.integer();  // junkParts: likewise
        motorHP = in.integer();
        frameHP = in.integer();
        programedWord = in.text();
    } catch (const FieldError& e) {
        readFailed(file, e.line, e.what());
        return false;
    }

    auto d = std::make_shared<doll>();
    game.dolls.at(static_cast<size_t>(which)) = d;
    d->name = name;
    // Only slot 0 of each program kind is fitted; an ID of 0 fits an empty part.
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        const auto& ids = fitted[static_cast<size_t>(kind.kind)];
        for (int i = 0; i < kind.info().dollFileFitted; ++i) {
            auto part = catalogue.load<Part>(ids[static_cast<size_t>(i)]);
            if constexpr (std::is_same_v<Part, Protector>) {
                countUpProtector2(*part, *d, i - 1);
            }
            fitPart(*d, part, prompts);
        }
    });
    d->frame->HP = frameHP;
    d->Motor->HP = motorHP;
    d->programed = programedWord == "True";

    if (which == 1) {
        if (motorHP < 1 || frameHP < 1) {
            prompts.msgBox("このドールは完成されていません", BoxButtons::Ok);
            game.duelistState = 1;
        } else if (!d->programed) {
            prompts.msgBox("このドールは技がプログラムされていません", BoxButtons::Ok);
            game.duelistState = 1;
        }
    }
    return true;
}

bool SaveFiles::loadLogicRtn(int which) {
    const std::string file = logicFile(svNum);
    auto lines = openForLoad(file);
    if (!lines) {
        return false;
    }
    doll& d = *game.dolls.at(static_cast<size_t>(which));
    size_t i = 0;
    int b = 0;
    try {
        while (i < lines->size() && b <= 7) {
            const std::string& line = (*lines)[i];
            if (!isHeader(line)) {
                ++i;
                continue;
            }
            FieldReader in(*lines, i + 1);
            auto l = std::make_shared<Logic>();
            l->ID = static_cast<Int16>(headerId(line));
            l->name = in.name();
            in.integer();  // AP and Memory: the totals come from the actions themselves
            in.integer();
            for (int s = 0; s < Logic::kSteps; ++s) {
                Int16 code = in.integer();
                if (code >= 1) {
                    // The target Doll's own software prices the step, so an opponent's pattern
                    // costs what its own programs say.
                    l->addAction(d.getAction(code), prompts);
                }
            }
            d.setLogics(l, b);
            ++b;
            i = in.nextLine();
        }
    } catch (const FieldError& e) {
        readFailed(file, e.line, e.what());
        return false;
    }
    if (b == 0) {
        // Every save writes seven blocks: a pattern file without one has lost what it held.
        prompts.msgBox(
            "ファイルが壊れています\n" +
                DataProblem{GameFolder::display(file), 0, "技のパターンが一つもありません"}.message(),
            BoxButtons::Ok);
    }
    return true;
}

bool SaveFiles::load_rtn() {
    bool ok = loadPlayerRtn(0);
    ok = loadDollRtn(0) && ok;
    shareFittedParts(game.owner(0), game.theDoll(0));
    ok = loadLogicRtn(0) && ok;
    reportMissingSaveParts(catalogue, svNum, SaveSide::Player, prompts);
    game.duelistState = 1;
    loadHistory();
    return ok;
}

// The history is the chart's, not the game's: a save without one (or with a damaged one) loads all
// the same, its chart starting here.
void SaveFiles::loadHistory() {
    const std::string relative = historyFile(svNum);
    game.history.restart(game);
    try {
        const auto lines = readTextFile(game.folder.resolve(relative));
        if (!lines) {
            return;
        }
        HistoryRead r = readHistory(*lines);
        if (!r.history) {
            prompts.msgBox("経歴を読めませんでした（グラフはここから始まります）\n" +
                               DataProblem{GameFolder::display(relative), r.line, r.problem}.message(),
                           BoxButtons::Ok);
            return;
        }
        game.history = std::move(*r.history);
    } catch (const EncodingError& e) {
        prompts.msgBox("経歴を読めませんでした（グラフはここから始まります）\n" +
                           DataProblem{GameFolder::display(relative), e.line, e.what()}.message(),
                       BoxButtons::Ok);
    }
}

bool SaveFiles::loadDuelist() {
    game.duelistState = 2;
    bool ok = loadPlayerRtn(1);
    ok = loadDollRtn(1) && ok;
    game.resetDollParam(1);
    ok = loadLogicRtn(1) && ok;
    reportMissingSaveParts(catalogue, svNum, SaveSide::Opponent, prompts);
    return ok && game.duelistState == 2;
}

}  // namespace vargo
