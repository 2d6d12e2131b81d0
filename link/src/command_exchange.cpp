#include "command_exchange.h"

#include "capture.h"
#include "link.h"

namespace quorlink::command {

bool enterQuor() {
  LinkFlags& f = linkFlags();
  if (!f.linkOpen || capture::documentOpen()) return false;
  f.tolvexDialect = false;
  f.commandMode = true;
  return true;
}

bool enterTolvex() {
  LinkFlags& f = linkFlags();
  if (!f.linkOpen) return false;
  f.tolvexDialect = true;
  f.commandMode = true;
  return true;
}

void leave() {
  LinkFlags& f = linkFlags();
  f.commandMode = false;
  f.tolvexDialect = false;
}

bool write(std::span<const std::uint8_t> bytes) {
  return writeBlock(bytes.data(), bytes.size());
}

bool post(std::span<const std::uint8_t> bytes, AnswerComplete awaited) {
  resetReply(awaited);
  return write(bytes);
}

bool ask(std::span<const std::uint8_t> bytes, AnswerComplete awaited) {
  return post(bytes, awaited) && waitForReply();
}

std::vector<std::uint8_t> answer() {
  return replyBytes();
}

}  // namespace quorlink::command
