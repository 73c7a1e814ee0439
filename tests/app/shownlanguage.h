// In-process tests: for the length of a scope the program's texts show in English or Japanese,
// as the program's start chooses them; afterwards Japanese again, the language the test
// programs start in.
#pragma once

#include "qtcore/language.h"

class TShownLanguage {
 public:
  explicit TShownLanguage(bool japanese) { platform::UseLanguage(japanese); }
  ~TShownLanguage() { platform::UseLanguage(true); }
  TShownLanguage(const TShownLanguage &) = delete;
  TShownLanguage &operator=(const TShownLanguage &) = delete;
};
