// The loading half of the saved-game routines.

#include <array>

#include "model/field_reader.h"
#include "model/text_codec.h"
#include "persistence/fitted_parts.h"
#include "persistence/save_files.h"
#include "persistence/save_parts_check.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

template <size_t N>
std::array<Int16, N> readIds(FieldReader& in) {
    std::array<Int16, N> ids{};
    for (auto& id : ids) {
        id = in.integer();
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
        auto motors = readIds<4>(in);
        auto frames = readIds<4>(in);
        auto boosters = readIds<10>(in);
        auto protectors = readIds<10>(in);
        auto hards = readIds<4>(in);
        auto softMs = readIds<4>(in);
        auto softAs = readIds<4>(in);
        auto softDs = readIds<4>(in);
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
        for (size_t i = 0; i < 4; ++i) {
            if (motors[i] >= 1) {
                o->setMotor(catalogue.ld_Motor(motors[i]));
            }
            if (frames[i] >= 1) {
                o->setFrame(catalogue.ld_Frame(frames[i]));
            }
        }
        for (size_t i = 0; i < 5; ++i) {
            if (boosters[i] > 0) {
                o->setBooster(catalogue.ld_Boost(boosters[i]));
            }
            if (i < 4 && hards[i] > 0) {
                o->setHard(catalogue.ld_Hard(hards[i]));
            }
        }
        for (size_t i = 0; i < 10; ++i) {
            if (protectors[i] > 0) {
                auto p = catalogue.ld_Protect(protectors[i]);
                countUpProtector(*p, *o, static_cast<int>(i) - 1);
                o->setProtector(p);
            }
        }
        for (size_t i = 0; i < 4; ++i) {
            if (softAs[i] > 0) {
                o->setSoftA(catalogue.ld_SoftA(softAs[i]));
            }
            if (softDs[i] > 0) {
                o->setSoftD(catalogue.ld_SoftD(softDs[i]));
            }
            if (softMs[i] > 0) {
                o->setSoftM(catalogue.ld_SoftM(softMs[i]));
            }
        }
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
    Int16 motorId = 0, frameId = 0, hardId = 0, motorHP = 0, frameHP = 0;
    std::array<Int16, 5> boosters{};
    std::array<Int16, 4> protectors{}, softMs{}, softAs{}, softDs{};
    try {
        name = in.name();
        in.integer();  // ownerID: the new Doll keeps its own
        motorId = in.integer();
        frameId = in.integer();
        boosters = readIds<5>(in);
        protectors = readIds<4>(in);
        hardId = in.integer();
        softMs = readIds<4>(in);
        softAs = readIds<4>(in);
        softDs = readIds<4>(in);
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
    d->frame = catalogue.ld_Frame(frameId);
    d->Hard = catalogue.ld_Hard(hardId);
    d->Motor = catalogue.ld_Motor(motorId);
    d->setSoftM(0, catalogue.ld_SoftM(softMs[0]));
    d->setSoftA(0, catalogue.ld_SoftA(softAs[0]));
    d->setSoftD(0, catalogue.ld_SoftD(softDs[0]));
    d->name = name;
    for (Int16 id : boosters) {
        d->addBooster(catalogue.ld_Boost(id));
    }
    for (size_t i = 0; i < protectors.size(); ++i) {
        auto p = catalogue.ld_Protect(protectors[i]);
        countUpProtector2(*p, *d, static_cast<int>(i) - 1);
        d->addProtector(p, prompts);
    }
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
    return ok;
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
