#include "printout_player.h"

#include <thread>

namespace quorclock {

namespace {

// A frame of Tolvex printer text: "lTP", the payload length, the payload, and the checksum (the
// sum of the frame's bytes modulo 256).
std::string tolvexFrame(const std::string& payload) {
  std::string frame = "lTP";
  frame.push_back(static_cast<char>(payload.size()));
  frame += payload;
  unsigned sum = 0;
  for (unsigned char byte : frame) sum += byte;
  frame.push_back(static_cast<char>(sum & 0xFF));
  return frame;
}

}  // namespace

std::vector<Chunk> printoutChunks(const std::vector<std::string>& lines,
                                  const PlayOptions& options) {
  std::vector<Chunk> chunks(1);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line;
    if (options.escapes)
      line +=
          "\x1b"
          "E1";  // a printer's "emphasised on"
    line += lines[i];
    if (options.controlBytes) line.insert(line.size() / 2, "\x07\x0e\xa9\x80");
    line += "\r\n";
    if (options.tolvex) {
      // At most 255 payload bytes in a frame; the clock's lines are much shorter.
      chunks.back().bytes += tolvexFrame(line.substr(0, 255));
      chunks.back().pauseAfter = options.framePause;
      chunks.emplace_back();
      continue;
    }
    chunks.back().bytes += line;
    if (options.pauseEveryLines > 0 && (i + 1) % options.pauseEveryLines == 0) {
      chunks.back().pauseAfter = options.pause;
      chunks.emplace_back();
    }
  }
  if (options.formFeed) chunks.back().bytes += options.tolvex ? tolvexFrame("\f") : "\f";
  if (chunks.back().bytes.empty()) chunks.pop_back();
  return chunks;
}

void play(const PtyClock& clock, const std::vector<Chunk>& chunks,
          std::chrono::microseconds perByte) {
  for (const Chunk& chunk : chunks) {
    clock.sendAtLineRate(chunk.bytes, perByte);
    std::this_thread::sleep_for(chunk.pauseAfter);
  }
}

}  // namespace quorclock
