#pragma once

#include "core/UserDefaultsValue.h"

#include <cstdint>
#include <optional>

namespace scriblo {

// A 64-bit digest of a stored value, to tell whether another process has saved it since
// it was read or written: a copy of a full archive would hold 90 MiB for the purpose.
class StoredValueDigest {
public:
    // Four words at a time in four independent lanes, so the multiplications overlap: a
    // full archive's 90 MiB take some 35 ms.
    static uint64_t of(const UserDefaultsValue& value);
    static std::optional<uint64_t> of(const std::optional<UserDefaultsValue>& value);
};

}
