#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace scriblo::testing {

// A fixture with a fresh folder of its own under /tmp, removed with all it holds when
// the test ends, so no test sees another's files.
class TemporaryFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/scriblo-test-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        ASSERT_TRUE(made) << "cannot make a temporary folder in /tmp";
        m_folder = made;
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::filesystem::path m_folder;
};

}
