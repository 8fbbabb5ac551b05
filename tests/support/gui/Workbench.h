#pragma once

// Fixtures of the suites that drive the main window.

#include "gui/workbench/UFirst.h"
#include "tests/support/Doubles.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace rs::test {

// A fresh application-data folder, fresh doubles and the progress window.
struct FreshHome : ::testing::Test {
    TempDir home;
    DoublesScope doubles;
    void SetUp() override;
};

// The real main window and the forms it reaches, its entries handed to the dispatcher.
struct Workbench : FreshHome {
    std::unique_ptr<TFrmFirst> first;

    void SetUp() override;
    void TearDown() override;
    // Selects the entry in the operation list; Run then presses Next.
    void Choose(const std::string& entry);
    void Run(const std::string& entry);
    // Puts text into the main window's memo, as typing or pasting does.
    void Type(const QString& text);
    std::string Results();
};

}  // namespace rs::test
