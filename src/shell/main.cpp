#include "shell/BoglingsAndSkitters.h"

int main() { return RunProgram(); }
