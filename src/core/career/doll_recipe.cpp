#include "career/doll_recipe.h"

#include <sstream>

#include "model/action.h"
#include "model/catalogue.h"
#include "model/doll.h"
#include "model/logic.h"
#include "persistence/save_files.h"

namespace vargo {

namespace {

std::optional<int> idOf(const std::string& word) {
    if (word.empty() || word.size() > 4) {
        return std::nullopt;
    }
    int n = 0;
    for (char c : word) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        n = n * 10 + (c - '0');
    }
    return n;
}

int actionCode(const std::string& word) {
    for (int c = kMove; c <= kHazusi; ++c) {
        if (actionName(c) == word) {
            return c;
        }
    }
    return 0;
}

template <class Ptr>
bool present(const Ptr& p, const std::string& kind, int id, std::string& problem) {
    if (p && !p->name.empty()) {
        return true;
    }
    if (problem.empty()) {
        problem = "no " + kind + " with ID " + std::to_string(id) + " in the catalogue";
    }
    return false;
}

}  // namespace

std::optional<std::string> readPartIds(const std::string& text, PartIds& ids) {
    std::stringstream words(text);
    std::string item;
    while (words >> item) {
        const auto eq = item.find('=');
        if (eq == std::string::npos) {
            return "part \"" + item + "\" needs KIND=ID";
        }
        std::vector<int> list;
        std::stringstream each(item.substr(eq + 1));
        std::string n;
        while (std::getline(each, n, '/')) {
            const auto id = idOf(n);
            if (!id) {
                return "\"" + n + "\" is not a part ID";
            }
            list.push_back(*id);
        }
        ids[item.substr(0, eq)] = std::move(list);
    }
    return std::nullopt;
}

std::optional<std::string> readPatternRecipe(const std::string& text, PatternRecipe& out) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        return "a pattern is NAME: ACTION ...";
    }
    out.name = text.substr(0, colon);
    while (!out.name.empty() && out.name.back() == ' ') {
        out.name.pop_back();
    }
    out.actions.clear();
    std::stringstream words(text.substr(colon + 1));
    std::string word;
    while (words >> word) {
        const int code = actionCode(word);
        if (code == 0) {
            return "unknown action \"" + word + "\"";
        }
        out.actions.push_back(code);
    }
    if (out.actions.empty() || out.actions.size() > static_cast<size_t>(Logic::kSteps)) {
        return "a pattern holds 1 to 10 actions";
    }
    return std::nullopt;
}

std::optional<int> oneId(const PartIds& ids, const std::string& kind) {
    const auto it = ids.find(kind);
    if (it == ids.end() || it->second.size() != 1) {
        return std::nullopt;
    }
    return it->second.front();
}

std::vector<int> allIds(const PartIds& ids, const std::string& kind) {
    const auto it = ids.find(kind);
    return it == ids.end() ? std::vector<int>{} : it->second;
}

AssembledDoll assembleDoll(const PartIds& ids, CatalogueReader& catalogue, Prompts& prompts) {
    AssembledDoll out{std::make_shared<doll>(), {}};
    doll& d = *out.d;
    std::string& problem = out.problem;
    for (const char* kind : {"motor", "frame", "hard"}) {
        if (!oneId(ids, kind)) {
            return {nullptr, std::string("needs exactly one ") + kind};
        }
    }
    const std::vector<int> soft = allIds(ids, "soft");
    if (soft.size() != 3) {
        return {nullptr, "soft=M/A/D needs three IDs"};
    }
    const std::vector<int> plates = allIds(ids, "protectors");
    if (plates.size() > static_cast<size_t>(doll::kProtectors)) {
        return {nullptr, "at most four protectors"};
    }
    const int motor = *oneId(ids, "motor");
    const int frame = *oneId(ids, "frame");
    const int hard = *oneId(ids, "hard");
    d.Motor = catalogue.ld_Motor(motor);
    d.frame = catalogue.ld_Frame(frame);
    d.Hard = catalogue.ld_Hard(hard);
    d.setSoftM(0, catalogue.ld_SoftM(soft[0]));
    d.setSoftA(0, catalogue.ld_SoftA(soft[1]));
    d.setSoftD(0, catalogue.ld_SoftD(soft[2]));
    present(d.Motor, "motor", motor, problem);
    present(d.frame, "frame", frame, problem);
    present(d.Hard, "hard", hard, problem);
    present(d.getSoftM(0), "software1", soft[0], problem);
    present(d.getSoftA(0), "software2", soft[1], problem);
    present(d.getSoftD(0), "software3", soft[2], problem);
    for (int id : allIds(ids, "boosters")) {
        auto b = catalogue.ld_Boost(id);
        if (present(b, "booster", id, problem) && !d.addBooster(b) && problem.empty()) {
            problem = "booster " + std::to_string(id) + " does not fit";
        }
    }
    for (size_t i = 0; i < plates.size(); ++i) {
        auto p = catalogue.ld_Protect(plates[i]);
        if (present(p, "protector", plates[i], problem)) {
            // Plates of one kind are told apart by a number after the name, as the shop names them.
            countUpProtector2(*p, d, static_cast<int>(i) - 1);
            d.addProtector(p, prompts);
        }
    }
    if (!problem.empty()) {
        out.d = nullptr;
    }
    return out;
}

void programDoll(doll& d, const std::vector<PatternRecipe>& patterns, Prompts& prompts) {
    for (size_t k = 0; k < patterns.size() && k < static_cast<size_t>(doll::kLogics); ++k) {
        auto l = std::make_shared<Logic>();
        l->name = patterns[k].name;
        for (int code : patterns[k].actions) {
            l->addAction(d.getAction(code), prompts);
        }
        d.setLogics(l, static_cast<int>(k));
    }
}

}  // namespace vargo
