#pragma once
// A loaded game's Doll and inventory share their parts again. The save files keep only part IDs,
// so the loaders build the Doll's parts and the owner's parts as separate objects; left so, a part
// destroyed in a fight would stay in the inventory at full HP and count as new, and taking a
// damaged part off and on again would repair it for nothing.

namespace vargo {

class Owner;
class doll;

/// Puts into each of the Doll's part slots the owner's own inventory part with the same ID (each
/// inventory part fitted once, lowest slot first), carrying over the motor's and frame's saved HP.
/// A fitted part the inventory does not hold stays as loaded and, like every loaded part, counts
/// as used.
void shareFittedParts(Owner& owner, doll& d);

}  // namespace vargo
