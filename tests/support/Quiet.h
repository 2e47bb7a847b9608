#pragma once

#include <gtest/gtest.h>

// Swallows what the code under test prints on stdout and stderr while it lives.
class Quiet {
public:
    Quiet() {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
    }
    ~Quiet() {
        testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();
    }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;
};
