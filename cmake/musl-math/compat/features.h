/* For mingw-w64, which has no <features.h>: musl's headers include it for their own macros,
   which names.h defines instead. Found only where the system has none. */
#pragma once
