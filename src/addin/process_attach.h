#pragma once

namespace addin {

// What the library does when it is mapped into Excel's process: reads the settings once and
// makes the texts of the chosen language's catalogue and menu tables counted strings in place.
void process_attach();

}  // namespace addin
