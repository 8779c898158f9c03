// The automation bridge: a second road to the values of a worksheet range, through COM
// automation of the very Excel instance that loaded the add-in. Every Excel process loads its
// own copy of the add-in; the bridge finds its own Excel among the running ones by asking each
// candidate to evaluate a CALL of the add-in's probe CheckInstance while a flag is raised in
// this copy: only the own process runs the probe in the copy whose flag is up.
#pragma once

#include <stdint.h>

#include "platform/automation.h"
#include "xll/xlcall.h"

namespace automacao {

// Set by CheckInstance during a probe of the own instance; cleared when a search starts and
// when the bridge stops. Read by the coercion fallback.
extern int32_t own_instance_found;
// The host's version text (GET.WORKSPACE(2)), at most 6 characters; six spaces until read.
extern char host_version_text[7];

// Stops the bridge, registers the probe, reads the host version and, under "8.0" only,
// connects to the own instance. Its status is for diagnostics; no caller needs it.
plat::HResult bridge_start();
// Releases the objects, uninitialises OLE if the bridge initialised it, unregisters the probe.
void bridge_stop();
// The Value of `address` on sheet `sheet` of workbook `book` of the own instance (each a
// VT_BSTR variant), into the caller's initialised `value`. DISP_E_UNKNOWNINTERFACE when the
// bridge is not connected.
plat::HResult bridge_range_value(plat::Variant book, plat::Variant sheet, plat::Variant address,
                                 plat::Variant* value);

}  // namespace automacao

// The probe: sets own_instance_found while this copy's probe is being evaluated.
VX_EXPORT int32_t VX_STDCALL CheckInstance();
