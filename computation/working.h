// The working of one assessment, section by section, in the order the rules compute.
// Internal to computation/: callers take it from ComputationOf.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "assessment/assessment.h"
#include "computation/computation.h"

namespace varnolix {

// `texts` are the entries as typed, blank for a page not shown. The notes that bear on
// the working are added to `notes`.
std::array<WorkingSection, kWorkingPartCount> WorkingOf(const Assessment& assessment,
                                                        const PerField<std::string>& texts,
                                                        std::vector<RuleNote>& notes);

}  // namespace varnolix
