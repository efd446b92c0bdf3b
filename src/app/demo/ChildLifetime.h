#pragma once

class QProcess;

namespace scriblo {

// Makes a child about to be started end when this process ends, however it ends (a
// crash or SIGKILL included), so a private server never outlives its owner.
void endWithThisProcess(QProcess& child);

}
