// In-process tests: for the length of a scope the program's texts show in English or Japanese,
// as the program's start chooses them; afterwards Japanese again, the language the test
// programs start in.
#pragma once

#include <gtest/gtest.h>

#include "qtcore/language.h"

class TShownLanguage {
 public:
  explicit TShownLanguage(bool japanese) {
    if (!platform::UseLanguage(japanese) && !japanese) ADD_FAILURE() << "melodeck_en.qm is built beside the tests";
  }
  ~TShownLanguage() { platform::UseLanguage(true); }
  TShownLanguage(const TShownLanguage &) = delete;
  TShownLanguage &operator=(const TShownLanguage &) = delete;
};
