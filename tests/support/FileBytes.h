#pragma once
// Whole files as bytes, for tests that check what the code wrote or hand it what to read.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace testing_support {

// The file's bytes; "<missing>" when it cannot be read, which no expected content equals.
inline QByteArray ReadAll(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Replaces the file's content with bytes, as a plain write.
inline void WriteAll(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

}  // namespace testing_support
