#include "media/LibMessageBox.h"

#include "media/LibPresent.h"
#include "media/SdlRect.h"

#include "media/SdlCalls.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int CharWidth = 8;  // SDL_gfx's built-in font is 8 by 8
constexpr int LineHeight = 12;
constexpr int Padding = 16;
constexpr int TitleHeight = 22;
constexpr int MinWidth = 320;
constexpr int MaxChars = (ScreenWidth - 2 * Padding - 40) / CharWidth;
constexpr int ButtonWidth = 64;
constexpr int ButtonHeight = 24;

// The text in lines that fit the box: at its own line breaks, then at spaces where too long.
std::vector<std::string> WrapLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string rest = text.substr(start, end - start);
    while (static_cast<int>(rest.size()) > MaxChars) {
      size_t cut = rest.rfind(' ', MaxChars);
      if (cut == std::string::npos || cut == 0) cut = MaxChars;
      lines.push_back(rest.substr(0, cut));
      rest.erase(0, rest[cut] == ' ' ? cut + 1 : cut);
    }
    lines.push_back(rest);
    start = end + 1;
  }
  return lines;
}

void Box(const SDL_Rect& r, Uint8 red, Uint8 green, Uint8 blue) {
  boxRGBA(Screen, r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, red, green, blue, 255);
}

void Frame(const SDL_Rect& r, Uint8 red, Uint8 green, Uint8 blue) {
  rectangleRGBA(Screen, r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, red, green, blue, 255);
}

struct TLayout {
  std::vector<std::string> Lines;
  int Width, Height;
};

// The box's lines and size: as wide as its longest line needs, at least MinWidth.
TLayout Lay(const std::string& title, const std::string& text) {
  TLayout layout{WrapLines(text), 0, 0};
  size_t longest = title.size();
  for (const std::string& line : layout.Lines) longest = std::max(longest, line.size());
  layout.Width = std::max(MinWidth, static_cast<int>(longest) * CharWidth + 2 * Padding);
  layout.Height =
      TitleHeight + Padding + static_cast<int>(layout.Lines.size()) * LineHeight + Padding + ButtonHeight + Padding;
  return layout;
}

}  // namespace

TSize MessageBoxSize(const std::string& title, const std::string& text) {
  const TLayout layout = Lay(title, text);
  return {layout.Width, layout.Height};
}

SDL_Rect DrawMessageBox(const std::string& title, const std::string& text) {
  const TLayout layout = Lay(title, text);
  const SDL_Rect box =
      MakeRect((Screen->w - layout.Width) / 2, (Screen->h - layout.Height) / 2, layout.Width, layout.Height);

  Box(box, 230, 228, 222);
  Box(MakeRect(box.x, box.y, box.w, TitleHeight), 60, 40, 90);
  Frame(box, 20, 20, 20);
  stringRGBA(Screen, box.x + Padding / 2, box.y + (TitleHeight - CharWidth) / 2, title.c_str(), 255, 255, 255, 255);
  int y = box.y + TitleHeight + Padding;
  for (const std::string& line : layout.Lines) {
    stringRGBA(Screen, box.x + Padding, y, line.c_str(), 0, 0, 0, 255);
    y += LineHeight;
  }
  const SDL_Rect ok = MakeRect(box.x + (box.w - ButtonWidth) / 2, y + Padding, ButtonWidth, ButtonHeight);
  Box(ok, 200, 198, 192);
  Frame(ok, 20, 20, 20);
  stringRGBA(Screen, ok.x + (ButtonWidth - 2 * CharWidth) / 2, ok.y + (ButtonHeight - CharWidth) / 2, "OK", 0, 0, 0,
             255);
  return ok;
}
