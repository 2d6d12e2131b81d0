#include "register_write.h"

namespace kvt {

Saved savedOf(Written written, std::int64_t id, const QString& record, bool removal,
              const RecordSet& set) {
  const QString nothing =
      removal ? QStringLiteral("no se ha borrado nada") : QStringLiteral("no se ha grabado nada");
  switch (written) {
    case Written::Done:
      return {id, {}, false};
    case Written::ChangedElsewhere:
      return {0,
              QStringLiteral("%1 ha sido modificado por otro programa después de listarse; %2. "
                             "La lista se ha leído de nuevo.")
                  .arg(record, nothing),
              true};
    case Written::RemovedElsewhere:
      return {0,
              QStringLiteral("%1 ha sido borrado por otro programa; %2. La lista se ha leído de "
                             "nuevo.")
                  .arg(record, nothing),
              true};
    case Written::Failed:
      break;
  }
  return {0, set.lastError() + QStringLiteral("\n") + nothing.left(1).toUpper() + nothing.mid(1) +
                 QLatin1Char('.'),
          false};
}

QString lookupKey(const QString& typed) {
  return typed.trimmed().left(5).trimmed();
}

}  // namespace kvt
