#include "Canvas.h"

#include <cairo-ft.h>
#include <cairo-svg.h>
#include <librsvg/rsvg.h>

#include <map>
#include <stdexcept>

namespace assetgen {

Canvas::Canvas(int width, int height)
    : Target(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)), Context(cairo_create(Target.get())) {
  cairo_set_antialias(Context.get(), CAIRO_ANTIALIAS_GOOD);
}

void SetColour(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.R, c.G, c.B, c.A); }

void SavePng(const Canvas& canvas, const std::filesystem::path& file) {
  if (cairo_surface_write_to_png(canvas.Surface(), file.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + file.string());
}

void SaveSvg(const std::filesystem::path& file, double width, double height,
             const std::function<void(cairo_t*)>& paint) {
  const SurfaceHandle document(cairo_svg_surface_create(file.c_str(), width, height));
  cairo_svg_surface_set_document_unit(document.get(), CAIRO_SVG_UNIT_PX);
  {
    const ContextHandle cr(cairo_create(document.get()));
    paint(cr.get());
  }
  cairo_surface_finish(document.get());
  if (cairo_surface_status(document.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + file.string());
}

void DrawSvg(cairo_t* cr, const std::filesystem::path& file, double x, double y, double w, double h,
             const char* element) {
  GError* error = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_file(file.c_str(), &error);
  const RsvgRectangle box{x, y, w, h};
  const bool drawn = handle && (element ? rsvg_handle_render_layer(handle, cr, element, &box, &error)
                                        : rsvg_handle_render_document(handle, cr, &box, &error));
  const std::string reason = error ? error->message : "unknown error";
  if (error) g_error_free(error);
  if (handle) g_object_unref(handle);
  if (!drawn) throw std::runtime_error("cannot draw " + file.string() + ": " + reason);
}

cairo_font_face_t* FontFace(const std::filesystem::path& file) {
  static FT_Library library = nullptr;
  static std::map<std::filesystem::path, cairo_font_face_t*> faces;
  if (auto found = faces.find(file); found != faces.end()) return found->second;
  FT_Face face = nullptr;
  if ((!library && FT_Init_FreeType(&library)) || FT_New_Face(library, file.c_str(), 0, &face))
    throw std::runtime_error("cannot open font " + file.string());
  return faces[file] = cairo_ft_font_face_create_for_ft_face(face, 0);
}

namespace {

double Margin(const Lettering& style) { return std::max(style.OutlineWidth / 2, style.GlowWidth / 2) + 1; }

void TextPath(cairo_t* cr, const Lettering& style, const std::string& text, double x, double y) {
  cairo_set_font_face(cr, style.Face);
  cairo_set_font_size(cr, style.Size);
  cairo_text_extents_t ink;
  cairo_text_extents(cr, text.c_str(), &ink);
  const double margin = Margin(style);
  cairo_new_path(cr);
  cairo_move_to(cr, x + margin - ink.x_bearing, y + margin - ink.y_bearing);
  cairo_text_path(cr, text.c_str());
}

}  // namespace

void MeasureLettering(cairo_t* cr, const Lettering& style, const std::string& text, double& width, double& height) {
  cairo_set_font_face(cr, style.Face);
  cairo_set_font_size(cr, style.Size);
  cairo_text_extents_t ink;
  cairo_text_extents(cr, text.c_str(), &ink);
  width = ink.width + 2 * Margin(style);
  height = ink.height + 2 * Margin(style);
}

void DrawLettering(cairo_t* cr, const Lettering& style, const std::string& text, double x, double y) {
  double width = 0, height = 0;
  MeasureLettering(cr, style, text, width, height);
  cairo_save(cr);
  TextPath(cr, style, text, x, y);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (style.Glow.A > 0) {
    for (int ring = 4; ring >= 1; --ring) {
      SetColour(cr, {style.Glow.R, style.Glow.G, style.Glow.B, style.Glow.A / 4});
      cairo_set_line_width(cr, style.OutlineWidth + (style.GlowWidth - style.OutlineWidth) * ring / 4);
      cairo_stroke_preserve(cr);
    }
  }
  SetColour(cr, style.Outline);
  cairo_set_line_width(cr, style.OutlineWidth);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, y + Margin(style), 0, y + height - Margin(style));
  cairo_pattern_add_color_stop_rgba(fill, 0, style.Top.R, style.Top.G, style.Top.B, style.Top.A);
  cairo_pattern_add_color_stop_rgba(fill, 1, style.Bottom.R, style.Bottom.G, style.Bottom.B, style.Bottom.A);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
  cairo_restore(cr);
}

}  // namespace assetgen
