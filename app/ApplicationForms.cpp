#include "app/ApplicationForms.h"

#include "app/ABOUT.h"
#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/NumEntry.h"
#include "app/NumericListSetup.h"
#include "app/ProjectOption.h"
#include "app/SourceList.h"
#include "app/XYGraphSetup.h"
#include "link/Progress.h"

template <class Form, class... Args>
Form* TApplicationForms::Create(Form*& global, QWidget* owner, Args&&... args)
{
    auto form = std::make_unique<Form>(owner, std::forward<Args>(args)...);
    global = form.get();
    forms_.push_back(std::move(form));
    clearGlobals_.push_back([&global] { global = nullptr; });
    return global;
}

TApplicationForms::TApplicationForms(const QString& programPath, TPCom::PortLister listPorts)
{
    Create(MainForm, nullptr, programPath);
    Create(AboutBox, nullptr);
    Create(PCom, nullptr, std::move(listPorts));
    Create(NumEntryForm, nullptr);
    Create(FBarGraphSetting, nullptr);
    Create(FNumericListSetup, nullptr);
    Create(FSourceList, nullptr);
    Create(FProjectOption, nullptr);
    Create(FAnalogMeterSetting, nullptr);
    Create(FXYGraphSetting, nullptr);
    // Centred on the main window.
    Create(ProgressForm, MainForm);

    // The settings window's buttons set the monitor loop's request state; the firmware exchange
    // switches the monitor timer on again when it ends.
    FProjectOption->Monitor = MainForm;
    PCom->TimerMonitor = MainForm->TimerMonitor;
    // Polling starts over with every port opened, and a closed port leaves no live-looking
    // values behind.
    QObject::connect(PCom, &TPCom::PortOpened, MainForm, [] { MainForm->LinkOpened(); });
    QObject::connect(PCom, &TPCom::PortClosed, MainForm, [] { MainForm->LinkClosed(); });
}

TApplicationForms::~TApplicationForms()
{
    // The main window goes last: the others may still refer to it while they go.
    while (!forms_.empty()) {
        forms_.pop_back();
        clearGlobals_.back()();
        clearGlobals_.pop_back();
    }
}
