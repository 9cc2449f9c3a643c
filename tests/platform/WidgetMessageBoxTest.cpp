// The program's message boxes: QMessageBox with the tool's buttons, answered here by clicking
// them as a user would; and Qt's own colour and file dialogs, in Japanese like the rest.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <thread>

#include "platform/ColorDialog.h"
#include "platform/ColorDialogWidget.h"
#include "platform/FileDialog.h"
#include "platform/FileDialogWidget.h"
#include "platform/MessageBox.h"
#include "platform/WidgetMessageBox.h"

using namespace platform;

namespace {

// When the next box is open, tells its caption, text, icon and buttons and clicks the button
// with the given text; checks the box leaves its caption room in the title bar.
void AnswerNextBox(QString& seen, const QString& click)
{
    QTimer::singleShot(0, [&seen, click] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return AnswerNextBox(seen, click);  // not open yet: look again
        // A title bar centres its caption, with the window's buttons on either side (openbox's,
        // three about 17 pixels wide, with their gaps: about 52 pixels).
        QFont bold = box->font();
        bold.setBold(true);
        EXPECT_GE(box->width() - QFontMetrics(bold).horizontalAdvance(box->windowTitle()), 2 * 52);
        seen = box->windowTitle() + u'|' + box->text() + u'|' + QString::number(box->icon());
        for (QAbstractButton* button : box->buttons())
            seen += u'|' + button->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == click)
                button->click();
    });
}

}  // namespace

TEST(WidgetMessageBox, EachKindWithItsIconButtonsAndCaptionAnsweredByAClickFromAnyThread)
{
    const BoxPresenter previous = SetBoxPresenter({});
    const BeepSink previousBeep = SetBeepSink({});
    InstallWidgetMessageBoxes();
    QApplication::setApplicationDisplayName(QStringLiteral("ZOLT Tool"));
    const struct {
        BoxIcon icon;
        BoxButtons buttons;
        const char* caption;
        const char* click;
        BoxResult result;
        const char* seen;  // after the caption and the text
    } cases[] = {
        {BoxIcon::Error, BoxButtons::Abort, "", "中止(&A)", BoxResult::Abort, "3|中止(&A)"},
        {BoxIcon::Information, BoxButtons::Ok, "ファームウェアの更新 (ZOLT Tool)", "OK",
         BoxResult::Ok, "1|OK"},
        {BoxIcon::Question, BoxButtons::YesNo, "", "いいえ(&N)", BoxResult::No,
         "4|はい(&Y)|いいえ(&N)"},
    };
    for (const auto& c : cases) {
        QString seen;
        const QString caption = QString::fromUtf8(c.caption);
        AnswerNextBox(seen, QString::fromUtf8(c.click));
        EXPECT_EQ(
            ShowMessageBox(QStringLiteral("エラー\n\r中断しました"), caption, c.icon, c.buttons),
            c.result);
        EXPECT_EQ(seen, (caption.isEmpty() ? QStringLiteral("ZOLT Tool") : caption) +
                            QStringLiteral("|エラー\n中断しました|") + QString::fromUtf8(c.seen));
    }

    // A box asked for on another thread is answered at once and shown later without waiting.
    BoxResult fromThread = BoxResult::Cancel;
    std::thread other([&] {
        fromThread = ShowMessageBox(QStringLiteral("from the event thread"), QString(),
                                    BoxIcon::Error, BoxButtons::Ok);
    });
    other.join();
    EXPECT_EQ(fromThread, BoxResult::Ok);
    QString seen;
    AnswerNextBox(seen, QStringLiteral("OK"));
    QApplication::processEvents();  // the user-interface thread shows it now
    EXPECT_TRUE(seen.contains(QStringLiteral("|from the event thread|"))) << seen.toStdString();
    SetBoxPresenter(previous);
    SetBeepSink(previousBeep);
}

// Qt's own dialogs speak Japanese like the rest, and answer a choice only when left by their
// accepting button: their Cancel button, Esc and the title bar's close box answer none.
TEST(QtOwnDialogs, SpeakJapaneseAndAnswerAChoiceOnlyWhenAccepted)
{
    const ColorDialogPresenter colourPresenter = SetColorDialogPresenter({});
    const FileDialogPresenter filePresenter = SetFileDialogPresenter({});
    InstallWidgetColorDialogPresenter();
    InstallWidgetFileDialogPresenter();
    QTemporaryDir dir;
    QFile(dir.filePath("a.ZLC")).open(QIODevice::WriteOnly);
    TColorDialog colours;
    TOpenDialog open;
    TSaveDialog save;
    open.InitialDir = dir.filePath("a.ZLC");  // a folder with that file chosen
    save.InitialDir = dir.filePath("b.ZLC");
    // clang-format off
    const std::function<bool()> dialogs[] = {
        [&] { return colours.Execute(); }, [&] { return open.Execute(); }, [&] { return save.Execute(); }};
    // clang-format on
    for (int way = 0; way < 4; ++way) {
        QStringList seen;
        for (const auto& execute : dialogs) {
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(dialog, nullptr);
                auto* box = dialog->findChild<QDialogButtonBox*>();
                seen << dialog->windowTitle() << box->button(QDialogButtonBox::Cancel)->text();
                if (way < 2)
                    way ? box->button(QDialogButtonBox::Cancel)->click() : dialog->accept();
                else  // Esc, or the title bar's close box
                    way == 2 ? QTest::keyClick(dialog, Qt::Key_Escape) : (void)dialog->close();
            });
            EXPECT_EQ(execute(), way == 0) << way;
        }
        EXPECT_EQ(
            seen.join(u' '),
            QStringLiteral("色を選択 キャンセル 開く キャンセル 名前を付けて保存 キャンセル"));
    }
    EXPECT_EQ(open.FileName, dir.filePath("a.ZLC"));
    EXPECT_EQ(save.FileName, dir.filePath("b.ZLC"));
    SetColorDialogPresenter(colourPresenter);
    SetFileDialogPresenter(filePresenter);
}
