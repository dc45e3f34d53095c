#pragma once
// Sets a flag for the lifetime of the guard and restores it on every way out, so that a
// handler that throws cannot leave the flag set.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = saved_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool saved_;
};
