#pragma once
// Sets a flag for the lifetime of the guard and gives it back its old value on every way
// out, so that a handler that throws cannot leave the flag set.

namespace platform {

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag, bool value = true) : flag_(flag), saved_(flag) { flag_ = value; }
    ~ScopedFlag() { flag_ = saved_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace platform
