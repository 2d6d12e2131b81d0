#include "pdf_device.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "device_error.h"
#include "logo.h"

namespace quorlink {

namespace {

constexpr double kPointsPerUnit = 72.0 / kDeviceUnitsPerInch;

bool sameFamily(FcPattern* font, const char* family) {
  FcChar8* found = nullptr;
  return FcPatternGetString(font, FC_FAMILY, 0, &found) == FcResultMatch &&
         FcStrCmpIgnoreCase(found, reinterpret_cast<const FcChar8*>(family)) == 0;
}

// The fixed-pitch face of the family and weight, as fontconfig matches it; nullptr when the match
// is of another family and the family itself is required.
cairo_font_face_t* monospaceFace(const char* family, int weight, bool familyRequired) {
  FcPattern* wanted = FcPatternCreate();
  FcPatternAddString(wanted, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(wanted, FC_SPACING, FC_MONO);
  FcPatternAddInteger(wanted, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
  FcDefaultSubstitute(wanted);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(nullptr, wanted, &result);
  FcPatternDestroy(wanted);
  if (font == nullptr) return nullptr;
  cairo_font_face_t* face = !familyRequired || sameFamily(font, family)
                                ? cairo_ft_font_face_create_for_pattern(font)
                                : nullptr;
  FcPatternDestroy(font);
  return face;
}

// The capture font: the face "ELITE", fixed pitch, of the given weight; the system's monospace
// face when this computer has no ELITE.
cairo_font_face_t* captureFace(int weight) {
  cairo_font_face_t* face = monospaceFace("ELITE", weight, true);
  return face != nullptr ? face : monospaceFace("monospace", weight, false);
}

// The face at xScale by yScale device units, with unhinted metrics so that sizes stay exact.
cairo_scaled_font_t* sizedFont(cairo_font_face_t* face, double xScale, double yScale) {
  cairo_matrix_t size;
  cairo_matrix_t identity;
  cairo_matrix_init_scale(&size, xScale, yScale);
  cairo_matrix_init_identity(&identity);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_scaled_font_t* font = cairo_scaled_font_create(face, &size, &identity, options);
  cairo_font_options_destroy(options);
  return font;
}

// The letter "A" of a font: its advance width and the full height of the font's line (ascent
// plus descent), as Windows measures a text extent.
struct LetterA {
  double advance;
  double height;
};

LetterA letterA(cairo_scaled_font_t* font) {
  cairo_font_extents_t line;
  cairo_text_extents_t letter;
  cairo_scaled_font_extents(font, &line);
  cairo_scaled_font_text_extents(font, "A", &letter);
  return {letter.x_advance, line.ascent + line.descent};
}

// The face scaled so that its cell is width x height device units, as a Windows font of that
// height and width.
cairo_scaled_font_t* cellFont(cairo_font_face_t* face, double width, double height) {
  cairo_scaled_font_t* unit = sizedFont(face, 1, 1);
  const LetterA a = letterA(unit);
  cairo_scaled_font_destroy(unit);
  return sizedFont(face, width / a.advance, height / a.height);
}

// In the temporary folder; a TMPDIR that names no folder gives way to /tmp rather than to no
// printout.
std::string temporaryPdf() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = "/tmp";
  std::string pattern = (folder / "quorkvt-XXXXXX.pdf").string();
  const int fd = mkstemps(pattern.data(), 4);
  if (fd < 0) return {};
  ::close(fd);
  return pattern;
}

}  // namespace

PdfDevice::PdfDevice(PageSize page, std::unique_ptr<DocumentDelivery> delivery)
    : page_(page), delivery_(std::move(delivery)), logo_(loadLogo()) {
  if (logo_ == nullptr) reportDeviceError("ZRK bitmap not found.");
}

PdfDevice::~PdfDevice() {
  endDocument();
  if (font_ != nullptr) cairo_scaled_font_destroy(font_);
  if (logo_ != nullptr) cairo_surface_destroy(logo_);
}

PrintDevice::Extent PdfDevice::measureLetterA() {
  cairo_font_face_t* face = monospaceFace("monospace", 400, false);
  if (face == nullptr) return {};
  cairo_scaled_font_t* base = sizedFont(face, kBaseFontSize, kBaseFontSize);
  const LetterA a = letterA(base);
  cairo_scaled_font_destroy(base);
  cairo_font_face_destroy(face);
  // In whole units, as GetTextExtentPoint gives them.
  return {static_cast<int>(std::lround(a.advance)), static_cast<int>(std::lround(a.height))};
}

void PdfDevice::selectCaptureFont(int height, int width, int weight) {
  if (font_ != nullptr) cairo_scaled_font_destroy(font_);
  font_ = nullptr;
  if (height <= 0 || width <= 0) return;
  cairo_font_face_t* face = captureFace(weight);
  if (face == nullptr) return;
  font_ = cellFont(face, width, height);
  cairo_font_face_destroy(face);
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(font_, &extents);
  fontAscent_ = extents.ascent;
}

void PdfDevice::startDocument(const std::string& name) {
  endDocument();
  title_ = name;
  path_ = temporaryPdf();
  if (path_.empty()) return;
  surface_ = cairo_pdf_surface_create(path_.c_str(), page_.widthPoints, page_.heightPoints);
  cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, name.c_str());
  cr_ = cairo_create(surface_);
  pages_ = 0;
}

void PdfDevice::startPage() {
  if (cr_ == nullptr) return;
  pageOpen_ = true;
  cairo_identity_matrix(cr_);
  cairo_scale(cr_, kPointsPerUnit, kPointsPerUnit);
  cairo_translate(cr_, kPrintableOffset, kPrintableOffset);
}

void PdfDevice::printText(int x, int y, std::string_view text) {
  if (!pageOpen_ || font_ == nullptr) return;
  // The clock's text is ASCII; DEL has no glyph and prints as a blank.
  std::string ascii(text);
  for (char& c : ascii) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = ' ';
  }
  cairo_set_scaled_font(cr_, font_);
  cairo_set_source_rgb(cr_, 0, 0, 0);
  // The position is the top of the character cell, as a printer's text output takes it.
  cairo_move_to(cr_, x, y + fontAscent_);
  cairo_show_text(cr_, ascii.c_str());
}

