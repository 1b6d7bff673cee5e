#pragma once
// One basic action: the unit a pattern is built from and the unit software prices.

#include <memory>
#include <string>

#include "model/numbers.h"

namespace vargo {

/// Basic-action codes; 0 is no action (an empty step).
enum ActionCode : int {
    kNoAction = 0,
    kMove = 1,
    kJump = 2,
    kSpin = 3,
    kPunch = 4,
    kKick = 5,
    kKumi = 6,  ///< grapple
    kDrop = 7,  ///< throw
    kHold = 8,  ///< joint lock
    kBlock = 9,
    kUke = 10,    ///< breakfall
    kHazusi = 11  ///< unlock (escape a hold)
};

/// The display name of a basic-action code ("移動" ... "外し"); empty for anything else.
const std::string& actionName(int code);

struct Action {
    Int16 ID = 0;     /**< basic-action code; 0 marks an empty step */
    Int16 Memory = 0; /**< memory cost while stored in a pattern */
    Int16 AP = 0;     /**< action points spent when it runs */
    std::string name;
};
using ActionPtr = std::shared_ptr<Action>;

/// A fresh action of a code with its name and zero costs (code 0 gives an empty action).
ActionPtr makeAction(int code);

}  // namespace vargo
