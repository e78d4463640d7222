// The run-time error number an action raises, 0 when it raises none.
#pragma once
#include <functional>

#include "base/RunError.h"

namespace testing_support {

inline int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const base::RunError& error) {
        return error.number;
    }
    return 0;
}

}  // namespace testing_support
