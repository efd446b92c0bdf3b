#pragma once

#include "platform/Notifier.h"

#include <QString>

#include <vector>

namespace scriblo::testing {

// Keeps each notice as "summary: body", for a test to read what the user was told.
class RecordingNotifier final : public Notifier {
public:
    void notify(const QString& summary, const QString& body) override { notices.push_back(summary + ": " + body); }
    std::vector<QString> notices;
};

}
