#pragma once
// The credits page.

#include "screens/PageModule.h"

class TCreditsModule : public TPageModule {
 public:
  explicit TCreditsModule(TGame& game);
};
