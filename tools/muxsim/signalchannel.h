#pragma once

#include <initializer_list>
#include <vector>

namespace muxsim {

// Delivers the given signals through a descriptor, so the poll loop waits for
// them like for bytes, with no handler running at a random point.
class SignalChannel {
public:
    // Throws std::runtime_error when the signals cannot be redirected.
    explicit SignalChannel(std::initializer_list<int> signals);
    ~SignalChannel();
    SignalChannel(const SignalChannel &) = delete;
    SignalChannel &operator=(const SignalChannel &) = delete;

    int fd() const { return m_fd; }

    // The signals that arrived, in order; never blocks.
    std::vector<int> take();

private:
    int m_fd = -1;
};

} // namespace muxsim
