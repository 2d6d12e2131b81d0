#include "register_write.h"

namespace kvt {

namespace {

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
                      .arg(record, nothing) +
                  (removal ? QString()
                           : QStringLiteral(" Lo escrito sigue en pantalla: «Aceptar» lo graba "
                                            "sobre lo que hay ahora, «Cancelar» lo deja.")),
              true};
    case Written::RemovedElsewhere:
      return {0,
              QStringLiteral("%1 ha sido borrado por otro programa; %2. La lista se ha leído de "
                             "nuevo.")
                      .arg(record, nothing) +
                  (removal ? QString()
                           : QStringLiteral(" Lo escrito sigue en pantalla: «Aceptar» lo graba "
                                            "como uno nuevo, «Cancelar» lo deja.")),
              true};
    case Written::ConnectionLost:
      // Whether the write was kept is not known: the message says so, and nothing more is added.
      return {0, set.lastError(), false};
    case Written::Failed:
      break;
  }
  return {0,
          set.lastError() + QStringLiteral("\n") + nothing.left(1).toUpper() + nothing.mid(1) +
              QLatin1Char('.'),
          false};
}

}  // namespace

bool TableRegister::open(RecordSet& set, const QString& order) const {
  return set.open(connection_,
                  QStringLiteral("select * from ") + table_ +
                      (order.isEmpty() ? QString() : QStringLiteral(" order by ") + order));
}

bool TableRegister::ready() {
  return set_.isOpen() || open(set_);
}

Saved TableRegister::addRecord(const FieldValues& values) {
  return putRecord(values, true);
}

Saved TableRegister::insertRecord(const FieldValues& values) {
  return putRecord(values, false);
}

Saved TableRegister::putRecord(const FieldValues& values, bool readAgain) {
  Written written = Written::Failed;
  const qint64 id = !ready()    ? 0
                    : readAgain ? set_.add(values, &written)
                                : set_.insert(values, &written);
  return savedOf(id != 0 ? Written::Done : written, id, {}, false, set_);
}

Saved TableRegister::changeRecord(std::int64_t id, const FieldValues& listed,
                                  const FieldValues& values, const QString& record) {
  if (!ready()) return savedOf(Written::Failed, 0, {}, false, set_);
  return savedOf(set_.change(id, listed, values), id, record, false, set_);
}

Saved TableRegister::removeRecord(std::int64_t id, const FieldValues& listed,
                                  const QString& record) {
  if (!ready()) return savedOf(Written::Failed, 0, {}, true, set_);
  return savedOf(set_.remove(id, listed), id, record, true, set_);
}

Saved TableRegister::removeAllRecords() {
  return savedOf(ready() && set_.removeAll() ? Written::Done : Written::Failed, 0, {}, true, set_);
}

QString lookupKey(const QString& typed) {
  return typed.trimmed().left(5).trimmed();
}

}  // namespace kvt
