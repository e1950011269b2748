#pragma once

// While it lives, what a library prints on stderr goes nowhere: its failures reach the user as
// one message of ours instead. It moves the process's stderr, so only ocai-cli, whose stderr is
// its own and which runs one command at a time, uses it; a window never does.
namespace cli {

class MutedStderr {
public:
    MutedStderr();
    ~MutedStderr();
    MutedStderr(const MutedStderr &) = delete;
    MutedStderr &operator=(const MutedStderr &) = delete;

private:
    int m_saved = -1; // the descriptor stderr had, or -1 when it could not be moved aside
};

} // namespace cli
