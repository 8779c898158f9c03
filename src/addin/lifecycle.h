#pragma once

namespace addin {

// True once xlAutoOpen has run its start-up; xlAutoRegister registers nothing before that.
extern bool addin_opened;

}  // namespace addin
