// What the member and contest registers share: the outcome of adding, changing or removing a
// record, which goes by the record's identity and names the values it was listed with.
#pragma once

#include <QString>
#include <cstdint>

#include "record_set.h"

namespace kvt {

struct Saved {
  std::int64_t id = 0;  // the record added or changed
  QString refusal;      // why nothing was written, in Spanish; empty when it was
  bool listAgain = false;  // another program changed or removed the record: the list is stale
  bool done() const { return refusal.isEmpty(); }
};

// The outcome of a write by identity; record names the record in a message ("El socio 77").
Saved savedOf(Written written, std::int64_t id, const QString& record, bool removal,
              const RecordSet& set);

// A code or licence as the reading screen looks it up: trimmed, cut to five characters, trimmed
// again.
QString lookupKey(const QString& typed);

}  // namespace kvt
