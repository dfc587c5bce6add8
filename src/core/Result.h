// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

namespace tiklo {

// What a platform operation that can fail answers: success, or a failure with the system's
// status code (0 when it gives none) and a description for the log. Descriptions name what
// failed and why; they never carry what the user typed or stored.
class Result {
public:
    static Result success() { return Result(); }
    static Result failure(int status, std::string description) {
        Result result;
        result.failed_ = true;
        result.status_ = status;
        result.description_ = std::move(description);
        return result;
    }
    static Result failure(std::string description) { return failure(0, std::move(description)); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    int status() const { return status_; }
    const std::string& description() const { return description_; }

private:
    Result() = default;

    bool failed_ = false;
    int status_ = 0;
    std::string description_;
};

} // namespace tiklo
