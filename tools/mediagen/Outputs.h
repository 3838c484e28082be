// Outputs: the table of every file the generator writes, by its name under
// the data directory, with the function that makes it.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct TOutput {
  std::string Name;                              // relative, "/" separated
  bool Slow;                                     // made on its own thread
  std::function<void(const std::string& path)> Make;
};

const std::vector<TOutput>& Outputs();
