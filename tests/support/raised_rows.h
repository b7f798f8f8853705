// The reply rows whose change flags are raised, in row order: what the link
// sends in its next cycle. Tests of setting dialogs compare it with the rows
// a press or an ACCEPT should send.
#pragma once

#include <vector>

#include "link/link_state.h"

namespace dryer::test_support {

inline std::vector<int> raised_rows(const link::LinkState& s) {
    std::vector<int> r;
    for (int i = 1; i <= static_cast<int>(link::kReplyRowCount); ++i)
        if (s.flags.raised(i)) r.push_back(i);
    return r;
}

}  // namespace dryer::test_support
