#pragma once
// The real application with all its forms in a temporary program folder, offering the serial
// ports the test names (none by default). Message boxes and beeps are recorded.
#include <gtest/gtest.h>

#include <memory>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "app/ApplicationForms.h"
#include "app/IndicatorLifecycle.h"
#include "app/Main.h"
#include "indicators/Indicator.h"
#include "indicators/ZpMainPanel.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/WindowSystem.h"

namespace testing_support {

class Dashboard : public ::testing::Test {
protected:
    static constexpr int Bound = 30000;  // ms: only a fault ever waits it out

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

    QString Path(const QString& name) const { return folder.filePath(name); }
    QString WorkPath() const { return Path(QStringLiteral("work.txt")); }
    std::string ReadFile(const QString& name) const { return ReadAll(name).toStdString(); }
    void WriteWorkFile(const std::string& bytes)
    {
        WriteAll(WorkPath(), QByteArray::fromStdString(bytes));
    }

    // Creates the forms (the main window loads the work file and the configuration file) and
    // shows the main window as start-up does; the test drives the ticks.
    void Start(std::vector<QString> ports = {})
    {
        forms.reset();
        forms = std::make_unique<TApplicationForms>(Path(QStringLiteral("zolt-tool")),
                                                    [ports] { return ports; });
        MainForm->show();                // its first showing starts the monitor timer
        MainForm->TimerMonitor->stop();  // before any wait lets it fire
        ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
        // On a desktop the window manager frames and places the window after it is exposed.
        ASSERT_TRUE(QTest::qWaitFor(
            [] { return SettledOuterGeometry(*MainForm) == MainForm->frameGeometry(); }, Bound));
    }

    // The panel's indicators in child-control order, and their names.
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

    // The texts of the boxes shown, but for the one a machine without serial ports shows.
    std::vector<QString> Messages() const
    {
        std::vector<QString> texts = boxes.Texts();
        std::erase(texts, QStringLiteral("使用可能なCOMポートが見つかりません"));
        return texts;
    }

    QTemporaryDir folder;
    BoxRecorder boxes;
    std::unique_ptr<TApplicationForms> forms;
};

}  // namespace testing_support
