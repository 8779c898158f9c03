#include "platform/control/platform_control.h"
#include "platform/control/dialog_control.h"
#include "platform/sim/sim_state.h"

namespace sim {
void reset() {
    detail::reset_registry();
    detail::reset_windows();
    detail::reset_records();
    spawns_clear();
    dialogs_reset();
}
}  // namespace sim
