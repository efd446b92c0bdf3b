#include "app/commands/TouchCommand.h"

#include "multitouch/MultitouchManager.h"
#include "multitouch/ReplayTouchpad.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <iostream>

namespace scriblo {

const char TouchCommand::usage[] =
    "  touch devices|monitor|replay FILE...   (SCRIBLO_TOUCHPAD_REPLAY=FILE[:FILE...] plays recordings as touchpads)\n";

namespace {

int printDevices()
{
    auto devices = MTDeviceCreateListIncludingUnreadable();
    if (devices.empty())
        std::cerr << "No touchpad found.\n";
    for (const auto& device : devices) {
        TouchpadDescription description = device->description();
        std::cout << device->path() << "\t" << description.name << "\t" << description.busName() << "\t"
                  << (description.isBuiltIn() ? "built in" : "external") << "\t";
        if (description.axes.empty())
            std::cout << "? slots";
        else
            std::cout << description.slotCount() << " slots";
        std::cout << "\t" << (device->isReadable() ? "readable" : "not readable") << "\n";
    }
    return 0;
}

int printFrame(MTDevice* device, const MTTouch* touches, int32_t count, double timestamp, int32_t frame, void*)
{
    auto event = MultitouchEvent::fromRecords(device->identifier(), touches, count, timestamp, frame);
    std::cout << event->description() << "\n";
    return 0;
}

int replay(const std::vector<std::string>& files)
{
    if (files.empty())
        throw UsageError("touch replay needs at least one recording");
    auto recordings = EvemuRecording::loadAll(files);
    if (!recordings)
        throw InputError(recordings.error());
    int played = 0;
    for (auto& recording : recordings.value()) {
        if (!recording.description->isTouchpad()) {
            std::cerr << "scriblo: " << recording.source << ": not a touchpad (a touchscreen, tablet or mouse), skipped\n";
            continue;
        }
        ReplayTouchpad device(std::make_shared<const EvemuRecording>(std::move(recording)),
                              ReplayTouchpad::Pace::AsFastAsPossible);
        device.registerContactFrameCallback(printFrame, nullptr);
        device.playNow();
        ++played;
    }
    if (played == 0)
        throw InputError("no touchpad recording among the files");
    return 0;
}

class FramePrinter : public QObject {
public:
    void printFrame(const MultitouchEventPointer& event) { std::cout << event->description() << std::endl; }
};

int interruptPipe[2] = { -1, -1 };

void noteInterrupt(int)
{
    char byte = 1;
    [[maybe_unused]] auto written = write(interruptPipe[1], &byte, 1);
}

int monitor(const CommandServices& services)
{
    static int argc = 1;
    static char name[] = "scriblo";
    static char* argv[] = { name, nullptr };
    QCoreApplication application(argc, argv);
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, interruptPipe) != 0)
        throw InputError("cannot set up the interrupt handler");
    QSocketNotifier interrupted(interruptPipe[0], QSocketNotifier::Read);
    QObject::connect(&interrupted, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    std::signal(SIGINT, noteInterrupt);
    std::signal(SIGTERM, noteInterrupt);

    MultitouchManager& manager = services.multitouch();
    if (MTDeviceCreateList().empty())
        std::cerr << "No readable touchpad yet; waiting for one (Ctrl-C to stop).\n";
    FramePrinter printer;
    manager.addMultitouchListener(&printer, &FramePrinter::printFrame);
    int status = application.exec();
    manager.stopForwardingMultitouchEventsToListeners();
    manager.removeMultitouchListeners(&printer);
    return status;
}

}

int TouchCommand::run(CommandLine& commandLine, const CommandServices& services)
{
    std::string command = commandLine.required("a touch command (devices, monitor or replay)");
    if (command == "devices") {
        commandLine.expectEnd();
        return printDevices();
    }
    if (command == "monitor") {
        commandLine.expectEnd();
        return monitor(services);
    }
    if (command == "replay")
        return replay(commandLine.rest());
    throw UsageError("unknown touch command '" + command + "'");
}

}
