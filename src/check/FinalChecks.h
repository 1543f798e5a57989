#pragma once

// The checks that need the whole file read: what the tables hold once the
// last line has been applied, measured against the sheet and the view.

#include "check/CheckModel.h"
#include "check/Diagnostic.h"

#include <vector>

namespace check {

void finalChecks(const CheckModel& model, std::vector<Diagnostic>& out);

} // namespace check
