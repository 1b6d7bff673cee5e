#pragma once
// Part IDs in a saved game that the catalogues lack. The loaders turn such an ID into no part at
// all; this says which parts were dropped, with file and line, so that a
// damaged or outdated catalogue does not quietly empty the player's workshop.

#include <vector>

#include "model/field_reader.h"

namespace vargo {

class CatalogueReader;
class Prompts;

/// Which of a save set's files to look at: the player's own load reads both, a duel opponent's
/// load uses only the Doll file.
enum class SaveSide { Player, Opponent };

/// One problem per line of save set `svNum` that names parts the catalogues lack, listing the
/// kind and the IDs. Only the places the loaders read are looked at. A file that cannot be read
/// or is cut short is left to the loaders, which say so themselves.
std::vector<DataProblem> missingSaveParts(CatalogueReader& catalogue, int svNum, SaveSide side);

/// On loading: one plain message naming each file, line and missing IDs; nothing when none are.
void reportMissingSaveParts(CatalogueReader& catalogue, int svNum, SaveSide side, Prompts& prompts);

}  // namespace vargo
