#pragma once
// A small file system of its own (tmpfs) mounted on an empty folder while the object lives,
// which a test fills up to see what a save does when the disk is full. Mounting needs root (as
// the tests run here and in CI); where it is impossible, Mounted() is false and Why() says why,
// for the test to skip with that message.
#include <QString>

namespace testing_support {

class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& folder);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool Mounted() const { return mounted_; }
    const QString& Why() const { return why_; }
    QString FilePath(const QString& name) const { return folder_ + QLatin1Char('/') + name; }

    // Takes every free byte with a filler file (not named by any test): after this, no new file
    // can get a single byte.
    void FillUp();

private:
    QString folder_;
    bool mounted_ = false;
    QString why_;
};

}  // namespace testing_support
