#include "pdf_reading.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "pdf_device.h"

namespace quorlink::testing {

namespace {

double toDeviceUnits(double points) {
  return points * kDeviceUnitsPerInch / 72.0 - kPrintableOffset;
}

}  // namespace

std::string commandOutput(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      output.append(buffer, n);
    }
    ::pclose(pipe);
  }
  return output;
}

std::vector<PrintedLine> printedLines(const std::string& pdf) {
  const std::string html = commandOutput("pdftotext -bbox '" + pdf + "' - 2>/dev/null");
  struct Word {
    int page;
    double top;
    double left;
    std::string text;
  };
  std::vector<Word> words;
  int page = 0;
  const std::regex token(R"re(<page |<word xMin="([^"]*)" yMin="([^"]*)"[^>]*>([^<]*)</word>)re");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), token);
       it != std::sregex_iterator(); ++it) {
    if ((*it)[0].str() == "<page ") {
      ++page;
      continue;
    }
    words.push_back({page, toDeviceUnits(std::stod((*it)[2].str())),
                     toDeviceUnits(std::stod((*it)[1].str())), (*it)[3].str()});
  }
  // Words of one line share their top; lines in page order and from the top, words from the left.
  std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
    if (a.page != b.page) return a.page < b.page;
    if (std::abs(a.top - b.top) >= 5) return a.top < b.top;
    return a.left < b.left;
  });
  std::vector<PrintedLine> lines;
  for (const Word& word : words) {
    if (!lines.empty() && lines.back().page == word.page &&
        std::abs(lines.back().top - word.top) < 5) {
      lines.back().text += " " + word.text;
    } else {
      lines.push_back({word.page, word.top, word.text});
    }
  }
  return lines;
}

std::vector<PrintedImage> printedImages(const std::string& pdf) {
  std::istringstream list(commandOutput("pdfimages -list '" + pdf + "' 2>/dev/null"));
  std::vector<PrintedImage> images;
  std::string line;
  std::getline(list, line);  // heading
  std::getline(list, line);  // rule
  while (std::getline(list, line)) {
    std::istringstream fields(line);
    PrintedImage image{};
    int number = 0;
    std::string type;
    if (fields >> image.page >> number >> type >> image.width >> image.height) {
      images.push_back(image);
    }
  }
  return images;
}

int greyAt(const std::string& pdf, int page, int x, int y) {
  const std::string pgm = pdf + ".page";
  commandOutput("pdftoppm -r 60 -gray -f " + std::to_string(page) + " -l " + std::to_string(page) +
                " -singlefile '" + pdf + "' '" + pgm + "'");
  std::ifstream in(pgm + ".pgm", std::ios::binary);
  std::string magic;
  int width = 0;
  int height = 0;
  int maximum = 0;
  in >> magic >> width >> height >> maximum;
  in.get();
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height);
  in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
  // 60 dpi: one pixel is ten device units.
  const int column = (x + kPrintableOffset) / 10;
  const int row = (y + kPrintableOffset) / 10;
  if (!in || column >= width || row >= height) return -1;
  return pixels[static_cast<std::size_t>(row) * width + column];
}

}  // namespace quorlink::testing
