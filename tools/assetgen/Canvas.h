#pragma once
// A cairo drawing surface with its context, and the drawing helpers the pictures share.

#include <cairo.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace assetgen {

struct Colour {
  double R = 0, G = 0, B = 0, A = 1;  // 0..1
};

struct CairoFree {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using SurfaceHandle = std::unique_ptr<cairo_surface_t, CairoFree>;
using ContextHandle = std::unique_ptr<cairo_t, CairoFree>;

class Canvas {
 public:
  Canvas(int width, int height);  // transparent ARGB32
  cairo_t* Cr() const { return Context.get(); }
  cairo_surface_t* Surface() const { return Target.get(); }
  int Width() const { return cairo_image_surface_get_width(Target.get()); }
  int Height() const { return cairo_image_surface_get_height(Target.get()); }

 private:
  SurfaceHandle Target;
  ContextHandle Context;
};

void SetColour(cairo_t* cr, Colour colour);

// Both throw std::runtime_error naming the file when it cannot be written.
void SavePng(const Canvas& canvas, const std::filesystem::path& file);
// Records what `paint` draws as a vector SVG document of width by height pixels.
void SaveSvg(const std::filesystem::path& file, double width, double height,
             const std::function<void(cairo_t*)>& paint);

// Renders an SVG file so that its document fills the box (x, y, w, h): all of it, or only the
// element of that id ("#plate") where it lies in the document. Throws std::runtime_error naming
// the file when it cannot be read or drawn.
void DrawSvg(cairo_t* cr, const std::filesystem::path& file, double x, double y, double w, double h,
             const char* element = nullptr);

// A display font from a font file, kept alive for the whole run.
cairo_font_face_t* FontFace(const std::filesystem::path& file);

struct Lettering {
  cairo_font_face_t* Face = nullptr;
  double Size = 32;
  Colour Top, Bottom;  // vertical fill gradient
  Colour Outline;      // drawn under the fill
  double OutlineWidth = 4;
  Colour Glow{0, 0, 0, 0};  // soft halo under everything; alpha 0 for none
  double GlowWidth = 0;
};

// Width and height of `text` as `Draw` will paint it, outline and glow included.
void MeasureLettering(cairo_t* cr, const Lettering& style, const std::string& text, double& width, double& height);

// Paints `text` with its ink box's top-left at (x, y) (outline and glow included).
void DrawLettering(cairo_t* cr, const Lettering& style, const std::string& text, double x, double y);

}  // namespace assetgen
