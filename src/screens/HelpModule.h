#pragma once
// The how-to-play page.

#include "screens/PageModule.h"

class THelpModule : public TPageModule {
 public:
  explicit THelpModule(TGame& game);
};
