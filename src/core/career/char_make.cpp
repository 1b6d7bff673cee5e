#include "career/char_make.h"

#include "model/random.h"
#include "model/text_codec.h"

namespace vargo {

const char* const FCharMake::kMessage = "プレイヤーデータを作成します";

FCharMake::FCharMake(Game& g) : game(g) {
    initPlayer();
}

void FCharMake::initPlayer() {
    Owner& o = game.owner(0);
    o.name = "鋼野拳士";
    game.rng.reseed();
    o.skillPlay = static_cast<Int16>(roll3D6(game.rng));
    o.Rl = static_cast<Int16>(roll2D6(game.rng) * 100 + 1200);
}

bool FCharMake::cmdEntry(const std::string& name) {
    if (!encodableInCp932(name)) {
        return false;
    }
    game.owner(0).name = name;
    value = true;
    return true;
}

std::string FCharMake::dspName() const {
    return game.owners[0]->name;
}
std::string FCharMake::dspRl() const {
    return std::to_string(game.owners[0]->Rl);
}
std::string FCharMake::dspOparate() const {
    return std::to_string(game.owners[0]->skillPlay);
}

std::string FCharMake::guideText() const {
    if (!game.guideOn) {
        return {};
    }
    return "　プレイヤーデータを作成します。\n\n"
           "　Entryボタンでプレイヤーデータを登録します。\n"
           "　初期データに満足の行かない場合、Resetボタンで設定し直せます。▼\n";
}

}  // namespace vargo
