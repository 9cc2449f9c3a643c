// The program's message boxes: QMessageBox with the tool's buttons, answered here by clicking
// them as a user would; and Qt's own colour dialog, in Japanese like the rest.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QTimer>
#include <thread>

#include "platform/ColorDialog.h"
#include "platform/ColorDialogWidget.h"
#include "platform/MessageBox.h"
#include "platform/WidgetMessageBox.h"

using namespace platform;

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Installs the widget boxes for one test and puts back what was there.
class WidgetBoxes {
public:
    WidgetBoxes()
    {
        previous_ = SetBoxPresenter({});
        previousBeep_ = SetBeepSink({});
        InstallWidgetMessageBoxes();
    }
    ~WidgetBoxes()
    {
        SetBoxPresenter(previous_);
        SetBeepSink(previousBeep_);
    }

private:
    BoxPresenter previous_;
    BeepSink previousBeep_;
};

// When the next box is open, records it and clicks the button with the given text.
void AnswerNextBox(SeenBox& seen, const QString& click)
{
    QTimer::singleShot(0, [&seen, click] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            AnswerNextBox(seen, click);  // not open yet: look again
            return;
        }
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text();
            if (button->text() == click)
                button->click();
        }
    });
}

}  // namespace

TEST(WidgetMessageBox, ErrorBoxWithItsOneAbortButton)
{
    WidgetBoxes boxes;
    QApplication::setApplicationDisplayName(QStringLiteral("ZOLT Tool"));
    SeenBox seen;
    AnswerNextBox(seen, QStringLiteral("中止(&A)"));
    const BoxResult result = ShowMessageBox(QStringLiteral("エラー\n\r中断しました"), QString(),
                                            BoxIcon::Error, BoxButtons::Abort);
    EXPECT_EQ(result, BoxResult::Abort);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("中止(&A)")});
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.text, QStringLiteral("エラー\n中断しました"));
    EXPECT_EQ(seen.caption, QStringLiteral("ZOLT Tool"));
}

TEST(WidgetMessageBox, InformationAndQuestionBoxes)
{
    WidgetBoxes boxes;
    SeenBox info;
    AnswerNextBox(info, QStringLiteral("OK"));
    EXPECT_EQ(ShowMessageBox(QStringLiteral("プログラミング完了！"), QStringLiteral("Caption"),
                             BoxIcon::Information, BoxButtons::Ok),
              BoxResult::Ok);
    EXPECT_EQ(info.icon, QMessageBox::Information);
    EXPECT_EQ(info.caption, QStringLiteral("Caption"));
    EXPECT_EQ(info.buttons, QStringList{QStringLiteral("OK")});

    SeenBox question;
    AnswerNextBox(question, QStringLiteral("いいえ(&N)"));
    EXPECT_EQ(ShowMessageBox(QStringLiteral("?"), QString(), BoxIcon::Question, BoxButtons::YesNo),
              BoxResult::No);
    EXPECT_EQ(question.buttons.size(), 2);
}

TEST(WidgetMessageBox, BoxAskedForOnAnotherThreadIsShownLaterWithoutWaiting)
{
    WidgetBoxes boxes;
    BoxResult fromThread = BoxResult::Cancel;
    std::thread other([&] {
        fromThread = ShowMessageBox(QStringLiteral("from the event thread"), QString(),
                                    BoxIcon::Error, BoxButtons::Ok);
    });
    other.join();  // answered at once, the box not yet shown
    EXPECT_EQ(fromThread, BoxResult::Ok);
    SeenBox seen;
    AnswerNextBox(seen, QStringLiteral("OK"));
    QApplication::processEvents();  // the user-interface thread shows it now
    EXPECT_EQ(seen.text, QStringLiteral("from the event thread"));
}

TEST(QtOwnDialogs, TheColourDialogAndItsStandardButtonsSpeakJapanese)
{
    const ColorDialogPresenter before = SetColorDialogPresenter({});
    InstallWidgetColorDialogPresenter();
    QString title;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            buttons << button->text();
        dialog->reject();
    });
    TColorDialog colors;
    EXPECT_FALSE(colors.Execute());
    SetColorDialogPresenter(before);
    EXPECT_EQ(title, QStringLiteral("色を選択"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("キャンセル"))) << buttons.join(u' ').toStdString();
}
