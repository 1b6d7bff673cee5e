#pragma once
// A Doll written down as text, the way the shipped enemies and the headless careers' builds are
// kept: its parts by catalogue ID ("motor=3 frame=2 hard=1 soft=1/2/1 boosters=4 protectors=2/2")
// and each pattern by the names of its basic actions ("突撃: 移動 パンチ パンチ").

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vargo {

class CatalogueReader;
class doll;
class Prompts;

/// Catalogue IDs by kind word: motor, frame, hard, soft (three: movement, attack, defence),
/// boosters, protectors.
using PartIds = std::map<std::string, std::vector<int>>;

struct PatternRecipe {
    std::string name;
    std::vector<int> actions;  ///< action codes, 1 to 10 of them
};

/// "KIND=ID[/ID...] ..." added to ids. The problem in words when a word is not KIND=ID or an ID is
/// not a number.
std::optional<std::string> readPartIds(const std::string& text, PartIds& ids);

/// "NAME: ACTION ..." into out. The problem in words when there is no colon, an action is unknown
/// or the count is not 1 to 10.
std::optional<std::string> readPatternRecipe(const std::string& text, PatternRecipe& out);

/// The single ID of a kind, or nothing when the kind is missing or listed more than once.
std::optional<int> oneId(const PartIds& ids, const std::string& kind);
/// Every ID of a kind (none when missing).
std::vector<int> allIds(const PartIds& ids, const std::string& kind);

/// The Doll the parts make, each taken from the catalogue as a shop sells it and fitted as the
/// workshop fits it, its numbers not yet worked out (no refresh, no pilot). The problem in words
/// when a kind is missing, an ID is not in the catalogue, a booster does not fit or there are more
/// than four plates.
struct AssembledDoll {
    std::shared_ptr<doll> d;
    std::string problem;  ///< empty when d is whole
};
AssembledDoll assembleDoll(const PartIds& ids, CatalogueReader& catalogue, Prompts& prompts);

/// The patterns written into d's first slots with the installed software's costs. Nothing checks
/// memory or AP here; that is the caller's rule to apply.
void programDoll(doll& d, const std::vector<PatternRecipe>& patterns, Prompts& prompts);

}  // namespace vargo
