#pragma once
// EXPECT_THROW_MESSAGE(statement, Type, message): the statement throws an
// exception of class Type (or derived) whose what() is exactly `message`.

#include <gtest/gtest.h>

#include <string>

#define EXPECT_THROW_MESSAGE(statement, Type, message)                   \
    do {                                                                 \
        try {                                                            \
            statement;                                                   \
            ADD_FAILURE() << #statement " throws nothing";               \
        } catch (const Type& thrown_) {                                  \
            EXPECT_EQ(std::string(thrown_.what()), std::string(message)) \
                << #statement " throws " #Type " with another message";  \
        }                                                                \
    } while (false)
