// Reading back a printed PDF with poppler's command-line tools, to see where the lines and the
// logo came out.
#pragma once

#include <string>
#include <vector>

namespace quorlink::testing {

// A printed line: its page (from 1), the top of its text in device units below the printable
// corner, and its text (runs of blanks become one blank).
struct PrintedLine {
  int page;
  double top;
  std::string text;
};
std::vector<PrintedLine> printedLines(const std::string& pdf);

// A picture on a page: its page and its size in pixels.
struct PrintedImage {
  int page;
  int width;
  int height;
};
std::vector<PrintedImage> printedImages(const std::string& pdf);

// The grey level (0 black, 255 white) of a page rendered at 60 dpi, at the point given in device
// units below and right of the printable corner.
int greyAt(const std::string& pdf, int page, int x, int y);

// The standard output of a shell command.
std::string commandOutput(const std::string& command);

}  // namespace quorlink::testing
