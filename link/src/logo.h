// The logo printed at the end of every printout: our picture of 1134 x 174 pixels at 8 bits per
// pixel, built into the library.
#pragma once

typedef struct _cairo_surface cairo_surface_t;

namespace quorlink {

// A new image surface of the logo, or nullptr when the picture cannot be decoded.
cairo_surface_t* loadLogo();

}  // namespace quorlink
