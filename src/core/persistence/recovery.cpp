#include "persistence/recovery.h"

#include <system_error>

#include "model/file_transaction.h"

namespace vargo {

std::string transactionDisplayName(const std::string& setName) {
    if (setName.rfind("SaveA", 0) == 0 && setName.size() > 5) {
        return "オートセーブ" + setName.substr(5);
    }
    if (setName.rfind("Save", 0) == 0 && setName.size() > 4) {
        return "セーブ" + setName.substr(4);
    }
    if (setName == "Registry") {
        return "敵Dollファイル";
    }
    return setName;
}

std::vector<std::string> recoverSaveFolder(const GameFolder& folder) {
    std::vector<std::string> messages;
    const std::filesystem::path save = folder.resolve("save");
    std::error_code ec;
    if (!std::filesystem::is_directory(save, ec)) {
        return messages;
    }
    RecoveryReport r = recoverTransactions(save);
    for (const auto& s : r.finished) {
        messages.push_back(transactionDisplayName(s) +
                           "の書き込みが途中で止まっていたため、最後まで書き込みました。");
    }
    for (const auto& s : r.undone) {
        messages.push_back(transactionDisplayName(s) +
                           "の書き込みが途中で止まっていたため、書き込む前の状態に戻しました。");
    }
    for (const auto& p : r.problems) {
        messages.push_back("中断された書き込みを片付けられませんでした\nsave/" + p);
    }
    return messages;
}

}  // namespace vargo
