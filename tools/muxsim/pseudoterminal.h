#pragma once

#include <string>

namespace muxsim {

// A pseudo-terminal in raw mode whose slave is reachable through a symbolic link.
// Holds a slave descriptor of its own so that the master sees no hang-up while
// the program has the port closed (it closes and reopens it while scanning).
class PseudoTerminal {
public:
    // Throws std::runtime_error with a message for the user.
    explicit PseudoTerminal(std::string linkPath);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    int masterFd() const { return m_master; }
    const std::string &slavePath() const { return m_slavePath; }
    const std::string &linkPath() const { return m_linkPath; }
    bool isOpen() const { return m_master >= 0; }

    // Bytes sent to the program that it has not read yet.
    int unreadBytes() const;

    // Readable when a program opened or closed its end of the line (-1 when
    // that cannot be seen).
    int openingsFd() const { return m_openings; }
    // Takes the opens and closes seen. A program that ended without giving
    // back its exclusive use of the line (killed, say) leaves it on for as
    // long as our own end stays open, and every later open but root's would
    // be refused: taken back once no program has the line open.
    void takeOpenings();

    // Both ends closed and the link removed: the device is gone for the program.
    void close();

private:
    void makeLink();
    void removeLink();
    void watchOpenings();

    std::string m_linkPath;
    std::string m_slavePath;
    int m_master = -1;
    int m_slave = -1;
    int m_openings = -1;
    int m_openers = 0; // programs' descriptors, ours not counted
};

} // namespace muxsim
