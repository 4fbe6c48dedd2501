// One application object for a whole run of the window tests.

#include <gtest/gtest.h>

#include <memory>

#include "platform/toolkit/Application.h"

namespace {

class ApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override {
        application_ = std::make_unique<TApplication>();
        Application->Initialize();
    }
    void TearDown() override { application_.reset(); }

private:
    std::unique_ptr<TApplication> application_;
};

// GoogleTest takes ownership of the environment.
[[maybe_unused]] testing::Environment* const kApplication =
    testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace
