#pragma once

#include <QString>

namespace scriblo {

// Tells the user of something that happened with no window of ours there to say it,
// such as a gesture removed because its target is gone.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void notify(const QString& summary, const QString& body) = 0;
};

}
