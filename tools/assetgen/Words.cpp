#include "Words.h"

#include <cmath>

namespace {

constexpr Colour Ink{0.10, 0.03, 0.13};
constexpr Colour PurpleGlow{0.45, 0.20, 0.70, 0.55};
constexpr int MenuX = 400, MenuFirstY = 175, MenuPitch = 50;
constexpr int TitleMenuX = 400, TitleMenuY = 80;
constexpr int BackX = 540, BackY = 400;

Lettering Display(double size, Colour top, Colour bottom) {
  return {FontFace(BOGLINGS_DISPLAY_FONT), size, top, bottom, Ink, size / 7, PurpleGlow, size / 3};
}

const Lettering TitleBig = Display(64, {1.00, 0.84, 0.35}, {0.94, 0.42, 0.06});
const Lettering TitleSmall = Display(34, {0.97, 0.92, 1.00}, {0.74, 0.62, 0.95});
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

Picture MakeTitle(const BackdropAt& screen) {
  Canvas probe(1, 1);
  double bigW = 0, bigH = 0, smallW = 0, smallH = 0;
  MeasureLettering(probe.Cr(), TitleBig, "Boglings", bigW, bigH);
  MeasureLettering(probe.Cr(), TitleSmall, "and Skitters", smallW, smallH);
  constexpr double Overlap = 14;  // the second line tucks under the first's descenders
  const int width = static_cast<int>(std::ceil(std::max(bigW, smallW)));
  const int height = static_cast<int>(std::ceil(bigH + smallH - Overlap));
  Canvas canvas(width, height);
  DrawLettering(canvas.Cr(), TitleSmall, "and Skitters", (width - smallW) / 2 + 30, bigH - Overlap);
  DrawLettering(canvas.Cr(), TitleBig, "Boglings", (width - bigW) / 2, 0);
  return Flatten("title", canvas.Surface(), screen(TitleMenuX - width / 2, TitleMenuY - height / 2));
}

Picture MakeMenuEntry(const std::string& name, const std::string& words, int index, const BackdropAt& screen) {
  return CentredWords(name, MenuWords, words, MenuX, MenuFirstY + MenuPitch * index, screen);
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
  constexpr int Width = 300, Height = 210, EmblemSize = 120;
  Canvas canvas(Width, Height);
  cairo_t* cr = canvas.Cr();
  DrawSvg(cr, emblem, (Width - EmblemSize) / 2.0, 0, EmblemSize, EmblemSize);
  const Lettering name{FontFace(BOGLINGS_DISPLAY_FONT), 38, {1.0, 0.90, 0.62}, {0.96, 0.62, 0.20}, Ink, 4, {0, 0, 0, 0}, 0};
  const Lettering studio{FontFace(BOGLINGS_PLAIN_FONT), 17, {0.80, 0.72, 0.95}, {0.64, 0.54, 0.86}, Ink, 2, {0, 0, 0, 0}, 0};
  double w = 0, h = 0;
  MeasureLettering(cr, name, "Lantern Moth", w, h);
  DrawLettering(cr, name, "Lantern Moth", (Width - w) / 2, EmblemSize + 2);
  const double nameBottom = EmblemSize + 2 + h;
  MeasureLettering(cr, studio, "S T U D I O", w, h);
  DrawLettering(cr, studio, "S T U D I O", (Width - w) / 2, nameBottom + 2);
  return Flatten("makerlogo", canvas.Surface(), SolidBackdrop({0, 0, 0}));
}
