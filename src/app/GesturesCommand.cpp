#include "app/GesturesCommand.h"

namespace scriblo {

const char GesturesCommand::usage[] =
    "  gestures list|import FILE|export|recognize [FILE...]|delete IDENTITY [--store FILE]\n";

int GesturesCommand::run(CommandLine& commandLine)
{
    throw UsageError("unknown gestures command '" + commandLine.required("a gestures command") + "'");
}

}
