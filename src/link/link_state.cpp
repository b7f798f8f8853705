#include "link/link_state.h"

namespace dryer::link {

LinkState& link_state() {
    static LinkState state;
    return state;
}

}  // namespace dryer::link
