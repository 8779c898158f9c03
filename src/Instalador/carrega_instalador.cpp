// The install notice's export: a program outside Excel (the installer) loads the add-in and
// calls it. It shows the notice and returns once the user has closed it.
#include "Instalador/logo_marvessa.h"
#include "Instalador/tf_instalador.h"
#include "xll/boundary.h"
#include "xll/xlcall.h"

static_assert(sizeof(bool) == 1, "the export answers a one-byte boolean");

// True when the notice was shown (callers must not rely on the value).
VX_EXPORT bool VX_STDCALL _carrega_instalador() {
    return xll::guarded(false, [] {
        return instalador::mostra_aviso(instalador::logo_marvessa, sizeof instalador::logo_marvessa);
    });
}
