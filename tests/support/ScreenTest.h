#pragma once

// The fixture of the screen and launcher tests: the program's classes
// registered, message boxes answered and recorded instead of shown, and the
// application's hooks cleared afterwards.

#include <deque>
#include <vector>

#include <gtest/gtest.h>

#include <QString>

#include "app/Startup.h"
#include "platform/framework/Application.h"
#include "platform/framework/Form.h"

template <class Base = ::testing::Test>
class ScreenFixture : public Base {
protected:
    void SetUp() override
    {
        RunUnitStartup();
        Application()->SetMessageBoxHook([this](const QString& text, const QString&, unsigned flags) {
            messages.push_back(text);
            if (flags & MB_ICONERROR)
                errors.push_back(text);
            if (answers.empty())
                return int(mrOk);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    void TearDown() override
    {
        Application()->SetMessageBoxHook({});
        Application()->SetModalHook({});
    }

    // From now on modal windows close as soon as they are shown, their captions
    // recorded in opened.
    void CloseModalWindows()
    {
        Application()->SetModalHook([this](TCustomForm* f) {
            opened.push_back(f->Caption());
            f->Close();
        });
    }

    // Questions take the next prepared answer (OK once none is left).
    std::deque<int> answers;
    // Every message box's text, and those of the error boxes.
    std::vector<QString> messages;
    std::vector<QString> errors;
    std::vector<QString> opened;
};

using ScreenTest = ScreenFixture<>;
