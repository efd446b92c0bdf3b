#pragma once

#include "install/MoveAlert.h"
#include "install/MoveServices.h"

#include <set>
#include <string>
#include <vector>

namespace scriblo::testing {

// Writes down every service call in one log, so a test can check both what happened and
// in which order; the answers come from the fields.
class FakeMoveServices final : public MoveServices {
public:
    std::set<std::filesystem::path> readOnly;
    std::set<std::filesystem::path> running;
    std::optional<std::string> imageDevice;
    AuthorizedCopy authorization { AuthorizedCopy::Copied };
    std::vector<std::string> calls;
    std::vector<std::string> logLines;

    bool isWritable(const std::filesystem::path& path) override { return !readOnly.contains(path); }
    std::optional<std::string> diskImageDevice(const std::filesystem::path&) override { return imageDevice; }
    bool trash(const std::filesystem::path& path) override
    {
        calls.push_back("trash " + path.string());
        std::filesystem::remove_all(path);
        return true;
    }
    AuthorizedCopy copyWithAuthorization(const std::filesystem::path& source, const std::filesystem::path& destination) override
    {
        calls.push_back("authorized copy " + source.string() + " -> " + destination.string());
        return authorization;
    }
    bool isRunning(const std::filesystem::path& destination) override
    {
        calls.push_back("running check");
        return running.contains(destination);
    }
    void open(const std::filesystem::path& destination) override { calls.push_back("open " + destination.string()); }
    void relaunchAfterExit(const std::filesystem::path& destination) override { calls.push_back("relaunch " + destination.string()); }
    void detachLater(const std::string& device) override { calls.push_back("detach " + device); }
    void log(const std::string& line) override { logLines.push_back(line); }
};

class FakeMoveAlert final : public MoveAlert {
public:
    MoveAnswer answer { true, false };
    std::vector<std::string> shown;

    MoveAnswer offer(const MoveOffer& offer) override
    {
        std::string text = offer.message;
        for (const char* sentence : offer.informative)
            text += std::string(" | ") + sentence;
        shown.push_back(text);
        return answer;
    }
    void showFailure() override { shown.push_back("failure"); }
};

}
