#pragma once

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

namespace tkd::test {

// The child widget of that object name; a test failure names the one that is missing.
template <typename T> T* in(QWidget* parent, const char* objectName)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(objectName));
    EXPECT_NE(found, nullptr) << objectName;
    return found;
}

} // namespace tkd::test
