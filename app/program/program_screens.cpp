#include "program_screens.h"

#include "datos_concur.h"
#include "datos_palo.h"
#include "frm_main.h"

namespace kvt {

void offerScreens(frmMain& main) {
  main.offerScreen(main.Reloj, main.boton3, QStringLiteral("DatosConcur"),
                   [] { return new DatosConcur; });
  main.offerScreen(main.Palo, main.boton6, QStringLiteral("DatosPalo"),
                   [] { return new DatosPalo; });
}

}  // namespace kvt
