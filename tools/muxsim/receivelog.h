#pragma once

#include <string>
#include <string_view>

namespace muxsim {

// Appends every byte received from the program to a file as it arrives, so a
// test can assert the exact bytes on the wire. Without a path it records nothing.
class ReceiveLog {
public:
    // Throws std::runtime_error when the file cannot be opened.
    explicit ReceiveLog(const std::string &path);
    ~ReceiveLog();
    ReceiveLog(const ReceiveLog &) = delete;
    ReceiveLog &operator=(const ReceiveLog &) = delete;

    void append(std::string_view bytes);

private:
    std::string m_path;
    int m_fd = -1;
    bool m_failed = false;
};

} // namespace muxsim
