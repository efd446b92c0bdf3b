#pragma once

#include "support/TemporaryFolderTest.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace scriblo::testing {

// A throw-away desktop: HOME and the XDG folders point into a fresh temporary folder,
// so nothing a test does reaches the real user's files. The previous environment comes
// back when the test ends.
class DesktopFixture : public TemporaryFolderTest {
protected:
    void SetUp() override
    {
        TemporaryFolderTest::SetUp();
        home = root / "home";
        dataHome = home / ".local/share";
        configHome = home / ".config";
        systemData = root / "usr/share";
        for (const auto& folder : { dataHome, configHome, systemData })
            std::filesystem::create_directories(folder);
        setVariable("HOME", home);
        setVariable("XDG_DATA_HOME", dataHome);
        setVariable("XDG_CONFIG_HOME", configHome);
        setVariable("XDG_CACHE_HOME", home / ".cache");
        setVariable("XDG_DATA_DIRS", systemData);
        // GIO reads the current desktop once per process, so every test names the same one.
        setVariable("XDG_CURRENT_DESKTOP", "Scriblo");
    }

    void TearDown() override
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        TemporaryFolderTest::TearDown();
    }

public:
    static void writeFile(const std::filesystem::path& path, const std::string& text, bool executable = false)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        chmod(path.c_str(), executable ? 0755 : 0644);
    }

    static std::string readFile(const std::filesystem::path& path)
    {
        std::ifstream stream(path);
        std::stringstream text;
        text << stream.rdbuf();
        return text.str();
    }

    // Real programs end on their own schedule; a line they write is awaited, within reason.
    static std::optional<std::string> awaitFile(const std::filesystem::path& path)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            auto text = readFile(path);
            if (text.find('\n') != std::string::npos)
                return text;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::nullopt;
    }

    // A desktop entry in `dataFolder`/applications; `extra` holds further key lines.
    static void writeDesktopEntry(const std::filesystem::path& dataFolder, const std::string& relativePath, const std::string& name, const std::string& extra = "")
    {
        writeFile(dataFolder / "applications" / relativePath,
            "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=/bin/true\n" + extra);
    }

protected:
    const std::filesystem::path& root = m_folder;
    std::filesystem::path home, dataHome, configHome, systemData;

private:
    void setVariable(const std::string& name, const std::filesystem::path& value)
    {
        if (!m_saved.count(name)) {
            const char* old = std::getenv(name.c_str());
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setenv(name.c_str(), value.c_str(), 1);
    }

    std::map<std::string, std::optional<std::string>> m_saved;
};

}
