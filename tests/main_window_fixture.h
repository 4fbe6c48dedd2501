#pragma once
// A fresh main window per test, found by object names and driven with QTest,
// with every error report recorded instead of shown in a message box.

#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "platform/toolkit/Application.h"
#include "tests/qt_printers.h"

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        Application->OnException = [this](const std::string& message) {
            reports.push_back(message);
        };
        window = std::make_unique<TForm1>(nullptr);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override { Application->OnException = nullptr; }

    template <class Control>
    Control* find(const char* name) const {
        auto* control = window->findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    TEdit* field(const char* name) const { return find<TEdit>(name); }
    TLineSeries* series(const char* name) const { return find<TLineSeries>(name); }
    TChart* chart() const { return find<TChart>("Chart1"); }

    void type(const char* fieldName, const char* text) const { field(fieldName)->SetText(text); }
    void setParameters(const char* vramp, const char* span1, const char* omaga,
                       const char* span2) const {
        type("Vramp", vramp);
        type("Span1", span1);
        type("Omaga", omaga);
        type("Span2", span2);
    }
    void click(const char* buttonName) const {
        QTest::mouseClick(find<TButton>(buttonName), Qt::LeftButton);
    }
    void clickOk() const { click("Button1"); }
    void clickClear() const { click("Button2"); }

    std::unique_ptr<TForm1> window;
    std::vector<std::string> reports;
};
