#include "app/commands/InstallCommand.h"

#include "app/commands/PreferencesStore.h"
#include "install/MoveAlert.h"
#include "install/MoveToApplicationsFolder.h"

#include <QApplication>
#include <iostream>

namespace scriblo {

const char InstallCommand::usage[] = "";

namespace {

// Gives the same answer to every offer; a failure is written where the test can read it.
class AnsweringAlert final : public MoveAlert {
public:
    explicit AnsweringAlert(MoveAnswer answer) : m_answer(answer) { }

    MoveAnswer offer(const MoveOffer& offer) override
    {
        std::cout << "offer: " << offer.message << "\n";
        return m_answer;
    }
    void showFailure() override { std::cout << "failure: Could not move to Applications folder\n"; }

private:
    MoveAnswer m_answer;
};

MoveAnswer parsedAnswer(const std::string& word)
{
    if (word == "move")
        return { true, false };
    if (word == "stay")
        return { false, false };
    if (word == "stay-for-good")
        return { false, true };
    throw UsageError("--answer takes move, stay or stay-for-good");
}

// The outcome goes to standard output; the command itself succeeded either way.
int reported(MoveOutcome outcome)
{
    std::cout << (outcome == MoveOutcome::Quit ? "quit\n" : "continue\n");
    return 0;
}

}

int InstallCommand::run(CommandLine& commandLine, const CommandServices&)
{
    auto action = commandLine.required("an install command (move-check)");
    if (action != "move-check")
        throw UsageError("unknown install command '" + action + "'");
    auto storePath = commandLine.takeOption("--store");
    auto answer = commandLine.takeOption("--answer");
    commandLine.expectEnd();
    auto defaults = PreferencesStore::open(storePath, PropertyListUserDefaults::Access::ReadWrite);
    if (answer) {
        AnsweringAlert alert(parsedAnswer(*answer));
        return reported(MoveToApplicationsFolder::run(*defaults, alert));
    }
    int argc = 1;
    char name[] = "scriblo";
    char* argv[] = { name, nullptr };
    QApplication application(argc, argv);
    return reported(MoveToApplicationsFolder::run(*defaults));
}

}