void PdfDevice::drawLogo(int x, int y, int width, int height) {
  if (!pageOpen_ || logo_ == nullptr || width <= 0 || height <= 0) return;
  // One picture pixel is one device unit; the area beyond a smaller picture stays blank.
  const int w = std::min(width, cairo_image_surface_get_width(logo_));
  const int h = std::min(height, cairo_image_surface_get_height(logo_));
  cairo_surface_t* part = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  cairo_t* copy = cairo_create(part);
  cairo_set_source_surface(copy, logo_, 0, 0);
  cairo_paint(copy);
  cairo_destroy(copy);
  cairo_save(cr_);
  cairo_set_source_surface(cr_, part, x, y);
  cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
  cairo_rectangle(cr_, x, y, w, h);
  cairo_fill(cr_);
  cairo_restore(cr_);
  cairo_surface_destroy(part);
}

void PdfDevice::endPage() {
  if (!pageOpen_) return;
  cairo_show_page(cr_);
  pageOpen_ = false;
  ++pages_;
}

void PdfDevice::endDocument() {
  if (surface_ == nullptr) return;
  endPage();
  cairo_destroy(cr_);
  cairo_surface_finish(surface_);
  const bool written = cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface_);
  cr_ = nullptr;
  surface_ = nullptr;
  if (written && pages_ > 0) {
    delivery_->deliver(path_, title_, portrait_);
  } else {
    std::remove(path_.c_str());
  }
  path_.clear();
}

}  // namespace quorlink
