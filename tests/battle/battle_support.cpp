#include "battle/battle_support.h"

namespace vargo::test {

LogicPtr makePattern(std::initializer_list<int> codes, int AP, const std::string& name) {
    auto logic = std::make_shared<Logic>();
    int pos = 0;
    for (int code : codes) {
        logic->setAction(makeAction(code), pos++);
    }
    logic->AP = static_cast<Int16>(AP);
    logic->name = name;
    return logic;
}

std::shared_ptr<doll> makeDoll(const DollNumbers& n, std::initializer_list<LogicPtr> patterns) {
    auto d = std::make_shared<doll>();
    d->name = n.name;
    d->ID = static_cast<Int16>(n.ID);
    d->pow = static_cast<Int16>(n.pow);
    d->offence = static_cast<Int16>(n.offence);
    d->defence = static_cast<Int16>(n.defence);
    d->move = static_cast<Int16>(n.move);
    d->jump = static_cast<Int16>(n.jump);
    d->spin = static_cast<Int16>(n.spin);
    d->AC = n.AC;
    d->AP = static_cast<Int16>(n.AP);
    d->value = static_cast<Int16>(n.value);
    d->weight = n.weight;
    d->Motor = std::make_shared<Motor>();
    d->Motor->name = "TestMotor";
    d->Motor->ID = 1;
    d->Motor->HP = d->Motor->maxHP = static_cast<Int16>(n.motorHP);
    d->frame = std::make_shared<DollFrame>();
    d->frame->name = "TestFrame";
    d->frame->ID = 1;
    d->frame->HP = d->frame->maxHP = static_cast<Int16>(n.frameHP);
    d->programed = true;
    int slot = 0;
    for (const auto& p : patterns) {
        d->setLogics(p, slot++);
    }
    return d;
}

FightBench::FightBench()
    : game(GameFolder("."), dice), fight(game, dice, prompts, commander, enemies, &sound) {}

void FightBench::start(std::shared_ptr<doll> a, std::shared_ptr<doll> b) {
    game.dolls[0] = a;
    game.dolls[1] = b;
    fight.startBout(std::move(a), std::move(b));
}

}  // namespace vargo::test

namespace vargo {

void FightTestAccess::waza(Fight& f, int who, int slot) {
    const size_t i = static_cast<size_t>(who);
    f.books[i] = PatternBook::from(*f.ring_.fighters[i].d);
    f.bookOwners[i] = f.ring_.fighters[i].d;
    f.events_.clear();
    f.waza_rtn(who, slot < 0 ? &emptyPattern() : &f.books[i].patterns[static_cast<size_t>(slot)]);
}

}  // namespace vargo
