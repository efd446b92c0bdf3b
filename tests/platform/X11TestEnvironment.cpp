#include "X11TestEnvironment.h"

namespace {

[[maybe_unused]] auto* registered = [] {
    scriblo::testing::X11TestEnvironment::instance = new scriblo::testing::X11TestEnvironment;
    return ::testing::AddGlobalTestEnvironment(scriblo::testing::X11TestEnvironment::instance);
}();

}
