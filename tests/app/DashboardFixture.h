#pragma once
// The real application forms (offscreen) in a temporary program folder, without any serial
// port, for tests of the work file and the indicator menu.
#include <gtest/gtest.h>

#include <memory>
#include <QAction>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "app/ApplicationForms.h"
#include "app/IndicatorKinds.h"
#include "app/IndicatorLifecycle.h"
#include "app/Main.h"
#include "indicators/Indicator.h"
#include "indicators/ZpMainPanel.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/WindowSystem.h"

namespace testing_support {

class Dashboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        MouseDownPos = {0, 0};
        ResetIndicatorCounters();  // as at program start
    }
    void TearDown() override
    {
        forms.reset();
        MouseDownPos = {0, 0};
        SelectIndicator = nullptr;
    }

    QString WorkPath() const { return folder.path() + QStringLiteral("/work.txt"); }

    void WriteWorkFile(const std::string& bytes)
    {
        QFile file(WorkPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), qint64(bytes.size()));
    }

    std::string ReadFile(const QString& name) const
    {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        const QByteArray bytes = file.readAll();
        return std::string(bytes.constData(), std::size_t(bytes.size()));
    }

    // Creates the forms (the main window loads the work file in its constructor), without
    // showing them.
    void Create()
    {
        forms.reset();
        forms = std::make_unique<TApplicationForms>(folder.path() + QStringLiteral("/zolt-tool"),
                                                    [] { return std::vector<QString>{}; });
        ASSERT_NE(MainForm, nullptr);
    }

    // Creates the forms and shows the main window, as start-up does.
    void Start()
    {
        Create();
        MainForm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
        // On a desktop the window manager frames and places the window after it is exposed:
        // screen positions are right once the window knows where it ended up.
        ASSERT_TRUE(QTest::qWaitFor(
            [] { return SettledOuterGeometry(*MainForm) == MainForm->frameGeometry(); }, 10000));
        MainForm->TimerMonitor->stop();
        QCoreApplication::processEvents();
        boxes.Clear();  // what start-up reported (no serial port here) is not the test's
    }

    // The panel's indicators in child-control order.
    std::vector<TIndicator*> Indicators() const
    {
        std::vector<TIndicator*> found;
        for (QObject* child : MainForm->MainPanel->children()) {
            if (auto* indicator = qobject_cast<TIndicator*>(child))
                found.push_back(indicator);
        }
        return found;
    }

    std::vector<QString> Names() const
    {
        std::vector<QString> names;
        for (TIndicator* indicator : Indicators())
            names.push_back(indicator->objectName());
        return names;
    }

    // The texts of the boxes shown, but for the one a machine without serial ports shows at start.
    std::vector<QString> Messages() const
    {
        std::vector<QString> texts;
        for (const QString& text : boxes.Texts()) {
            if (text != QStringLiteral("使用可能なCOMポートが見つかりません"))
                texts.push_back(text);
        }
        return texts;
    }

    // The create submenu's item of that name.
    static QAction* CreateItem(const char* name)
    {
        return MainForm->MenuIndicatorCreate->findChild<QAction*>(QLatin1String(name));
    }

    static QSize Desktop() { return QGuiApplication::primaryScreen()->virtualGeometry().size(); }

    QTemporaryDir folder;
    BoxRecorder boxes;
    std::unique_ptr<TApplicationForms> forms;
};

}  // namespace testing_support
