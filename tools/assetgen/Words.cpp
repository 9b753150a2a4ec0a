#include "Words.h"

#include "game/GameLayout.h"
#include "media/PageSprites.h"
#include "screens/MenuLayout.h"

#include <cmath>

namespace assetgen {

namespace {

constexpr Colour Ink{0.10, 0.03, 0.13};
constexpr Colour PurpleGlow{0.45, 0.20, 0.70, 0.55};

Lettering Display(double size, Colour top, Colour bottom) {
  return {FontFace(BOGLINGS_DISPLAY_FONT), size, top, bottom, Ink, size / 7, PurpleGlow, size / 3};
}

const Lettering TitleBig = Display(76, {1.00, 0.84, 0.35}, {0.94, 0.42, 0.06});
const Lettering TitleSmall = Display(36, {0.97, 0.92, 1.00}, {0.74, 0.62, 0.95});
const Lettering MenuWords = Display(30, {1.00, 0.95, 0.86}, {0.78, 0.66, 0.98});

// Draws one line of lettering into a canvas of its own size and flattens it over the screen
// at the place where it is drawn centred on (cx, cy).
Picture CentredWords(const std::string& name, const Lettering& style, const std::string& text, int cx, int cy,
                     const BackdropAt& screen) {
  Canvas probe(1, 1);
  double w = 0, h = 0;
  MeasureLettering(probe.Cr(), style, text, w, h);
  Canvas canvas(static_cast<int>(std::ceil(w)), static_cast<int>(std::ceil(h)));
  DrawLettering(canvas.Cr(), style, text, 0, 0);
  return Flatten(name, canvas.Surface(), screen(cx - canvas.Width() / 2, cy - canvas.Height() / 2));
}

}  // namespace

Picture MakeTitle(const std::filesystem::path& bat, const BackdropAt& screen) {
  Canvas probe(1, 1);
  double bigW = 0, bigH = 0, smallW = 0, smallH = 0;
  MeasureLettering(probe.Cr(), TitleBig, "Boglings", bigW, bigH);
  MeasureLettering(probe.Cr(), TitleSmall, "and Skitters", smallW, smallH);
  constexpr double Overlap = 25;  // the second line tucks under the first's descenders
  constexpr double Indent = 40;   // and sits a little to the right, under "lings"
  const double smallX = (bigW - smallW) / 2 + Indent;
  constexpr double BatW = 64, BatH = 35, BatX = -14;  // flutters off the end of "Boglings"
  const int width = static_cast<int>(std::ceil(std::max(bigW + BatX + BatW, smallX + smallW)));
  const int height = static_cast<int>(std::ceil(bigH + smallH - Overlap));
  Canvas canvas(width, height);
  cairo_t* cr = canvas.Cr();
  cairo_save(cr);
  cairo_translate(cr, bigW + BatX + BatW / 2, BatH / 2 + 7);
  cairo_rotate(cr, 0.12);
  DrawSvg(cr, bat, -BatW / 2, -BatH / 2, BatW, BatH);
  cairo_restore(cr);
  DrawLettering(cr, TitleSmall, "and Skitters", smallX, bigH - Overlap);
  DrawLettering(cr, TitleBig, "Boglings", 0, 0);
  return Flatten("title", canvas.Surface(), screen(MenuTitleX - width / 2, MenuTitleY - height / 2));
}

Picture MakeMenuEntry(const std::string& name, const std::string& words, int index, const BackdropAt& screen) {
  return CentredWords(name, MenuWords, words, EntryCentreX, FirstEntryCentreY + EntryPitch * index, screen);
}

Picture MakeBack(const BackdropAt& screen) {
  const Lettering style = Display(26, {1.00, 0.84, 0.35}, {0.94, 0.42, 0.06});
  Canvas probe(1, 1);
  double w = 0, h = 0;
  MeasureLettering(probe.Cr(), style, "Back", w, h);
  constexpr int Arrow = 22;
  Canvas canvas(static_cast<int>(std::ceil(w)) + Arrow, static_cast<int>(std::ceil(h)));
  cairo_t* cr = canvas.Cr();
  const double mid = canvas.Height() / 2.0 + 2;
  cairo_move_to(cr, 3, mid);
  cairo_line_to(cr, Arrow - 1, mid - 9);
  cairo_line_to(cr, Arrow - 1, mid + 9);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, Ink);
  cairo_set_line_width(cr, 4);
  cairo_stroke_preserve(cr);
  SetColour(cr, {0.97, 0.62, 0.16});
  cairo_fill(cr);
  DrawLettering(cr, style, "Back", Arrow - 2, 0);
  return Flatten("back", canvas.Surface(), screen(BackX, BackY));
}

