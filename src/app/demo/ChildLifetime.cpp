#include "app/demo/ChildLifetime.h"

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>

namespace scriblo {

void endWithThisProcess(QProcess& child)
{
    child.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

}
