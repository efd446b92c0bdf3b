#pragma once

#include "multitouch/MultitouchEvent.h"

#include <QObject>

#include <cstring>
#include <functional>
#include <string>
#include <typeinfo>

namespace scriblo {

// A one-argument member function of a listener's target, comparable with another so
// that a target can replace or remove the listener it registered for it.
class MultitouchCallback {
public:
    template <class Target>
    MultitouchCallback(void (Target::*method)(const MultitouchEventPointer&))
        : m_invoke([method](QObject* target, const MultitouchEventPointer& event) {
            (static_cast<Target*>(target)->*method)(event);
        })
        , m_key(typeid(Target).name())
    {
        static_assert(std::is_base_of_v<QObject, Target>);
        char bytes[sizeof method];
        std::memcpy(bytes, &method, sizeof method);
        m_key.append(bytes, sizeof bytes);
    }

    void invoke(QObject* target, const MultitouchEventPointer& event) const { m_invoke(target, event); }
    bool operator==(const MultitouchCallback& other) const { return m_key == other.m_key; }

private:
    std::function<void(QObject*, const MultitouchEventPointer&)> m_invoke;
    std::string m_key;
};

}
