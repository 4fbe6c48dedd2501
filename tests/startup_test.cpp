// Protects start-up: an error escaping it is shown (a foreign one with empty
// text) and the exit code says whether start-up failed: 1 after an error, 0
// after a normal close.

#include "app/Startup.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct ClosesAtOnce : TForm {
    explicit ClosesAtOnce(TComponent* owner) : TForm(owner) {
        QTimer::singleShot(0, this, &QWidget::close);
    }
};
struct ThrowsException : TForm {
    explicit ThrowsException(TComponent* owner) : TForm(owner) { throw Exception("no window"); }
};
struct ThrowsForeignError : TForm {
    explicit ThrowsForeignError(TComponent* owner) : TForm(owner) {
        throw std::runtime_error("foreign");
    }
};

template <class Form>
std::vector<std::string> reportsOfStartUp(int& exitCode) {
    TApplication application;
    std::vector<std::string> reports;
    Application->OnException = [&](const std::string& m) { reports.push_back(m); };
    Form* form = nullptr;
    exitCode = StartUp(form);
    return reports;
}

TEST(StartUp, RunsUntilTheMainWindowClosesAndReturnsZero) {
    int exitCode = -1;
    EXPECT_TRUE(reportsOfStartUp<ClosesAtOnce>(exitCode).empty());
    EXPECT_EQ(exitCode, 0);
}

TEST(StartUp, ShowsAnEscapedExceptionAndReturnsOne) {
    int exitCode = -1;
    EXPECT_EQ(reportsOfStartUp<ThrowsException>(exitCode), std::vector<std::string>{"no window"});
    EXPECT_EQ(exitCode, 1);
}

TEST(StartUp, ShowsAForeignErrorWithEmptyTextAndReturnsOne) {
    int exitCode = -1;
    EXPECT_EQ(reportsOfStartUp<ThrowsForeignError>(exitCode), std::vector<std::string>{""});
    EXPECT_EQ(exitCode, 1);
}

}  // namespace
