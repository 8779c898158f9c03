#include "platform/control/platform_control.h"
#include "platform/control/dialog_control.h"
#include "platform/sim/sim_automation.h"
#include "platform/sim/sim_state.h"

namespace plat_control {
void reset() {
    sim::detail::reset_registry();
    sim::detail::reset_windows();
    sim::detail::reset_records();
    spawns_clear();
    dialogs_reset();
    sim::automation_reset();
}
}  // namespace plat_control
