// Base of the tests that write files: a fresh empty folder below the system's
// temporary folder, removed with all it holds when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/run_program.h"

class TempFolderTest : public testing::Test {
protected:
    const std::string folder = makeTempFolder();
    ~TempFolderTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};