Picture MakeMakerLogo(const std::filesystem::path& emblem) {
  constexpr int Width = 300, EmblemSize = 124;
  const Lettering name{
      FontFace(BOGLINGS_DISPLAY_FONT), 40, {1.0, 0.90, 0.62}, {0.96, 0.62, 0.20}, Ink, 4, {0, 0, 0, 0}, 0};
  const Lettering studio{
      FontFace(BOGLINGS_PLAIN_FONT), 17, {0.80, 0.72, 0.95}, {0.64, 0.54, 0.86}, Ink, 2, {0, 0, 0, 0}, 0};
  Canvas probe(1, 1);
  double nameW = 0, nameH = 0, studioW = 0, studioH = 0;
  MeasureLettering(probe.Cr(), name, "Lantern Moth", nameW, nameH);
  MeasureLettering(probe.Cr(), studio, "S T U D I O", studioW, studioH);
  Canvas canvas(Width, static_cast<int>(std::ceil(EmblemSize + nameH + studioH + 4)));
  cairo_t* cr = canvas.Cr();
  DrawSvg(cr, emblem, (Width - EmblemSize) / 2.0, 0, EmblemSize, EmblemSize);
  DrawLettering(cr, name, "Lantern Moth", (Width - nameW) / 2, EmblemSize);
  DrawLettering(cr, studio, "S T U D I O", (Width - studioW) / 2, EmblemSize + nameH + 2);
  // Shown on black only, so even the faintest glow can stay, blended into black.
  return Flatten("makerlogo", canvas.Surface(), SolidBackdrop({0, 0, 0}), 1);
}

Picture MakePausedPanel(const std::filesystem::path& ghost, const BackdropAt& screen) {
  constexpr double Size = PausedPanelSize, Inset = 3, Corner = 28, GhostSize = 120;
  Canvas canvas(PausedPanelSize, PausedPanelSize);
  cairo_t* cr = canvas.Cr();
  constexpr double Near = Inset, Far = Size - Inset;
  cairo_new_sub_path(cr);
  cairo_arc(cr, Far - Corner, Near + Corner, Corner, -M_PI / 2, 0);
  cairo_arc(cr, Far - Corner, Far - Corner, Corner, 0, M_PI / 2);
  cairo_arc(cr, Near + Corner, Far - Corner, Corner, M_PI / 2, M_PI);
  cairo_arc(cr, Near + Corner, Near + Corner, Corner, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
  cairo_pattern_t* night = cairo_pattern_create_linear(0, 0, 0, Size);
  cairo_pattern_add_color_stop_rgb(night, 0, 0.20, 0.09, 0.33);
  cairo_pattern_add_color_stop_rgb(night, 1, 0.07, 0.03, 0.13);
  cairo_set_source(cr, night);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(night);
  SetColour(cr, {0.97, 0.62, 0.16});
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  DrawSvg(cr, ghost, (Size - GhostSize) / 2, Size / 2 - GhostSize - 10, GhostSize, GhostSize);
  const Lettering style = Display(64, {1.00, 0.84, 0.35}, {0.94, 0.42, 0.06});
  double w = 0, h = 0;
  MeasureLettering(cr, style, "paused", w, h);
  DrawLettering(cr, style, "paused", (Size - w) / 2, Size / 2);
  return Flatten("paused", canvas.Surface(), screen(PausedPanelX, PausedPanelY));
}

}  // namespace assetgen
