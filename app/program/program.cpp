#include "program.h"

#include <QApplication>
#include <QTimer>

#include "databases.h"
#include "datos_concur.h"
#include "datos_palo.h"
#include "frm_main.h"
#include "messages.h"

namespace kvt {

void offerScreens(frmMain& main) {
  main.offerScreen(main.Reloj, main.boton3, QStringLiteral("DatosConcur"),
                   [] { return new DatosConcur; });
  main.offerScreen(main.Palo, main.boton6, QStringLiteral("DatosPalo"),
                   [] { return new DatosPalo; });
}

int runQuorKVT(const QString& programFolder, const std::function<void(frmMain&)>& whenShown) {
  QApplication::setApplicationName(QStringLiteral("QuorKVT"));
  int status = 1;
  {
    frmMain main;
    const QString error = main.load(programFolder);
    if (error.isEmpty()) {
      offerScreens(main);
      main.show();
      if (whenShown) QTimer::singleShot(0, &main, [&main, &whenShown] { whenShown(main); });
      status = QApplication::exec();
    } else {
      showWarning(nullptr, error);
    }
  }
  closeDatabases();
  return status;
}

}  // namespace kvt
