#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace scriblo::testing {

// A throw-away desktop: HOME and the XDG folders point into a fresh temporary folder,
// so nothing a test does reaches the real user's files. The previous environment comes
// back when the test ends.
class DesktopFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/scriblo-launch-XXXXXX";
        root = mkdtemp(pattern);
        home = root / "home";
        dataHome = home / ".local/share";
        configHome = home / ".config";
        systemData = root / "usr/share";
        std::filesystem::create_directories(dataHome);
        std::filesystem::create_directories(configHome);
        std::filesystem::create_directories(systemData);
        setVariable("HOME", home);
        setVariable("XDG_DATA_HOME", dataHome);
        setVariable("XDG_CONFIG_HOME", configHome);
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
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

public:
    static void writeFile(const std::filesystem::path& path, const std::string& text, bool executable = false)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        chmod(path.c_str(), executable ? 0755 : 0644);
    }

    // A desktop entry in `dataFolder`/applications; `extra` holds further key lines.
    static void writeDesktopEntry(const std::filesystem::path& dataFolder, const std::string& relativePath, const std::string& name, const std::string& extra = "")
    {
        writeFile(dataFolder / "applications" / relativePath,
            "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=/bin/true\n" + extra);
    }

protected:
    std::filesystem::path root, home, dataHome, configHome, systemData;

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
