#pragma once
// Checks that an action raises an exception of one class with one exact message.
#include <gtest/gtest.h>

#include <string>

template <class E, class Action>
void ExpectThrowWithMessage(Action&& action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "nothing was raised; expected \"" << message << "\"";
    } catch (const E& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
}
