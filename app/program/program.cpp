#include "program.h"

#include <QApplication>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "concurso1.h"
#include "databases.h"
#include "datos_concur.h"
#include "datos_palo.h"
#include "frm_exportar.h"
#include "frm_importar.h"
#include "frm_main.h"
#include "messages.h"
#include "on_screen.h"
#include "socio1.h"

namespace kvt {

void offerScreens(frmMain& main) {
  // The menu shows the member register modally, its toolbar button not.
  main.offerModalScreen(main.Socio, [] { return new Socio1; });
  main.offerScreen(nullptr, main.boton1, QStringLiteral("Socio1"), [] { return new Socio1; });
  main.offerModalScreen(main.concurso, [] { return new Concurso1; });
  main.offerModalScreen(main.boton2, [] { return new Concurso1; });
  main.Importar->setEnabled(true);
  QObject::connect(main.Importar, &QAction::triggered, &main, [&main] { importFile(&main); });
  main.offerModalScreen(main.Exportar, [&main] { return new frmExportar(&main); });
  main.offerScreen(main.Reloj, main.boton3, QStringLiteral("DatosConcur"),
                   [] { return new DatosConcur; });
  main.offerScreen(main.Palo, main.boton6, QStringLiteral("DatosPalo"),
                   [] { return new DatosPalo; });
}

int runQuorKVT(const QString& programFolder, const std::function<void(frmMain&)>& whenShown) {
  QApplication::setApplicationName(QStringLiteral("QuorKVT"));
  keepWindowsOnScreen();
  QTranslator spanish;
  if (!speakSpanish(spanish, programFolder)) {
    std::fputs("QuorKVT: no se han encontrado las traducciones de Qt al español (qtbase_es.qm); "
               "los botones de Qt saldrán en inglés.\n",
               stderr);
  }
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
