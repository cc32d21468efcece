// How the WebAssembly modules hand texts to the page: the text stays valid
// until the next call that returns one.
#pragma once

#include <string>
#include <utility>

inline const char* Returned(std::string text) {
  static std::string returned;
  returned = std::move(text);
  return returned.c_str();
}
