#pragma once
// What two ticked items would both remove is removed once, by the first of them: the run's
// later item finds it gone. A collected plan says so, so that its totals are what the run
// frees.
#include "erase/Plan.h"

namespace erase {

// Marks Shared each planned target that an earlier item of the plan removes already, as
// itself or inside a folder or registry key it removes; its reason names that item.
void MarkSharedTargets(Plan& plan);

}  // namespace erase
