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

// Installs the widget boxes for one test and puts back what was there.
struct WidgetBoxes {
    BoxPresenter previous = SetBoxPresenter({});
    BeepSink previousBeep = SetBeepSink({});
    WidgetBoxes() { InstallWidgetMessageBoxes(); }
    ~WidgetBoxes()
    {
        SetBoxPresenter(previous);
        SetBeepSink(previousBeep);
    }
};

// When the next box is open, tells its caption, text, icon and buttons and clicks the button
// with the given text.
void AnswerNextBox(QString& seen, const QString& click)
{
    QTimer::singleShot(0, [&seen, click] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return AnswerNextBox(seen, click);  // not open yet: look again
        seen = box->windowTitle() + u'|' + box->text() + u'|' + QString::number(box->icon());
        for (QAbstractButton* button : box->buttons())
            seen += u'|' + button->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == click)
                button->click();
    });
}

}  // namespace

TEST(WidgetMessageBox, EachKindWithItsIconButtonsAndCaptionAnsweredByAClick)
{
    WidgetBoxes boxes;
    QApplication::setApplicationDisplayName(QStringLiteral("ZOLT Tool"));
    struct Case {
        BoxIcon icon;
        BoxButtons buttons;
        QString caption;
        QString click;
        BoxResult result;
        QString seen;
    };
    const Case cases[] = {
        {BoxIcon::Error,
         BoxButtons::Abort,
         {},
         QStringLiteral("中止(&A)"),
         BoxResult::Abort,
         QStringLiteral("ZOLT Tool|エラー\n中断しました|3|中止(&A)")},
        {BoxIcon::Information, BoxButtons::Ok, QStringLiteral("Caption"), QStringLiteral("OK"),
         BoxResult::Ok, QStringLiteral("Caption|エラー\n中断しました|1|OK")},
        {BoxIcon::Question,
         BoxButtons::YesNo,
         {},
         QStringLiteral("いいえ(&N)"),
         BoxResult::No,
         QStringLiteral("ZOLT Tool|エラー\n中断しました|4|はい(&Y)|いいえ(&N)")},
    };
    for (const Case& c : cases) {
        QString seen;
        AnswerNextBox(seen, c.click);
        EXPECT_EQ(
            ShowMessageBox(QStringLiteral("エラー\n\r中断しました"), c.caption, c.icon, c.buttons),
            c.result);
        EXPECT_EQ(seen, c.seen);
    }
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
    QString seen;
    AnswerNextBox(seen, QStringLiteral("OK"));
    QApplication::processEvents();  // the user-interface thread shows it now
    EXPECT_TRUE(seen.contains(QStringLiteral("|from the event thread|"))) << seen.toStdString();
}

TEST(QtOwnDialogs, TheColourDialogAndItsStandardButtonsSpeakJapanese)
{
    const ColorDialogPresenter before = SetColorDialogPresenter({});
    InstallWidgetColorDialogPresenter();
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen << dialog->windowTitle();
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            seen << button->text();
        dialog->reject();
    });
    TColorDialog colors;
    EXPECT_FALSE(colors.Execute());
    SetColorDialogPresenter(before);
    EXPECT_EQ(seen.value(0), QStringLiteral("色を選択"));
    EXPECT_TRUE(seen.contains(QStringLiteral("キャンセル"))) << seen.join(u' ').toStdString();
}
