#include <gtest/gtest.h>

#include "platform/FileDialog.h"

using namespace platform;

TEST(FileDialog, FiltersBecomeQtNameFilters)
{
    EXPECT_EQ(QtNameFilters(QStringLiteral("MOTファイル(*.mot)|*.mot")),
              QStringLiteral("MOTファイル(*.mot) (*.mot)"));
    EXPECT_EQ(QtNameFilters(QStringLiteral("すべてのファイル (*.*)|*.*")),
              QStringLiteral("すべてのファイル (*.*) (*)"));
    EXPECT_EQ(QtNameFilters(QStringLiteral("A|*.a;*.b|B|*.c")),
              QStringLiteral("A (*.a *.b);;B (*.c)"));
    EXPECT_EQ(QtNameFilters(QString()), QString());
}

TEST(FileDialog, ThePresenterSeesTheDialogAndChoosesOrCancels)
{
    FileDialogRequest seen;
    std::optional<QString> answer = QStringLiteral("/tmp/a.mot");
    auto previous = SetFileDialogPresenter([&](const FileDialogRequest& request) {
        seen = request;
        return answer;
    });
    TOpenDialog dialog;
    dialog.InitialDir = QStringLiteral("/opt/zolt/");
    dialog.Filter = QStringLiteral("MOTファイル(*.mot)|*.mot");
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, QStringLiteral("/tmp/a.mot"));
    EXPECT_EQ(seen.Kind, FileDialogKind::Open);
    EXPECT_EQ(seen.InitialDir, QStringLiteral("/opt/zolt/"));
    EXPECT_EQ(seen.Filter, dialog.Filter);

    answer.reset();
    TSaveDialog save;
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(seen.Kind, FileDialogKind::Save);
    EXPECT_TRUE(save.FileName.isEmpty());

    SetFileDialogPresenter(std::move(previous));
    EXPECT_FALSE(dialog.Execute());  // no presenter: cancelled
}
