// The core's texts in either language: a fixture that runs with a QCoreApplication (the
// translations need one) and puts Japanese back after each test.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "qtcore/language.h"

class CoreLanguage : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "corelanguage_tests";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
  }
  void TearDown() override { platform::UseLanguage(true); }
};
