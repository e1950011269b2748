#pragma once

// While it lives, what a library prints on stderr goes nowhere: its failures reach the user as
// one message of ours instead.
namespace documents {

class MutedStderr {
public:
    MutedStderr();
    ~MutedStderr();
    MutedStderr(const MutedStderr &) = delete;
    MutedStderr &operator=(const MutedStderr &) = delete;

private:
    int m_saved = -1; // the descriptor stderr had, or -1 when it could not be moved aside
};

} // namespace documents
