// SPDX-License-Identifier: BSD-3-Clause
// Every event handler runs inside HandlerGuard::run. An exception that leaves a handler is an
// unhandled error: the outermost guard shows it in a modal critical message and ends the program
// with a non-zero exit code. Inner guards (a handler raised by another handler's assignment) pass
// the error on, so the outer handler never carries on after it.
#pragma once

#include <QString>

#include <exception>
#include <utility>

class HandlerGuard {
public:
    static constexpr int kErrorExitCode = 1;

    template <class F> static bool run(F &&handler)
    {
        if (s_ending)
            return false;
        Depth depth;
        try {
            std::forward<F>(handler)();
            return true;
        } catch (...) {
            if (s_depth > 1)
                throw;
            reportUnhandled(std::current_exception());
            return false;
        }
    }

    // True while some guard is on the stack.
    static bool active() { return s_depth > 0; }
    // True once an unhandled error has ended the program.
    static bool ending() { return s_ending; }
    static int exitCode() { return s_exitCode; }

    // Shows the error and ends the program: quits the event loop with kErrorExitCode.
    static void reportUnhandled(std::exception_ptr error);
    static QString describe(std::exception_ptr error);

    // Tests end the program many times in one process.
    static void resetForTesting();

private:
    struct Depth {
        Depth() { ++s_depth; }
        ~Depth() { --s_depth; }
        Depth(const Depth &) = delete;
        Depth &operator=(const Depth &) = delete;
    };
    static inline int s_depth = 0;
    static inline bool s_ending = false;
    static inline int s_exitCode = 0;
};
