#include "logo.h"

#include <cairo.h>

#include <cstddef>
#include <cstring>

namespace quorlink {

extern const unsigned char logo_png[];
extern const std::size_t logo_png_size;

namespace {

struct Reader {
  std::size_t offset = 0;
};

cairo_status_t readLogo(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<Reader*>(closure);
  if (reader->offset + length > logo_png_size) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, logo_png + reader->offset, length);
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

cairo_surface_t* loadLogo() {
  Reader reader;
  cairo_surface_t* logo = cairo_image_surface_create_from_png_stream(readLogo, &reader);
  if (cairo_surface_status(logo) == CAIRO_STATUS_SUCCESS) return logo;
  cairo_surface_destroy(logo);
  return nullptr;
}

}  // namespace quorlink
