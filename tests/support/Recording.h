#pragma once
// A controller that only records what modules report, for testing one screen on its own.

#include "shell/LibGame.h"

#include <string>
#include <vector>

class RecordingGame : public TGame {
 public:
  void Start() override {}
  void RequestQuit(int code) override { Reports.push_back("quit " + std::to_string(code)); }
  void ModuleFinished(TModule*) override { Reports.push_back("finished"); }
  void ModuleChoice(TModule*, int code) override { Reports.push_back("choice " + std::to_string(code)); }

  std::vector<std::string> Reports;
};
