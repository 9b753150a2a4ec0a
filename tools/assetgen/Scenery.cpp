#include "Scenery.h"

#include <cmath>
#include <cstdint>

namespace assetgen {

namespace {

// The board's plate: a little larger than the 7x7 discs (x 181-629, y 8-456), and ending above
// the timer bar's outline at y 461.
constexpr double PanelLeft = 176, PanelTop = 3, PanelRight = 634, PanelBottom = 458, PanelRadius = 14;
constexpr double MoonX = 92, MoonY = 150, MoonRadius = 42;

// A small fixed generator so that the star field is the same in every build.
struct Scatter {
  uint32_t State;
  double Next() {
    State = State * 1664525u + 1013904223u;
    return (State >> 8) / 16777216.0;
  }
};

void PaintSky(cairo_t* cr) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, ScreenHeight);
  cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.035, 0.020, 0.110);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.105, 0.055, 0.200);
  cairo_pattern_add_color_stop_rgb(sky, 0.85, 0.215, 0.095, 0.260);
  cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.300, 0.130, 0.230);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
}

void PaintStars(cairo_t* cr) {
  Scatter scatter{20261031u};
  for (int i = 0; i < 170; ++i) {
    const double x = scatter.Next() * ScreenWidth;
    const double y = std::pow(scatter.Next(), 1.6) * ScreenHeight * 0.8;
    const double size = 0.45 + scatter.Next() * scatter.Next() * 1.1;
    const double light = 0.35 + scatter.Next() * 0.6;
    cairo_set_source_rgba(cr, 1.0, 0.95, 0.85 + 0.15 * scatter.Next(), light * (1 - y / ScreenHeight * 0.6));
    cairo_arc(cr, x, y, size, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

void PaintMoon(cairo_t* cr) {
  cairo_pattern_t* halo = cairo_pattern_create_radial(MoonX, MoonY, MoonRadius * 0.8, MoonX, MoonY, MoonRadius * 3.2);
  cairo_pattern_add_color_stop_rgba(halo, 0, 0.95, 0.85, 0.65, 0.28);
  cairo_pattern_add_color_stop_rgba(halo, 1, 0.95, 0.85, 0.65, 0.0);
  cairo_set_source(cr, halo);
  cairo_paint(cr);
  cairo_pattern_destroy(halo);
  cairo_pattern_t* face = cairo_pattern_create_radial(MoonX - 12, MoonY - 14, 4, MoonX, MoonY, MoonRadius);
  cairo_pattern_add_color_stop_rgb(face, 0, 1.0, 0.98, 0.88);
  cairo_pattern_add_color_stop_rgb(face, 1, 0.90, 0.80, 0.58);
  cairo_set_source(cr, face);
  cairo_arc(cr, MoonX, MoonY, MoonRadius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  constexpr double craters[][3] = {{-14, 8, 8}, {10, -12, 6}, {14, 14, 5}, {-4, -20, 3.5}, {-20, -6, 4}};
  for (const auto& c : craters) {
    cairo_set_source_rgba(cr, 0.72, 0.62, 0.45, 0.35);
    cairo_arc(cr, MoonX + c[0], MoonY + c[1], c[2], 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

void PaintCloud(cairo_t* cr, double x, double y, double scale, double alpha) {
  constexpr double puffs[][3] = {{0, 0, 14}, {16, -5, 16}, {34, 0, 13}, {-16, 3, 10}, {50, 4, 9}};
  cairo_set_source_rgba(cr, 0.42, 0.30, 0.52, alpha);
  for (const auto& p : puffs) {
    cairo_save(cr);
    cairo_translate(cr, x + p[0] * scale, y + p[1] * scale * 0.5);
    cairo_scale(cr, 1.0, 0.45);
    cairo_arc(cr, 0, 0, p[2] * scale, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
  }
}

void PaintHill(cairo_t* cr, double base, double height, double phase, double r, double g, double b) {
  cairo_move_to(cr, 0, ScreenHeight);
  for (int x = 0; x <= ScreenWidth; x += 4) {
    const double y = base - height * (0.6 * std::sin(x / 97.0 + phase) + 0.4 * std::sin(x / 41.0 + phase * 2.3));
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, ScreenWidth, ScreenHeight);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_fill(cr);
}

// A crooked little house on the far hill, with two lit windows.
void PaintHouse(cairo_t* cr, double x, double ground) {
  cairo_set_source_rgb(cr, 0.075, 0.040, 0.105);
  cairo_move_to(cr, x, ground + 4);
  cairo_line_to(cr, x + 2, ground - 30);
  cairo_line_to(cr, x + 17, ground - 50);
  cairo_line_to(cr, x + 35, ground - 33);
  cairo_line_to(cr, x + 37, ground + 4);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_rectangle(cr, x + 25, ground - 50, 5, 12);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 1.0, 0.68, 0.22, 0.9);
  cairo_rectangle(cr, x + 7, ground - 24, 6, 7);
  cairo_rectangle(cr, x + 21, ground - 27, 6, 7);
  cairo_fill(cr);
}

// A castle of three towers with pointed roofs and a few lit windows.
void PaintCastle(cairo_t* cr, double x, double ground) {
  constexpr double towers[][3] = {{0, 14, 50}, {22, 18, 74}, {48, 14, 56}};  // left, width, height
  cairo_set_source_rgb(cr, 0.085, 0.045, 0.125);
  cairo_rectangle(cr, x + 6, ground - 36, 52, 40);
  for (const auto& t : towers) {
    cairo_rectangle(cr, x + t[0], ground - t[2], t[1], t[2] + 4);
    cairo_move_to(cr, x + t[0] - 3, ground - t[2]);
    cairo_line_to(cr, x + t[0] + t[1] / 2, ground - t[2] - t[1] * 1.3);
    cairo_line_to(cr, x + t[0] + t[1] + 3, ground - t[2]);
    cairo_close_path(cr);
  }
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 1.0, 0.70, 0.25, 0.8);
  for (const auto& t : towers) cairo_rectangle(cr, x + t[0] + t[1] / 2 - 2, ground - t[2] + 10, 4, 6);
  cairo_rectangle(cr, x + 14, ground - 22, 4, 5);
  cairo_fill(cr);
}

// A bare, crooked tree grown from a fixed seed: each branch splits in two until it is a twig.
void PaintBranch(cairo_t* cr, Scatter& scatter, double x, double y, double angle, double length, double width) {
  const double endX = x + std::cos(angle) * length, endY = y + std::sin(angle) * length;
  const double bend = (scatter.Next() - 0.5) * length * 0.35;
  cairo_move_to(cr, x, y);
  cairo_curve_to(cr, x + std::cos(angle) * length * 0.5 - std::sin(angle) * bend,
                 y + std::sin(angle) * length * 0.5 + std::cos(angle) * bend, endX, endY, endX, endY);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
  if (width < 1.1) return;
  for (double side : {-1.0, 1.0}) {
    const double turn = side * (0.30 + scatter.Next() * 0.45);
    PaintBranch(cr, scatter, endX, endY, angle + turn, length * (0.62 + scatter.Next() * 0.2), width * 0.66);
  }
}

void PaintTree(cairo_t* cr, double x, double ground, double height, double lean, uint32_t seed) {
  Scatter scatter{seed};
  cairo_set_source_rgb(cr, 0.045, 0.022, 0.065);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  PaintBranch(cr, scatter, x, ground, -M_PI / 2 + lean, height * 0.42, height * 0.085);
}

void PaintGraves(cairo_t* cr, double ground) {
  constexpr double stones[][3] = {{215, 12, -0.08}, {262, 16, 0.05}, {355, 11, 0.12},
                                  {420, 15, -0.04}, {505, 13, 0.07}, {588, 17, -0.1}};  // x, size, tilt
  cairo_set_source_rgb(cr, 0.045, 0.025, 0.070);
  for (const auto& st : stones) {
    cairo_save(cr);
    cairo_translate(cr, st[0], ground + 6);
    cairo_rotate(cr, st[2]);
    const double w = st[1], h = st[1] * 1.5;
    cairo_move_to(cr, -w / 2, 0);
    cairo_line_to(cr, -w / 2, -h + w / 2);
    cairo_arc(cr, 0, -h + w / 2, w / 2, M_PI, 2 * M_PI);
    cairo_line_to(cr, w / 2, 0);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

// Soft bands of mist lying over the hills.
void PaintMist(cairo_t* cr, double y, double thickness, double alpha) {
  cairo_pattern_t* mist = cairo_pattern_create_linear(0, y - thickness, 0, y + thickness);
  cairo_pattern_add_color_stop_rgba(mist, 0, 0.55, 0.42, 0.70, 0);
  cairo_pattern_add_color_stop_rgba(mist, 0.5, 0.55, 0.42, 0.70, alpha);
  cairo_pattern_add_color_stop_rgba(mist, 1, 0.55, 0.42, 0.70, 0);
  cairo_set_source(cr, mist);
  cairo_rectangle(cr, 0, y - thickness, ScreenWidth, 2 * thickness);
  cairo_fill(cr);
  cairo_pattern_destroy(mist);
}

void PaintPanel(cairo_t* cr) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, PanelRight - PanelRadius, PanelTop + PanelRadius, PanelRadius, -M_PI / 2, 0);
  cairo_arc(cr, PanelRight - PanelRadius, PanelBottom - PanelRadius, PanelRadius, 0, M_PI / 2);
  cairo_arc(cr, PanelLeft + PanelRadius, PanelBottom - PanelRadius, PanelRadius, M_PI / 2, M_PI);
  cairo_arc(cr, PanelLeft + PanelRadius, PanelTop + PanelRadius, PanelRadius, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 0.030, 0.012, 0.070, 0.55);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgba(cr, 0.50, 0.34, 0.72, 0.55);
  cairo_stroke(cr);
}

}  // namespace

void PaintBackground(Canvas& canvas) {
  cairo_t* cr = canvas.Cr();
  PaintSky(cr);
  PaintStars(cr);
  PaintMoon(cr);
  PaintCloud(cr, 300, 60, 1.5, 0.25);
  PaintCloud(cr, 520, 200, 1.3, 0.22);
  PaintHill(cr, 316, 14, 0.7, 0.150, 0.078, 0.200);
  PaintCastle(cr, 520, 312);
  PaintHouse(cr, 36, 302);
  PaintMist(cr, 318, 16, 0.22);
  PaintHill(cr, 352, 16, 2.2, 0.105, 0.055, 0.150);
  PaintTree(cr, 158, 322, 150, -0.22, 7);
  PaintCloud(cr, 62, 160, 1.2, 0.6);
  PaintHill(cr, 420, 18, 4.1, 0.062, 0.032, 0.092);
  PaintGraves(cr, 420);
  PaintMist(cr, 440, 22, 0.14);
  PaintPanel(cr);
}

}  // namespace assetgen
