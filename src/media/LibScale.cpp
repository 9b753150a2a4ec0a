#include "media/LibScale.h"

#include <algorithm>

namespace {

int WholeFit(TSize picture, TSize area) { return std::max(1, std::min(area.W / picture.W, area.H / picture.H)); }

}  // namespace

TPicturePlace FitPicture(TSize picture, TSize area) {
  const int scale = WholeFit(picture, area);
  return {scale, {std::max(0, (area.W - picture.W * scale) / 2), std::max(0, (area.H - picture.H * scale) / 2)}};
}

int WindowScale(TSize picture, TSize display) { return WholeFit(picture, {display.W * 2 / 3, display.H * 2 / 3}); }

TPoint PicturePoint(const TPicturePlace& place, TSize picture, TPoint point) {
  return {std::clamp((point.X - place.Corner.X) / place.Scale, 0, picture.W - 1),
          std::clamp((point.Y - place.Corner.Y) / place.Scale, 0, picture.H - 1)};
}
